<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ConversionTypes</name>
    <message>
        <source>將GB2312碼(簡体Windows默認內碼)轉換為Big5碼(繁体Windows默認內碼).</source>
        <translation>Converts GB2312 (the simplified-Chinese Windows code) to Big5 (the traditional-Chinese Windows code).</translation>
    </message>
    <message>
        <source>BG --&gt;&gt; Big5的逆操作.</source>
        <translation>The reverse of BG --&gt;&gt; Big5.</translation>
    </message>
    <message>
        <source>如果希望能在簡体/繁体OS上都能看到繁体字,可將文檔由Big5碼轉換為GBK碼.</source>
        <translation>To show traditional characters on both simplified and traditional systems, convert Big5 documents to GBK.</translation>
    </message>
    <message>
        <source>英文字符不被轉換,即所有轉換后的英文字符仍為一個字節.如果希望同時轉換英文字符,請使用 Big5 --&gt;&gt; Unicode(W)</source>
        <translation>Latin characters are not converted and stay one byte each. To convert them as well, use Big5 --&gt;&gt; Unicode(W).</translation>
    </message>
    <message>
        <source>英文字符不被轉換,即所有轉換后的英文字符仍為一個字節.如果希望同時轉換英文字符,請使用 GBK --&gt;&gt; Unicode(W)</source>
        <translation>Latin characters are not converted and stay one byte each. To convert them as well, use GBK --&gt;&gt; Unicode(W).</translation>
    </message>
    <message>
        <source>英文字符將按單字節處理</source>
        <translation>Latin characters become single bytes.</translation>
    </message>
    <message>
        <source>如果希望單字節英文字符不被轉換,請使用 Big5 --&gt;&gt; Unicode</source>
        <translation>To leave single-byte Latin characters unconverted, use Big5 --&gt;&gt; Unicode.</translation>
    </message>
    <message>
        <source>CNS碼即倚天碼</source>
        <translation>CNS is the ETen code.</translation>
    </message>
    <message>
        <source>該操作可以直接將簡体字轉換為繁体字,效果等同在Word中將簡体字轉換為繁体字.</source>
        <translation>Turns simplified characters into traditional ones in GBK, as a word processor&apos;s Chinese conversion does.</translation>
    </message>
</context>
<context>
    <name>UserTexts</name>
    <message>
        <source>沒有權限</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>磁盤空間不足</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>文件系統是只讀的</source>
        <translation>the file system is read-only</translation>
    </message>
    <message>
        <source>文件或文件夾不存在</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>這是一個文件夾</source>
        <translation>this is a folder</translation>
    </message>
    <message>
        <source>路徑中有一部分不是文件夾</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>文件名太長</source>
        <translation>the file name is too long</translation>
    </message>
    <message>
        <source>讀寫設備出錯</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>轉換成功</source>
        <translation>Converted</translation>
    </message>
    <message>
        <source>(UTF-8 源文件)</source>
        <translation> (UTF-8 source)</translation>
    </message>
    <message>
        <source>請輸入目標路徑!</source>
        <translation>Please enter a target folder.</translation>
    </message>
    <message>
        <source>該文件已經存在,是否覆蓋?</source>
        <translation>The file already exists. Replace it?</translation>
    </message>
    <message>
        <source>目標文件已經存在</source>
        <translation>Target file exists</translation>
    </message>
    <message>
        <source>全部覆蓋</source>
        <translation>Replace All</translation>
    </message>
    <message>
        <source>(文件較大,此頁只顯示它的開頭。完整的轉換結果在&quot;文本&quot;頁。)</source>
        <translation>(A large file: this page shows only its start. The whole result is on the &quot;Text&quot; tab.)</translation>
    </message>
    <message>
        <source>%1 寫出的是 CNS 11643 碼, 不能輸出為 UTF-8</source>
        <translation>%1 writes CNS 11643 codes, which cannot be written as UTF-8</translation>
    </message>
    <message>
        <source>; %1 個文件按忽略列表跳過</source>
        <translation>; %1 files skipped by the ignore list</translation>
    </message>
    <message>
        <source>無法確保只運行一個 Marlo 窗口: 以後的啟動可能打開另一個窗口。</source>
        <translation>Marlo cannot make sure it runs only one window: a later start may open another window.</translation>
    </message>
    <message>
        <source>-o 只能與文件一起使用: 過濾模式把結果寫到標準輸出</source>
        <translation>-o goes with files only: the filter writes its result to standard output</translation>
    </message>
    <message>
        <source>-o 指定目標文件夾 (轉換後的文件以原名寫入其中), &quot;%1&quot; 卻像是一個文件; 請指定文件夾</source>
        <translation>-o names the target folder (converted files keep their names in it), but &quot;%1&quot; looks like a file; name a folder</translation>
    </message>
    <message>
        <source>-o - 把一個文件轉換到標準輸出: 請只給一個文件</source>
        <translation>-o - converts one file to standard output: give one file only</translation>
    </message>
    <message>
        <source>; 其中 %1 個有警告</source>
        <translation>; %1 of them with warnings</translation>
    </message>
    <message>
        <source>仍然把轉換結果放入剪貼板?</source>
        <translation>Put the result on the clipboard anyway?</translation>
    </message>
    <message>
        <source>完成: %1 個轉換成功, %2 個已跳過, %3 個失敗, 用時 %4 秒</source>
        <translation>Done: %1 converted, %2 skipped, %3 failed, in %4 s</translation>
    </message>
    <message>
        <source>已停止: %1 個轉換成功, %2 個已跳過, %3 個失敗; 列表中還有 %4 個文件未處理</source>
        <translation>Stopped: %1 converted, %2 skipped, %3 failed; %4 files in the list not processed</translation>
    </message>
    <message>
        <source>全部跳過</source>
        <translation>Skip All</translation>
    </message>
    <message>
        <source>內存不足,無法轉換該文件</source>
        <translation>Not enough memory to convert this file</translation>
    </message>
    <message>
        <source>目標文件就是源文件,未覆蓋</source>
        <translation>the target is the source file itself; not overwritten</translation>
    </message>
    <message>
        <source>與本次轉換的另一個文件同名,未寫入</source>
        <translation>another file of this run has the same name; not written</translation>
    </message>
    <message>
        <source>,未轉換</source>
        <translation>; not converted</translation>
    </message>
    <message>
        <source>不是有效的 UTF-8 文本: 第 %1 字節</source>
        <translation>not valid UTF-8 text: byte %1</translation>
    </message>
    <message>
        <source>已跳過(目標文件已存在)</source>
        <translation>Skipped (target exists)</translation>
    </message>
    <message>
        <source>文件名為 %1 編碼</source>
        <translation>File name in %1</translation>
    </message>
    <message>
        <source>自動識別 UTF-8 源文件</source>
        <translation>Detect UTF-8 sources</translation>
    </message>
    <message>
        <source>輸出為 UTF-8</source>
        <translation>Write UTF-8</translation>
    </message>
    <message>
        <source>按詞語轉換</source>
        <translation>Convert by phrases</translation>
    </message>
    <message>
        <source>包含子文件夾</source>
        <translation>Include subfolders</translation>
    </message>
    <message>
        <source>按詞語轉換: 先把整個詞語按台灣用語轉換 (軟體 ⇄ 软件, 乾燥 → 干燥), 其餘按字轉換; 轉換結果的長度可能與源文件不同.</source>
        <translation>Convert by phrases: whole words first, with Taiwan usage on the traditional side (軟體 ⇄ 软件, 乾燥 → 干燥), then character by character; the result may differ in length from the source.</translation>
    </message>
    <message>
        <source>無法載入轉換碼表,不能轉換文件。請重新安裝本程序。</source>
        <translation>The code tables cannot be loaded, so no file can be converted. Please reinstall the program.</translation>
    </message>
    <message>
        <source>無法打開文件</source>
        <translation>Cannot open file</translation>
    </message>
    <message>
        <source>無法讀取文件</source>
        <translation>Cannot read file</translation>
    </message>
    <message>
        <source>無法寫入文件</source>
        <translation>Cannot write file</translation>
    </message>
    <message>
        <source>無法創建文件夾</source>
        <translation>Cannot create folder</translation>
    </message>
    <message>
        <source>無法讀取文件夾</source>
        <translation>Cannot read folder</translation>
    </message>
    <message>
        <source>個無效的 UTF-8 序列已替換</source>
        <translation>invalid UTF-8 sequences replaced</translation>
    </message>
    <message>
        <source>標準輸入已關閉</source>
        <translation>standard input is closed</translation>
    </message>
    <message>
        <source>標準輸出已關閉</source>
        <translation>standard output is closed</translation>
    </message>
    <message>
        <source>無法刪除文件</source>
        <translation>Cannot delete file</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>文件長度為零</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>文件太大,內存不足</source>
        <translation>the file is too large for the memory</translation>
    </message>
    <message>
        <source>無法讀取</source>
        <translation>Cannot read</translation>
    </message>
    <message>
        <source>無法寫入</source>
        <translation>Cannot write</translation>
    </message>
    <message>
        <source>標準輸入</source>
        <translation>standard input</translation>
    </message>
    <message>
        <source>標準輸出</source>
        <translation>standard output</translation>
    </message>
    <message>
        <source>看起來不是 %1 文本: %2 的非 ASCII 字符無效</source>
        <translation>does not look like %1 text: %2 of the non-ASCII characters are invalid</translation>
    </message>
    <message>
        <source>,像是 %1 文本</source>
        <translation>; it looks like %1 text</translation>
    </message>
    <message>
        <source>%1 個字符無法用 %2 表示,已替換</source>
        <translation>%1 characters cannot be written in %2 and were replaced</translation>
    </message>
    <message>
        <source>無法保存設置: %1</source>
        <translation>Cannot save the settings: %1</translation>
    </message>
    <message>
        <source>正在處理: </source>
        <translation>Processing: </translation>
    </message>
    <message>
        <source> [Y/n] </source>
        <translation> [Y/n] </translation>
    </message>
    <message>
        <source>共 %1 個文件: %2 個轉換成功, %3 個已跳過, %4 個失敗</source>
        <translation>%1 files: %2 converted, %3 skipped, %4 failed</translation>
    </message>
    <message>
        <source>, %1 個未處理 (已停止)</source>
        <translation>, %1 not processed (stopped)</translation>
    </message>
    <message>
        <source>無法寫出轉換報告: %1</source>
        <translation>cannot write the report: %1</translation>
    </message>
    <message>
        <source>,無法寫出轉換報告</source>
        <translation>; cannot write the report</translation>
    </message>
    <message>
        <source>請用 &apos;marlo-convert --help&apos; 查看用法。</source>
        <translation>Try &apos;marlo-convert --help&apos; for more information.</translation>
    </message>
    <message>
        <source>不是文件夾: %1</source>
        <translation>not a folder: %1</translation>
    </message>
    <message>
        <source>選項 %1 需要一個值</source>
        <translation>option %1 needs a value</translation>
    </message>
    <message>
        <source>未知的選項 %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>沒有指定轉換方式: 請加上 -t 方式 (見 marlo-convert --list-types)</source>
        <translation>no conversion type given: add -t TYPE (see marlo-convert --list-types)</translation>
    </message>
    <message>
        <source>未知的轉換方式 &apos;%1&apos;: 請用 marlo-convert --list-types 列出的名稱或序號</source>
        <translation>unknown conversion type &apos;%1&apos;: use a name or number from marlo-convert --list-types</translation>
    </message>
    <message>
        <source>-j 需要 1 到 256 之間的文件數,不是 &apos;%1&apos;</source>
        <translation>-j needs a number of files from 1 to 256, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>-e 只能是 skip、ask 或 overwrite,不是 &apos;%1&apos;</source>
        <translation>-e must be skip, ask or overwrite, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--lossy 只能與 --from-utf8 一起使用</source>
        <translation>--lossy works only with --from-utf8</translation>
    </message>
    <message>
        <source>--phrases 只能與 BigToGb、GbToBig 或 GbToBigToGbk 一起使用</source>
        <translation>--phrases works only with BigToGb, GbToBig or GbToBigToGbk</translation>
    </message>
    <message>
        <source>-r 需要指定要轉換的文件夾</source>
        <translation>-r needs the folders to convert</translation>
    </message>
    <message>
        <source>--ignore 只能與 -r 一起使用</source>
        <translation>--ignore works only with -r</translation>
    </message>
    <message>
        <source>- (標準輸入) 不能與文件同時使用</source>
        <translation>- (standard input) cannot be combined with files</translation>
    </message>
    <message>
        <source>用法: marlo-convert -t 方式 [-o 目標文件夾] [-e skip|ask|overwrite]
                    [--from-utf8] [--to-utf8] [--lossy] [--strict]
                    [--phrases] [-j N] 文件...
      marlo-convert -t 方式 [選項] -r 文件夾...
      marlo-convert -f 編碼 -t 編碼 [選項] 文件...
      marlo-convert -t 方式 [選項] --files-from 列表 [-0]
      marlo-convert -t 方式 [-] &lt; 輸入 &gt; 輸出
      marlo-convert --list-types | --help | --version

在 GB2312、Big5、GBK、CNS 11643 和 UCS-2 字節形式之間逐字節轉換中文文本文件。
每個文件以原名寫入目標文件夾,默認為第一個文件旁邊以轉換方式命名的文件夾。
沒有文件或文件為 - 時,把標準輸入轉換到標準輸出。

  -t, --type 方式       轉換方式: 名稱如 BigToGb (不分大小寫) 或序號 0..13,
                        見 --list-types
  -f, --from 編碼       按編碼指定轉換方式: 讀取的編碼 gb2312、gbk、big5、
                        cns11643 或 utf-8; 寫出的編碼由 --to 或 -t 給出
                        (見 --list-types)
      --to 編碼         寫出的編碼 (與 --from 一起)
  -o, --output-dir 文件夾  目標文件夾 (上一級存在時自動創建);
                        -o - 把唯一的一個文件轉換到標準輸出
  -e, --existing 做法   目標文件已經存在時: skip 跳過 (默認)、ask 詢問或
                        overwrite 覆蓋; 沒有終端時 ask 等於 skip
      --from-utf8       輸入是 UTF-8: 先編碼為該方式讀取的編碼 (GB2312、
                        GBK 或 Big5); 無法表示的字符被替換並在標準錯誤上計數;
                        開頭的字節順序標記被去掉
      --to-utf8         把轉換結果解碼為 UTF-8
      --lossy           與 --from-utf8 一起: 無效的 UTF-8 當作 U+FFFD,
                        不在其字節位置失敗; 這類序列另行計數
      --strict          字節看起來不是該方式的源編碼 (超過 1% 的非 ASCII
                        字符無效),或有字符會被替換的文件算作失敗,不寫任何
                        內容; 不加此項時只警告
      --on-doubt 做法   看起來是別的編碼的文件: convert 照樣轉換並警告 (默認)、
                        skip 跳過 (不寫) 或 fail 算作失敗
      --phrases         與 BigToGb、GbToBig 和 GbToBigToGbk 一起: 先按詞語
                        轉換,繁體一側用台灣用語 (軟體 ⇄ 软件, 乾燥 → 干燥),
                        其餘按字; 輸出的長度因此可能與輸入不同
  -r, --recursive       參數是文件夾: 把其下每個普通文件轉換到目標文件夾
                        下的同樣位置 (默認為第一個文件夾中以轉換方式命名
                        的文件夾),跳過默認的忽略文件類型 (見 --ignore); 不跟隨
                        任何符號鏈接; 開頭 4 KiB 中有 NUL 字節的文件
                        是二進制文件,也跳過 (讀 UCS-2 的方式除外),列出的文件也一樣
      --ignore 列表     與 -r 一起: 改為跳過這些文件類型,如 &quot;.EXE;.ZIP&quot;
                        (文件的擴展名與列表中的一項相同時跳過,不分大小寫);
                        默認為窗口的默認列表,不是窗口中保存的列表
      --ignore-none     與 -r 一起: 不按文件類型跳過任何文件
      --files-from 列表  轉換列表中的文件,一行一個 (- 為標準輸入); 每個文件
                        在目標文件夾 (默認為當前文件夾中以轉換方式命名的
                        文件夾) 下保持其相對路徑
  -0, --null            與 --files-from 一起: 文件名以 NUL 分隔 (find -print0)
  -j, --jobs N          同時轉換 N 個文件 (默認: 每個處理器一個);
                        報告仍按文件的順序
  -l, --list-types      列出十四種轉換方式
  -h, --help            顯示本說明
  -V, --version         顯示版本

例: marlo-convert -t BigToGb --from-utf8 --to-utf8 &lt; 繁體.txt &gt; 简体.txt
    find . -name &apos;*.txt&apos; -print0 | marlo-convert -f big5 -t gb2312 --files-from - -0 -o 简体

退出狀態: 每個文件都已轉換或跳過時為 0,有文件失敗或報告無法寫出時為 1,
用法錯誤時為 2,被中斷時為 130。
</source>
        <translation>Usage: marlo-convert -t TYPE [-o FOLDER] [-e skip|ask|overwrite]
                     [--from-utf8] [--to-utf8] [--lossy] [--strict]
                     [--phrases] [-j N] FILE...
       marlo-convert -t TYPE [OPTION...] -r FOLDER...
       marlo-convert -f CODE -t CODE [OPTION...] FILE...
       marlo-convert -t TYPE [OPTION...] --files-from LIST [-0]
       marlo-convert -t TYPE [-] &lt; INPUT &gt; OUTPUT
       marlo-convert --list-types | --help | --version

Converts Chinese text files byte for byte between GB2312, Big5, GBK,
CNS 11643 and the UCS-2 byte form. Each file is written under its own name
into the target folder, by default a folder named after the type beside the
first file. With no file, or the file -, converts standard input to standard
output.

  -t, --type TYPE         conversion type: a name such as BigToGb (any case)
                          or a number 0..13, see --list-types
  -f, --from CODE         name the conversion by its codes: the code read, one
                          of gb2312, gbk, big5, cns11643, utf-8; the code
                          written follows --to or -t (see --list-types)
      --to CODE           the code written (with --from)
  -o, --output-dir FOLDER target folder (created when its parent exists);
                          -o - converts the one file to standard output
  -e, --existing WHAT     when a target exists: skip (the default), ask or
                          overwrite; without a terminal ask means skip
      --from-utf8         the input is UTF-8: encode it into the code the type
                          reads (GB2312, GBK or Big5) first; characters it cannot
                          hold are replaced and counted on standard error;
                          a leading byte order mark is dropped
      --to-utf8           decode the result to UTF-8
      --lossy             with --from-utf8: take invalid UTF-8 as U+FFFD instead
                          of failing at its offset; such sequences are counted
                          apart
      --strict            a file whose bytes do not look like the type&apos;s source
                          code (over 1% of its non-ASCII characters invalid),
                          or in which a character would be replaced, fails
                          and nothing is written; without it, only a warning
      --on-doubt WHAT     a file that looks like another code: convert it and
                          warn (the default), skip it (nothing written) or
                          fail it
      --phrases           with BigToGb, GbToBig and GbToBigToGbk: convert whole
                          words first, with Taiwan usage on the traditional
                          side (軟體 ⇄ 软件, 乾燥 → 干燥), then character by
                          character; the output may differ in length
  -r, --recursive         the arguments are folders: convert every regular
                          file below them to the same place under the target
                          folder (by default a folder named after the type in
                          the first folder), skipping the default ignored file
                          types (see --ignore) and binary files (a NUL byte in
                          their first 4 KiB; not for the types that read
                          UCS-2), listed files too; no symbolic link is followed
      --ignore LIST       with -r: skip these file types instead, such as
                          &quot;.EXE;.ZIP&quot; (a file whose extension is one
                          of them, in any case); by default the window&apos;s
                          default list, never the one stored there
      --ignore-none       with -r: skip no file for its type
      --files-from LIST   convert the files the list names, a line each (- for
                          standard input); each keeps its relative path under
                          the target folder (by default a folder named after
                          the type in the current folder)
  -0, --null              with --files-from: names end in NUL (find -print0)
  -j, --jobs N            convert N files at a time (default: one per
                          processor); the report keeps the files&apos; order
  -l, --list-types        list the fourteen conversion types
  -h, --help              show this help
  -V, --version           show the version

Example: marlo-convert -t BigToGb --from-utf8 --to-utf8 &lt; trad.txt &gt; simp.txt
         find . -name &apos;*.txt&apos; -print0 | marlo-convert -f big5 -t gb2312 --files-from - -0 -o simp

Exit status: 0 when every file was converted or skipped, 1 when a file failed
or the report could not be written, 2 on a usage error, 130 when interrupted.
</translation>
    </message>
    <message>
        <source>已加入 %1 個文件</source>
        <translation>Added %1 files</translation>
    </message>
    <message>
        <source>; 未進入 %1 個以轉換方式命名的文件夾 (以前轉換的結果)</source>
        <translation>; %1 folders named after a conversion type (earlier results) not entered</translation>
    </message>
    <message>
        <source>--to 與 -t 只能用一個: 有 --from 時 -t 即目標編碼</source>
        <translation>use --to or -t, not both: with --from, -t names the code written</translation>
    </message>
    <message>
        <source>--from 和 --to 要一起使用</source>
        <translation>--from and --to go together</translation>
    </message>
    <message>
        <source>未知的編碼 &quot;%1&quot; (可用: gb2312, gbk, big5, cns11643, utf-8)</source>
        <translation>unknown code &quot;%1&quot; (known: gb2312, gbk, big5, cns11643, utf-8)</translation>
    </message>
    <message>
        <source>沒有從 %1 到 %2 的轉換方式; 見 --list-types</source>
        <translation>no conversion type converts %1 to %2; see --list-types</translation>
    </message>
    <message>
        <source>; 是不是 %1?</source>
        <translation>; did you mean %1?</translation>
    </message>
    <message>
        <source>-0 只能與 --files-from 一起使用</source>
        <translation>-0 goes with --files-from</translation>
    </message>
    <message>
        <source>--files-from 給出全部文件: 不能再有文件參數、-r 或 -o -</source>
        <translation>--files-from names every file: no file arguments, -r or -o - with it</translation>
    </message>
    <message>
        <source>無法讀取文件列表 %1: %2</source>
        <translation>cannot read the file list %1: %2</translation>
    </message>
    <message>
        <source>, 已停止: 目錄樹中其餘的文件未處理</source>
        <translation>, stopped: the rest of the tree was not converted</translation>
    </message>
    <message>
        <source>; %1 個二進制文件 (含 NUL 字節) 已跳過</source>
        <translation>; %1 binary files (with NUL bytes) skipped</translation>
    </message>
    <message>
        <source>沒有讀寫 UTF-16 的轉換方式: Unicode 方式用本程序自己的字節形式 (ASCII 一個字節, 其他字符兩個字節、高字節在前); 請用 utf-8, 或用 -t 指定 Unicode 方式</source>
        <translation>no conversion type reads or writes UTF-16: the Unicode types use this program&apos;s own byte form (ASCII in one byte, other characters in two, high byte first); use utf-8, or name a Unicode type with -t</translation>
    </message>
    <message>
        <source>-o 需要一個文件夾名稱, 不能是空的</source>
        <translation>-o needs a folder name, not an empty one</translation>
    </message>
    <message>
        <source>有字符無法用 %1 表示, 會被替換 (--strict)</source>
        <translation>a character cannot be written in %1 and would be replaced (--strict)</translation>
    </message>
    <message>
        <source>不能讀寫 EUC-TW: BigToCNS 寫出的 CNS 11643 碼是本程序自己的形式 (第二字面不帶 8EA2 前綴), EUC-TW 解碼器讀不懂; 要這種形式請用 --to cns11643 或 -t BigToCNS</source>
        <translation>EUC-TW is neither read nor written: BigToCNS writes CNS 11643 codes in this program&apos;s own form (plane 2 without the 8EA2 prefix), which EUC-TW decoders do not read; for that form use --to cns11643 or -t BigToCNS</translation>
    </message>
    <message>
        <source>沒有從 %1 到 gb2312 的轉換方式: GB2312 沒有的字符 (如繁體字) 都會被替換成空白; GB2312 文本也是 GBK 文本, 請用 --to gbk</source>
        <translation>no conversion from %1 to gb2312: every character GB2312 lacks (traditional ones, for instance) would become a blank; GB2312 text is GBK text too, so use --to gbk</translation>
    </message>
    <message>
        <source>(按字符: 簡體字寫成繁體字, 不替換成空白)</source>
        <translation>(by character: simplified characters written in their traditional forms, not blanked)</translation>
    </message>
    <message>
        <source>是符號鏈接,沒有跟隨</source>
        <translation>is a symbolic link, not followed</translation>
    </message>
    <message>
        <source>; %1 個符號鏈接已跳過 (不跟隨)</source>
        <translation>; %1 symbolic links left out (not followed)</translation>
    </message>
    <message>
        <source>; %1 個文件在目標文件夾中, 已跳過</source>
        <translation>; %1 files in the target folder left out</translation>
    </message>
    <message>
        <source>%1 給了兩次, 而且不一樣: 請只給一次</source>
        <translation>%1 is given twice, with different codes: give it once</translation>
    </message>
    <message>
        <source>%1 與 %2 矛盾: 一端只能是一種編碼</source>
        <translation>%1 contradicts %2: each end has one code</translation>
    </message>
    <message>
        <source>已跳過: %1</source>
        <translation>skipped: %1</translation>
    </message>
    <message>
        <source>--on-doubt 只能是 convert、skip 或 fail,不是 &apos;%1&apos;</source>
        <translation>--on-doubt takes convert, skip or fail, not &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>marlo::frmClipboard</name>
    <message>
        <source>剪貼板</source>
        <translation>Clipboard</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>只有与當前操作系統匹配的字符才能在文本框中正常顯示。</source>
        <translation>Only characters the system&apos;s fonts hold show correctly in the text box.</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>如果該頁現實得內容与實際不符,請嘗試使用右鍵點擊文本框,然后選擇&quot;刷新&quot;。</source>
        <translation>If the page does not match the result, right-click it and choose &quot;Reload&quot;.</translation>
    </message>
    <message>
        <source>瀏覽器預覽</source>
        <translation>Web Page</translation>
    </message>
    <message>
        <source>該頁默認只顯示500個字符。</source>
        <translation>This tab shows the first 500 characters.</translation>
    </message>
    <message>
        <source>十六進制編碼</source>
        <translation>Hex Bytes</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>轉換結果</source>
        <translation>Results</translation>
    </message>
</context>
<context>
    <name>marlo::frmConfig</name>
    <message>
        <source>設置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>在進行文件轉換時自動跳過下列文件類型(使用分號&quot;;&quot;隔開)</source>
        <translation>Skip these file types when converting files (separated by &quot;;&quot;)</translation>
    </message>
    <message>
        <source>設置預覽文件或轉換剪貼板內容時的返回值</source>
        <translation>What a preview or a clipboard conversion shows</translation>
    </message>
    <message>
        <source>同時用瀏覽器顯示轉換文本,并同時顯示轉換文本的十六進制編碼(最多顯示500個字符)</source>
        <translation>Also show the result as a web page and as hex bytes (up to 500 characters)</translation>
    </message>
    <message>
        <source>注意：如果要轉換的文件內容很多，選擇該項會耗費更多的系統資源。（會比直接轉換的耗時多很多）該選項不會影響批量轉換文件的效率。</source>
        <translation>Note: for a large text this takes more memory and much more time than the conversion alone. Batch conversion of files is not affected.</translation>
    </message>
    <message>
        <source>界面語言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>自動 (按系統語言)</source>
        <translation>Automatic (system language)</translation>
    </message>
    <message>
        <source>更改後的界面語言在下次啟動本程序時生效。</source>
        <translation>A new language takes effect the next time the program starts.</translation>
    </message>
    <message>
        <source>非處理文件類型</source>
        <translation>Skipped Types</translation>
    </message>
    <message>
        <source>返回值</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>marlo::frmMain</name>
    <message>
        <source>開始轉換</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>按選定的轉換方式轉換選定的文件.</source>
        <translation>Convert the selected files with the selected type.</translation>
    </message>
    <message>
        <source>設    置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>剪貼板</source>
        <translation>Clipboard</translation>
    </message>
    <message>
        <source>將剪貼板的內容按選定方式轉換.</source>
        <translation>Convert the clipboard&apos;s text with the selected type.</translation>
    </message>
    <message>
        <source>預    覽</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>雙擊選定的文件,可按選定的方式轉換并預覽.</source>
        <translation>Convert the selected file with the selected type and preview it (or double-click a file).</translation>
    </message>
    <message>
        <source>關    于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>退    出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>文件名</source>
        <translation>File Name</translation>
    </message>
    <message>
        <source>耗時(秒)</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source>描述</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>請選擇要轉換的文件</source>
        <translation>Files to Convert</translation>
    </message>
    <message>
        <source>非處理文件可以在&quot;設置&quot;中修改</source>
        <translation>The skipped file types can be changed in &quot;Settings&quot;</translation>
    </message>
    <message>
        <source>轉換方式</source>
        <translation>Conversion Type</translation>
    </message>
    <message>
        <source>當目標文件已經存在時</source>
        <translation>When the Target Exists</translation>
    </message>
    <message>
        <source>跳過該文件</source>
        <translation>Skip the file</translation>
    </message>
    <message>
        <source>詢問用戶</source>
        <translation>Ask</translation>
    </message>
    <message>
        <source>直接覆蓋</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>目標</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>保存路徑:</source>
        <translation>Save to:</translation>
    </message>
    <message>
        <source>保存路徑</source>
        <translation>Save To</translation>
    </message>
    <message>
        <source>正在處理:</source>
        <translation>Processing:</translation>
    </message>
    <message>
        <source>總共處理文件:</source>
        <translation>Files in total:</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>類型不匹配</source>
        <translation>Not Text</translation>
    </message>
    <message>
        <source>只有當剪貼板中的內容是文本時,才能使用該功能!</source>
        <translation>This works only when the clipboard holds text.</translation>
    </message>
    <message>
        <source>剪貼板:(</source>
        <translation>Clipboard: (</translation>
    </message>
    <message>
        <source>該文件不存在!</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>轉換結果</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>文件夾</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>文件類型</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>加入選定的文件</source>
        <translation>Add the selected files</translation>
    </message>
    <message>
        <source>移除選定的文件</source>
        <translation>Remove the selected files</translation>
    </message>
    <message>
        <source>要轉換的文件</source>
        <translation>Files to convert</translation>
    </message>
    <message>
        <source>說明</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>保存到文件夾列表中選定的文件夾</source>
        <translation>Save into the folder selected in the folder list</translation>
    </message>
    <message>
        <source>選擇保存路徑</source>
        <translation>Choose the target folder</translation>
    </message>
    <message>
        <source>進度</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>文件夾</source>
        <comment>a file&apos;s type</comment>
        <translation>Folder</translation>
    </message>
    <message>
        <source>%1 個路徑不存在, 未加入: %2</source>
        <translation>%1 paths not found, not added: %2</translation>
    </message>
</context>
<context>
    <name>marlo::frmSplash</name>
    <message>
        <source>版本信息：</source>
        <translation>Version: </translation>
    </message>
    <message>
        <source>操作系統：Linux</source>
        <translation>System: Linux</translation>
    </message>
    <message>
        <source>本程序是自由軟件，依 Apache 許可證 2.0 版發佈：可以自由使用、複製、修改和散發。許可證全文見隨程序安裝的 LICENSE 文件。</source>
        <translation>This program is free software under the Apache License 2.0: you may use, copy, change and share it. The full license is in the LICENSE file installed with it.</translation>
    </message>
    <message>
        <source>關於 Marlo</source>
        <translation>About Marlo</translation>
    </message>
    <message>
        <source>關閉</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>marlo::modHandleFrom</name>
    <message>
        <source>關閉</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>幫助</source>
        <translation>Help</translation>
    </message>
</context>
</TS>
