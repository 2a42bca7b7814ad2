// SPDX-License-Identifier: Apache-2.0
#include "TerminalHost.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "ConversionTypes.h"
#include "UserTexts.h"

namespace marlo::cli {

void ReportReplaced(const std::string& what, uint64_t count, int32_t type) {
  const ByteForm form = ConversionTypes()[size_t(type)].source;
  const char* name = form == ByteForm::kBig5 ? "Big5" : form == ByteForm::kGbk ? "GBK" : "UCS-2";
  std::cerr << "marlo-convert: " << what << ": " << count << " 個字符無法用 " << name
            << " 表示,已替換\n";
}

TerminalHost::TerminalHost(const std::atomic<bool>& stop, int32_t type)
    : stop_(stop), type_(type) {}

bool TerminalHost::StopRequested() { return stop_.load(); }

OverwriteAnswer TerminalHost::AskOverwrite(const std::string& targetPath) {
  // Without a terminal to answer on, the safe answer is to keep the file.
  if (!::isatty(STDIN_FILENO)) return OverwriteAnswer::kSkip;
  ClearProgress();
  std::cerr << "目標文件已經存在: " << targetPath << "\n該文件已經存在,是否覆蓋? [Y/n] "
            << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return OverwriteAnswer::kSkip;
  return answer.empty() || answer == "y" || answer == "Y" || answer == "yes"
             ? OverwriteAnswer::kOverwrite
             : OverwriteAnswer::kSkip;
}

void TerminalHost::ShowError(const std::string& message) {
  ClearProgress();
  std::cerr << "marlo-convert: " << message << "\n";
}

void TerminalHost::RunStarted(int32_t fileCount) {
  total_ = fileCount;
  showProgress_ = fileCount > 1 && ::isatty(STDERR_FILENO);
}

void TerminalHost::CurrentFile(const std::string& fileName) {
  if (!showProgress_ || fileName.empty()) return;
  std::cerr << "\r\033[K[" << (converted_ + failed_ + 1) << "/" << total_
            << "] 正在處理: " << fileName << std::flush;
  progressShown_ = true;
}

void TerminalHost::ClearProgress() {
  if (progressShown_) std::cerr << "\r\033[K" << std::flush;
  progressShown_ = false;
}

void TerminalHost::AddRow(const RunRow& row) {
  ClearProgress();
  const std::string& what = row.description;
  switch (row.outcome) {
    case RowOutcome::kConverted:
      ++converted_;
      break;
    case RowOutcome::kSkipped:
    case RowOutcome::kDeclined:
      ++skipped_;
      break;
    case RowOutcome::kFailed:
      ++failed_;
      // Also where a redirected report cannot lose it.
      std::cerr << "marlo-convert: " << row.description << "\n";
      break;
  }
  const bool failed = row.outcome == RowOutcome::kFailed;
  if (row.replacedCharacters) ReportReplaced(row.fileName, row.replacedCharacters, type_);
  if (!row.warning.empty())
    std::cerr << "marlo-convert: " << row.fileName << ": " << row.warning << "\n";
  std::cout << row.fileName << "\t" << (failed ? "-" : row.seconds + "s") << "\t" << what << "\n"
            << std::flush;
}

}  // namespace marlo::cli
