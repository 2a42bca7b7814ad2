// SPDX-License-Identifier: Apache-2.0
#include "batch/UserTexts.h"

#include <cstring>

#include "batch/ConversionRun.h"
#include "batch/Failure.h"

namespace marlo {

namespace text {

std::string SystemReason(int error, const char* systemText) {
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

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const size_t k = i + 1 < pattern.size() ? size_t(pattern[i + 1] - '1') : values.size();
    if (pattern[i] == '%' && k < values.size()) {
      out.append(values.begin()[k]);
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace text

std::string Describe(const Failure& failure) {
  using enum FailureReason;
  if (failure.reason == kOutOfMemory && failure.path.empty()) return text::kOutOfMemory;
  // In the order of FileAction.
  static constexpr const char* kActions[] = {text::kCannotOpen,       text::kCannotRead,
                                             text::kCannotWrite,      text::kCannotCreateFolder,
                                             text::kCannotReadFolder, text::kCannotDelete,
                                             text::kCannotReadStream, text::kCannotWriteStream};
  // The reasons that are words alone, in the order of FailureReason.
  static constexpr const char* kReasons[] = {nullptr,
                                             text::kNotRegularFile,
                                             text::kEmptyFile,
                                             text::kFileTooLarge,
                                             text::kOutOfMemory,
                                             text::kTargetIsSource,
                                             text::kSameNameInRun};
  std::string reason;
  switch (failure.reason) {
    case kSystem:
      reason = text::SystemReason(failure.error, std::strerror(failure.error));
      break;
    case kNotThisCode:
      reason = failure.detail + text::kNotConverted;
      break;
    case kInvalidUtf8:
      reason = text::Fill(text::kInvalidUtf8At, {std::to_string(failure.offset)});
      break;
    case kUnexpected:
      reason = failure.detail;
      break;
    default:
      reason = kReasons[size_t(failure.reason)];
  }
  return std::string(kActions[size_t(failure.action)]) + " \"" + failure.path + "\": " + reason;
}

std::string RowDescription(const RunRow& row) {
  switch (row.outcome) {
    case RowOutcome::kConverted:
      return row.readAsUtf8 ? std::string(text::kConverted) + text::kReadAsUtf8 : text::kConverted;
    // A target left alone says so: a user rerunning a batch must tell what
    // was written.
    case RowOutcome::kSkipped:
    case RowOutcome::kDeclined:
      return text::kSkippedExisting;
    case RowOutcome::kFailed:
      break;
  }
  return row.failure ? Describe(*row.failure) : std::string();
}

}  // namespace marlo
