// SPDX-License-Identifier: Apache-2.0
// The words the batch conversion shows its user, in one place: the window
// and marlo-convert show the same texts.
#pragma once

namespace marlo::text {

inline constexpr const char* kConverted = "轉換成功";
inline constexpr const char* kNoTargetFolder = "請輸入目標路徑!";
inline constexpr const char* kOverwriteQuestion = "該文件已經存在,是否覆蓋?";
inline constexpr const char* kOverwriteTitle = "目標文件已經存在";
inline constexpr const char* kOutOfMemory = "內存不足,無法轉換該文件";
inline constexpr const char* kTargetIsSource = "目標文件就是源文件,未覆蓋";
inline constexpr const char* kSameNameInRun = "與本次轉換的另一個文件同名,未寫入";
inline constexpr const char* kNotConverted = ",未轉換";
// marlo-convert's row for a target that was there and was left alone.
inline constexpr const char* kSkippedExisting = "已跳過(目標文件已存在)";
inline constexpr const char* kEngineNotReady = "無法載入轉換碼表,不能轉換文件。請重新安裝本程序。";

// File access: an action, then the path and the reason.
inline constexpr const char* kCannotOpen = "無法打開文件";
inline constexpr const char* kCannotRead = "無法讀取文件";
inline constexpr const char* kCannotWrite = "無法寫入文件";
inline constexpr const char* kCannotCreateFolder = "無法創建文件夾";
inline constexpr const char* kCannotDelete = "無法刪除文件";
inline constexpr const char* kNotRegularFile = "不是普通文件";
inline constexpr const char* kEmptyFile = "文件長度為零";
inline constexpr const char* kFileTooLarge = "文件太大,內存不足";

}  // namespace marlo::text
