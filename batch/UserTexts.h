// SPDX-License-Identifier: Apache-2.0
// The words the batch conversion shows its user, in one place: the window
// and marlo-convert show the same texts.
#pragma once

#include <cerrno>
#include <cstdint>
#include <string>

namespace marlo::text {

inline constexpr const char* kConverted = "轉換成功";
inline constexpr const char* kNoTargetFolder = "請輸入目標路徑!";
inline constexpr const char* kOverwriteQuestion = "該文件已經存在,是否覆蓋?";
inline constexpr const char* kOverwriteTitle = "目標文件已經存在";
inline constexpr const char* kOverwriteAll = "全部覆蓋";
// The preview page of a large text shows its start only.
inline constexpr const char* kPageHoldsTheStart =
    "(文件較大,此頁只顯示它的開頭。完整的轉換結果在\"文本\"頁。)";
// Clipboard text the type's source code cannot hold: %1 characters, %2 the code.
inline constexpr const char* kClipboardLoss = "%1 個字符無法用 %2 表示,已替換為 ?";
inline constexpr const char* kClipboardLossQuestion = "仍然把轉換結果放入剪貼板?";
// How a run in the window ended: counts, then seconds or the files left.
inline constexpr const char* kRunSummary =
    "完成: %1 個轉換成功, %2 個已跳過, %3 個失敗, 用時 %4 秒";
inline constexpr const char* kRunStopped =
    "已停止: %1 個轉換成功, %2 個已跳過, %3 個失敗; 列表中還有 %4 個文件未處理";
inline constexpr const char* kSkipAll = "全部跳過";
inline constexpr const char* kOutOfMemory = "內存不足,無法轉換該文件";
inline constexpr const char* kTargetIsSource = "目標文件就是源文件,未覆蓋";
inline constexpr const char* kSameNameInRun = "與本次轉換的另一個文件同名,未寫入";
inline constexpr const char* kNotConverted = ",未轉換";
inline std::string InvalidUtf8(uint64_t offset) {
  return "不是有效的 UTF-8 文本: 第 " + std::to_string(offset) + " 字節";
}
// The row of a target that was there and was left alone.
inline constexpr const char* kSkippedExisting = "已跳過(目標文件已存在)";
// A file or folder name that is not UTF-8, shown decoded: %1 is the code.
inline constexpr const char* kNameInLegacyCode = "文件名為 %1 編碼";
inline constexpr const char* kEngineNotReady = "無法載入轉換碼表,不能轉換文件。請重新安裝本程序。";

// File access: an action, then the path and the reason.
inline constexpr const char* kCannotOpen = "無法打開文件";
inline constexpr const char* kCannotRead = "無法讀取文件";
inline constexpr const char* kCannotWrite = "無法寫入文件";
inline constexpr const char* kCannotCreateFolder = "無法創建文件夾";
inline constexpr const char* kCannotReadFolder = "無法讀取文件夾";
// After a count: broken UTF-8 that --lossy replaced.
inline constexpr const char* kInvalidUtf8Replaced = "個無效的 UTF-8 序列已替換";
inline constexpr const char* kStandardInputClosed = "標準輸入已關閉";
inline constexpr const char* kStandardOutputClosed = "標準輸出已關閉";
inline constexpr const char* kCannotDelete = "無法刪除文件";
inline constexpr const char* kNotRegularFile = "不是普通文件";
inline constexpr const char* kEmptyFile = "文件長度為零";
inline constexpr const char* kFileTooLarge = "文件太大,內存不足";

// The system's reason for a failed file operation in the user's words for
// the common cases, with the system's own text kept after it for searching.
inline std::string SystemReason(int error, const char* systemText) {
  const char* words = nullptr;
  switch (error) {
    case EACCES:
    case EPERM:
      words = "沒有權限";
      break;
    case ENOSPC:
    case EDQUOT:
      words = "磁盤空間不足";
      break;
    case EROFS:
      words = "文件系統是只讀的";
      break;
    case ENOENT:
      words = "文件或文件夾不存在";
      break;
    case EISDIR:
      words = "這是一個文件夾";
      break;
    case ENOTDIR:
      words = "路徑中有一部分不是文件夾";
      break;
    case ENAMETOOLONG:
      words = "文件名太長";
      break;
    case EIO:
      words = "讀寫設備出錯";
      break;
    default:
      return systemText;
  }
  return std::string(words) + " (" + systemText + ")";
}

}  // namespace marlo::text
