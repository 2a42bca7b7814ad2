// SPDX-License-Identifier: Apache-2.0
// The words the batch conversion shows its user, in one place: the window
// and marlo-convert show the same texts.
#pragma once

#include <cerrno>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

// Marks the words for Qt's translation tools, which collect them into the
// translation files; the same as Qt's own definition, so either may come first.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace marlo {

struct RunRow;
enum class ConvType : uint8_t;
// A row of the results: 轉換成功, 已跳過… or why the file failed.
std::string RowDescription(const RunRow& row);
// "3 個字符無法用 GB2312 表示,已替換": text from UTF-8 the type could not take.
std::string ReplacedText(uint64_t count, ConvType type);
// "5 個字符無法用 Big5 表示,已替換": characters the type's own tables
// could not write (ReplacingCodeName).
std::string UnconvertedText(uint64_t count, ConvType type);
// "2 個無效的 UTF-8 序列已替換".
std::string InvalidText(uint64_t count);
// What a converted row warns of, joined by "; ": the input looked like
// another code, characters replaced, invalid UTF-8 replaced. Empty when
// nothing is doubtful about it.
std::string RowWarnings(const RunRow& row, ConvType type);
// Whatever was thrown, in the user's words: a file or input failure by
// Describe, running out of memory as such, anything else by its own text.
std::string DescribeError(const std::exception& e);

}  // namespace marlo

namespace marlo::text {

inline constexpr const char* kConverted = QT_TRANSLATE_NOOP("UserTexts", "轉換成功");
// After 轉換成功 for a file that was found to be UTF-8 and read as such.
inline constexpr const char* kReadAsUtf8 = QT_TRANSLATE_NOOP("UserTexts", "(UTF-8 源文件)");
inline constexpr const char* kNoTargetFolder = QT_TRANSLATE_NOOP("UserTexts", "請輸入目標路徑!");
inline constexpr const char* kOverwriteQuestion =
    QT_TRANSLATE_NOOP("UserTexts", "該文件已經存在,是否覆蓋?");
inline constexpr const char* kOverwriteTitle = QT_TRANSLATE_NOOP("UserTexts", "目標文件已經存在");
inline constexpr const char* kOverwriteAll = QT_TRANSLATE_NOOP("UserTexts", "全部覆蓋");
// The preview page of a large text shows its start only.
inline constexpr const char* kPageHoldsTheStart =
    QT_TRANSLATE_NOOP("UserTexts", "(文件較大,此頁只顯示它的開頭。完整的轉換結果在\"文本\"頁。)");
// Clipboard text the type's source code cannot hold: %1 characters, %2 the code.
inline constexpr const char* kClipboardLossQuestion =
    QT_TRANSLATE_NOOP("UserTexts", "仍然把轉換結果放入剪貼板?");
// How a run in the window ended: counts, then seconds or the files left.
inline constexpr const char* kRunSummary =
    QT_TRANSLATE_NOOP("UserTexts", "完成: %1 個轉換成功, %2 個已跳過, %3 個失敗, 用時 %4 秒");
inline constexpr const char* kRunStopped = QT_TRANSLATE_NOOP(
    "UserTexts", "已停止: %1 個轉換成功, %2 個已跳過, %3 個失敗; 列表中還有 %4 個文件未處理");
// After either: converted files whose rows carry a warning.
inline constexpr const char* kConvertedWithWarnings =
    QT_TRANSLATE_NOOP("UserTexts", "; 其中 %1 個有警告");
inline constexpr const char* kSkipAll = QT_TRANSLATE_NOOP("UserTexts", "全部跳過");
inline constexpr const char* kOutOfMemory =
    QT_TRANSLATE_NOOP("UserTexts", "內存不足,無法轉換該文件");
inline constexpr const char* kTargetIsSource =
    QT_TRANSLATE_NOOP("UserTexts", "目標文件就是源文件,未覆蓋");
inline constexpr const char* kSameNameInRun =
    QT_TRANSLATE_NOOP("UserTexts", "與本次轉換的另一個文件同名,未寫入");
// A file or folder of a tree that became a link after the tree was read.
inline constexpr const char* kSymbolicLink = QT_TRANSLATE_NOOP("UserTexts", "是符號鏈接,沒有跟隨");
inline constexpr const char* kNotConverted = QT_TRANSLATE_NOOP("UserTexts", ",未轉換");
// The offset follows.
inline constexpr const char* kInvalidUtf8At =
    QT_TRANSLATE_NOOP("UserTexts", "不是有效的 UTF-8 文本: 第 %1 字節");
// The row of a target that was there and was left alone.
inline constexpr const char* kSkippedExisting =
    QT_TRANSLATE_NOOP("UserTexts", "已跳過(目標文件已存在)");
// A file or folder name that is not UTF-8, shown decoded: %1 is the code.
inline constexpr const char* kNameInLegacyCode = QT_TRANSLATE_NOOP("UserTexts", "文件名為 %1 編碼");
// The window's check boxes for UTF-8, phrases and folder trees.
inline constexpr const char* kAutoUtf8 = QT_TRANSLATE_NOOP("UserTexts", "自動識別 UTF-8 源文件");
inline constexpr const char* kOutputUtf8 = QT_TRANSLATE_NOOP("UserTexts", "輸出為 UTF-8");
inline constexpr const char* kPhrases = QT_TRANSLATE_NOOP("UserTexts", "按詞語轉換");
inline constexpr const char* kSubFolders = QT_TRANSLATE_NOOP("UserTexts", "包含子文件夾");
inline constexpr const char* kPhrasesRemark = QT_TRANSLATE_NOOP(
    "UserTexts",
    "按詞語轉換: 先把整個詞語按台灣用語轉換 (軟體 ⇄ 软件, 乾燥 → 干燥), 其餘按字轉換; "
    "轉換結果的長度可能與源文件不同.");
inline constexpr const char* kEngineNotReady =
    QT_TRANSLATE_NOOP("UserTexts", "無法載入轉換碼表,不能轉換文件。請重新安裝本程序。");

// File access: an action, then the path and the reason.
inline constexpr const char* kCannotOpen = QT_TRANSLATE_NOOP("UserTexts", "無法打開文件");
inline constexpr const char* kCannotRead = QT_TRANSLATE_NOOP("UserTexts", "無法讀取文件");
inline constexpr const char* kCannotWrite = QT_TRANSLATE_NOOP("UserTexts", "無法寫入文件");
inline constexpr const char* kCannotCreateFolder = QT_TRANSLATE_NOOP("UserTexts", "無法創建文件夾");
inline constexpr const char* kCannotReadFolder = QT_TRANSLATE_NOOP("UserTexts", "無法讀取文件夾");
// After a count: broken UTF-8 that --lossy replaced.
inline constexpr const char* kInvalidUtf8Replaced =
    QT_TRANSLATE_NOOP("UserTexts", "個無效的 UTF-8 序列已替換");
inline constexpr const char* kStandardInputClosed =
    QT_TRANSLATE_NOOP("UserTexts", "標準輸入已關閉");
inline constexpr const char* kStandardOutputClosed =
    QT_TRANSLATE_NOOP("UserTexts", "標準輸出已關閉");
inline constexpr const char* kCannotDelete = QT_TRANSLATE_NOOP("UserTexts", "無法刪除文件");
inline constexpr const char* kNotRegularFile = QT_TRANSLATE_NOOP("UserTexts", "不是普通文件");
inline constexpr const char* kEmptyFile = QT_TRANSLATE_NOOP("UserTexts", "文件長度為零");
inline constexpr const char* kFileTooLarge = QT_TRANSLATE_NOOP("UserTexts", "文件太大,內存不足");
// Standard input and output, where a file's path would stand.
inline constexpr const char* kCannotReadStream = QT_TRANSLATE_NOOP("UserTexts", "無法讀取");
inline constexpr const char* kCannotWriteStream = QT_TRANSLATE_NOOP("UserTexts", "無法寫入");
inline constexpr const char* kStandardInput = QT_TRANSLATE_NOOP("UserTexts", "標準輸入");
inline constexpr const char* kStandardOutput = QT_TRANSLATE_NOOP("UserTexts", "標準輸出");

// The input check: %1 the expected code, %2 the share of bad characters;
// then %1 the code the bytes look like.
inline constexpr const char* kNotThisCode =
    QT_TRANSLATE_NOOP("UserTexts", "看起來不是 %1 文本: %2 的非 ASCII 字符無效");
inline constexpr const char* kLooksLike = QT_TRANSLATE_NOOP("UserTexts", ",像是 %1 文本");
// %1 characters the form %2 cannot hold.
// The window could not make sure it is the only one (the running one does
// not answer, or later starts cannot be heard).
inline constexpr const char* kUnguarded =
    QT_TRANSLATE_NOOP("UserTexts", "無法確保只運行一個 Marlo 窗口: 以後的啟動可能打開另一個窗口。");
// -o where it cannot mean what it says.
inline constexpr const char* kDashOutputOneFile =
    QT_TRANSLATE_NOOP("UserTexts", "-o - 把一個文件轉換到標準輸出: 請只給一個文件");
inline constexpr const char* kOutputInFilter =
    QT_TRANSLATE_NOOP("UserTexts", "-o 只能與文件一起使用: 過濾模式把結果寫到標準輸出");
inline constexpr const char* kOutputFolderEmpty =
    QT_TRANSLATE_NOOP("UserTexts", "-o 需要一個文件夾名稱, 不能是空的");
inline constexpr const char* kOutputLooksLikeFile = QT_TRANSLATE_NOOP(
    "UserTexts",
    "-o 指定目標文件夾 (轉換後的文件以原名寫入其中), \"%1\" 卻像是一個文件; 請指定文件夾");
// A type whose output cannot be written as UTF-8 (BigToCNS), asked to.
inline constexpr const char* kNoUtf8Output =
    QT_TRANSLATE_NOOP("UserTexts", "%1 寫出的是 CNS 11643 碼, 不能輸出為 UTF-8");
inline constexpr const char* kCharactersReplaced =
    QT_TRANSLATE_NOOP("UserTexts", "%1 個字符無法用 %2 表示,已替換");
// --strict, where a character would be replaced; kNotConverted follows.
inline constexpr const char* kCharacterWouldBeReplaced =
    QT_TRANSLATE_NOOP("UserTexts", "有字符無法用 %1 表示, 會被替換 (--strict)");
inline constexpr const char* kCannotSaveSettings =
    QT_TRANSLATE_NOOP("UserTexts", "無法保存設置: %1");

// marlo-convert's own words.
inline constexpr const char* kProcessing = QT_TRANSLATE_NOOP("UserTexts", "正在處理: ");
inline constexpr const char* kYesNo = QT_TRANSLATE_NOOP("UserTexts", " [Y/n] ");
inline constexpr const char* kRunReport =
    QT_TRANSLATE_NOOP("UserTexts", "共 %1 個文件: %2 個轉換成功, %3 個已跳過, %4 個失敗");
inline constexpr const char* kRunReportStopped =
    QT_TRANSLATE_NOOP("UserTexts", ", %1 個未處理 (已停止)");
// After the report of a walk (-r): the files the ignore list left out.
inline constexpr const char* kIgnoredByList =
    QT_TRANSLATE_NOOP("UserTexts", "; %1 個文件按忽略列表跳過");
// A tree walked while it converted, stopped: its rest was never reached.
inline constexpr const char* kRunReportStoppedWalk =
    QT_TRANSLATE_NOOP("UserTexts", ", 已停止: 目錄樹中其餘的文件未處理");
// After the report of a walk: files with NUL bytes, not converted.
inline constexpr const char* kBinarySkipped =
    QT_TRANSLATE_NOOP("UserTexts", "; %1 個二進制文件 (含 NUL 字節) 已跳過");
// A file left alone because it looks like another code (--on-doubt skip).
inline constexpr const char* kSkippedDoubted = QT_TRANSLATE_NOOP("UserTexts", "已跳過: %1");
// --on-doubt with a word it does not know.
inline constexpr const char* kBadOnDoubt =
    QT_TRANSLATE_NOOP("UserTexts", "--on-doubt 只能是 convert、skip 或 fail,不是 '%1'");
// Names of a --files-from list inside the target folder.
inline constexpr const char* kInTargetSkipped =
    QT_TRANSLATE_NOOP("UserTexts", "; %1 個文件在目標文件夾中, 已跳過");
// Links met in a tree are never followed out of it.
inline constexpr const char* kLinksSkipped =
    QT_TRANSLATE_NOOP("UserTexts", "; %1 個符號鏈接已跳過 (不跟隨)");
// After a folder tree was added in the window: %1 files; then the folders
// named after a conversion type that the walk did not enter.
inline constexpr const char* kTreeAdded = QT_TRANSLATE_NOOP("UserTexts", "已加入 %1 個文件");
inline constexpr const char* kTypeFoldersLeftOut =
    QT_TRANSLATE_NOOP("UserTexts", "; 未進入 %1 個以轉換方式命名的文件夾 (以前轉換的結果)");
inline constexpr const char* kCannotWriteReport =
    QT_TRANSLATE_NOOP("UserTexts", "無法寫出轉換報告: %1");
inline constexpr const char* kReportLost = QT_TRANSLATE_NOOP("UserTexts", ",無法寫出轉換報告");
inline constexpr const char* kTryHelp =
    QT_TRANSLATE_NOOP("UserTexts", "請用 'marlo-convert --help' 查看用法。");
// Conversions named by their codes (--from, --to).
inline constexpr const char* kTypeAndCodes =
    QT_TRANSLATE_NOOP("UserTexts", "--to 與 -t 只能用一個: 有 --from 時 -t 即目標編碼");
inline constexpr const char* kCodesNeedBoth =
    QT_TRANSLATE_NOOP("UserTexts", "--from 和 --to 要一起使用");
inline constexpr const char* kUnknownCode =
    QT_TRANSLATE_NOOP("UserTexts", "未知的編碼 \"%1\" (可用: gb2312, gbk, big5, cns11643, utf-8)");
inline constexpr const char* kNoUtf16 = QT_TRANSLATE_NOOP(
    "UserTexts",
    "沒有讀寫 UTF-16 的轉換方式: Unicode 方式用本程序自己的字節形式 (ASCII 一個字節, "
    "其他字符兩個字節、高字節在前); 請用 utf-8, 或用 -t 指定 Unicode 方式");
// --list-types, after --from gbk --to big5, which is GbkToBig by character.
inline constexpr const char* kByCharacter =
    QT_TRANSLATE_NOOP("UserTexts", "(按字符: 簡體字寫成繁體字, 不替換成空白)");
// BigToCNS writes CNS 11643 in its own form, which is not EUC-TW.
inline constexpr const char* kNoEucTw = QT_TRANSLATE_NOOP(
    "UserTexts",
    "不能讀寫 EUC-TW: BigToCNS 寫出的 CNS 11643 碼是本程序自己的形式 (第二字面不帶 8EA2 前綴), "
    "EUC-TW 解碼器讀不懂; 要這種形式請用 --to cns11643 或 -t BigToCNS");
// GBK and Unicode hold characters GB2312 lacks, which no type turns into
// GB2312 without blanking them.
inline constexpr const char* kNoTypeIntoGb2312 = QT_TRANSLATE_NOOP(
    "UserTexts",
    "沒有從 %1 到 gb2312 的轉換方式: GB2312 沒有的字符 (如繁體字) 都會被替換成空白; "
    "GB2312 文本也是 GBK 文本, 請用 --to gbk");
// --from or --to given twice with different codes.
inline constexpr const char* kGivenTwice =
    QT_TRANSLATE_NOOP("UserTexts", "%1 給了兩次, 而且不一樣: 請只給一次");
// --to-utf8 (--from-utf8) beside a --to (--from) naming another code.
inline constexpr const char* kUtf8EndAndCode =
    QT_TRANSLATE_NOOP("UserTexts", "%1 與 %2 矛盾: 一端只能是一種編碼");
inline constexpr const char* kNoTypeForCodes =
    QT_TRANSLATE_NOOP("UserTexts", "沒有從 %1 到 %2 的轉換方式; 見 --list-types");
// After an unknown name: the known one it most likely meant.
inline constexpr const char* kDidYouMean = QT_TRANSLATE_NOOP("UserTexts", "; 是不是 %1?");
inline constexpr const char* kNullNeedsFilesFrom =
    QT_TRANSLATE_NOOP("UserTexts", "-0 只能與 --files-from 一起使用");
inline constexpr const char* kFilesFromAlone =
    QT_TRANSLATE_NOOP("UserTexts", "--files-from 給出全部文件: 不能再有文件參數、-r 或 -o -");
inline constexpr const char* kCannotReadFileList =
    QT_TRANSLATE_NOOP("UserTexts", "無法讀取文件列表 %1: %2");
inline constexpr const char* kNotAFolder = QT_TRANSLATE_NOOP("UserTexts", "不是文件夾: %1");
inline constexpr const char* kOptionNeedsValue =
    QT_TRANSLATE_NOOP("UserTexts", "選項 %1 需要一個值");
inline constexpr const char* kUnknownOption = QT_TRANSLATE_NOOP("UserTexts", "未知的選項 %1");
inline constexpr const char* kNoType = QT_TRANSLATE_NOOP(
    "UserTexts", "沒有指定轉換方式: 請加上 -t 方式 (見 marlo-convert --list-types)");
inline constexpr const char* kUnknownType = QT_TRANSLATE_NOOP(
    "UserTexts", "未知的轉換方式 '%1': 請用 marlo-convert --list-types 列出的名稱或序號");
inline constexpr const char* kBadJobs =
    QT_TRANSLATE_NOOP("UserTexts", "-j 需要 1 到 256 之間的文件數,不是 '%1'");
inline constexpr const char* kBadExisting =
    QT_TRANSLATE_NOOP("UserTexts", "-e 只能是 skip、ask 或 overwrite,不是 '%1'");
inline constexpr const char* kLossyNeedsFromUtf8 =
    QT_TRANSLATE_NOOP("UserTexts", "--lossy 只能與 --from-utf8 一起使用");
inline constexpr const char* kPhrasesNeedType =
    QT_TRANSLATE_NOOP("UserTexts", "--phrases 只能與 BigToGb、GbToBig 或 GbToBigToGbk 一起使用");
inline constexpr const char* kRecursiveNeedsFolders =
    QT_TRANSLATE_NOOP("UserTexts", "-r 需要指定要轉換的文件夾");
inline constexpr const char* kIgnoreNeedsRecursive =
    QT_TRANSLATE_NOOP("UserTexts", "--ignore 只能與 -r 一起使用");
inline constexpr const char* kStandardInputMixed =
    QT_TRANSLATE_NOOP("UserTexts", "- (標準輸入) 不能與文件同時使用");
inline constexpr const char* kUsage = QT_TRANSLATE_NOOP(
    "UserTexts",
    "用法: marlo-convert -t 方式 [-o 目標文件夾] [-e skip|ask|overwrite]\n"
    "                    [--from-utf8] [--to-utf8] [--lossy] [--strict]\n"
    "                    [--phrases] [-j N] 文件...\n"
    "      marlo-convert -t 方式 [選項] -r 文件夾...\n"
    "      marlo-convert -f 編碼 -t 編碼 [選項] 文件...\n"
    "      marlo-convert -t 方式 [選項] --files-from 列表 [-0]\n"
    "      marlo-convert -t 方式 [-] < 輸入 > 輸出\n"
    "      marlo-convert --list-types | --help | --version\n"
    "\n"
    "在 GB2312、Big5、GBK、CNS 11643 和 UCS-2 字節形式之間逐字節轉換中文文本文件。\n"
    "每個文件以原名寫入目標文件夾,默認為第一個文件旁邊以轉換方式命名的文件夾。\n"
    "沒有文件或文件為 - 時,把標準輸入轉換到標準輸出。\n"
    "\n"
    "  -t, --type 方式       轉換方式: 名稱如 BigToGb (不分大小寫) 或序號 0..13,\n"
    "                        見 --list-types\n"
    "  -f, --from 編碼       按編碼指定轉換方式: 讀取的編碼 gb2312、gbk、big5、\n"
    "                        cns11643 或 utf-8; 寫出的編碼由 --to 或 -t 給出\n"
    "                        (見 --list-types)\n"
    "      --to 編碼         寫出的編碼 (與 --from 一起)\n"
    "  -o, --output-dir 文件夾  目標文件夾 (上一級存在時自動創建);\n"
    "                        -o - 把唯一的一個文件轉換到標準輸出\n"
    "  -e, --existing 做法   目標文件已經存在時: skip 跳過 (默認)、ask 詢問或\n"
    "                        overwrite 覆蓋; 沒有終端時 ask 等於 skip\n"
    "      --from-utf8       輸入是 UTF-8: 先編碼為該方式讀取的編碼 (GB2312、\n"
    "                        GBK 或 Big5); 無法表示的字符被替換並在標準錯誤上計數;\n"
    "                        開頭的字節順序標記被去掉\n"
    "      --to-utf8         把轉換結果解碼為 UTF-8\n"
    "      --lossy           與 --from-utf8 一起: 無效的 UTF-8 當作 U+FFFD,\n"
    "                        不在其字節位置失敗; 這類序列另行計數\n"
    "      --strict          字節看起來不是該方式的源編碼 (超過 1% 的非 ASCII\n"
    "                        字符無效),或有字符會被替換的文件算作失敗,不寫任何\n"
    "                        內容; 不加此項時只警告\n"
    "      --on-doubt 做法   看起來是別的編碼的文件: convert 照樣轉換並警告 (默認)、\n"
    "                        skip 跳過 (不寫) 或 fail 算作失敗\n"
    "      --phrases         與 BigToGb、GbToBig 和 GbToBigToGbk 一起: 先按詞語\n"
    "                        轉換,繁體一側用台灣用語 (軟體 ⇄ 软件, 乾燥 → 干燥),\n"
    "                        其餘按字; 輸出的長度因此可能與輸入不同\n"
    "  -r, --recursive       參數是文件夾: 把其下每個普通文件轉換到目標文件夾\n"
    "                        下的同樣位置 (默認為第一個文件夾中以轉換方式命名\n"
    "                        的文件夾),跳過默認的忽略文件類型 (見 --ignore); 不跟隨\n"
    "                        任何符號鏈接; 開頭 4 KiB 中有 NUL 字節的文件\n"
    "                        是二進制文件,也跳過 (讀 UCS-2 的方式除外),列出的文件也一樣\n"
    "      --ignore 列表     與 -r 一起: 改為跳過這些文件類型,如 \".EXE;.ZIP\"\n"
    "                        (文件的擴展名與列表中的一項相同時跳過,不分大小寫);\n"
    "                        默認為窗口的默認列表,不是窗口中保存的列表\n"
    "      --ignore-none     與 -r 一起: 不按文件類型跳過任何文件\n"
    "      --files-from 列表  轉換列表中的文件,一行一個 (- 為標準輸入); 每個文件\n"
    "                        在目標文件夾 (默認為當前文件夾中以轉換方式命名的\n"
    "                        文件夾) 下保持其相對路徑\n"
    "  -0, --null            與 --files-from 一起: 文件名以 NUL 分隔 (find -print0)\n"
    "  -j, --jobs N          同時轉換 N 個文件 (默認: 每個處理器一個);\n"
    "                        報告仍按文件的順序\n"
    "  -l, --list-types      列出十四種轉換方式\n"
    "  -h, --help            顯示本說明\n"
    "  -V, --version         顯示版本\n"
    "\n"
    "例: marlo-convert -t BigToGb --from-utf8 --to-utf8 < 繁體.txt > 简体.txt\n"
    "    find . -name '*.txt' -print0 | marlo-convert -f big5 -t gb2312 --files-from - -0 -o 简体\n"
    "\n"
    "退出狀態: 每個文件都已轉換或跳過時為 0,有文件失敗或報告無法寫出時為 1,\n"
    "用法錯誤時為 2,被中斷時為 130。\n");

// The words in the current language (marlo::SetLanguage); a text that has
// no translation is returned as it is.
const char* Tr(const char* source);

// The pattern with %1, %2… replaced by the values in order.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values);

// The system's reason for a failed file operation in the user's words for
// the common cases, with the system's own text kept after it for searching.
std::string SystemReason(int error, const char* systemText);

}  // namespace marlo::text
