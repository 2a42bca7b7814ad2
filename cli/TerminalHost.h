// SPDX-License-Identifier: Apache-2.0
// The conversion run's host on a terminal: a line per file on standard
// output, questions and progress on standard error.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "batch/ConversionRun.h"

namespace marlo::cli {

// "name: N 個字符無法用 Big5 表示,已替換" on standard error.
void ReportReplaced(const std::string& what, uint64_t count, ConvType type);
// "name: N 個字符無法用 Big5 表示,已替換" on standard error, for what the
// type's own tables replaced.
void ReportUnconverted(const std::string& what, uint64_t count, ConvType type);
// "name: N 個無效的 UTF-8 序列已替換" on standard error.
void ReportInvalid(const std::string& what, uint64_t count);

// A text for a line of the report: control characters (a newline in a file
// name, C1 controls) and bytes that are no UTF-8 (a legacy name's) as
// escapes such as \n and \x9b, so one file is always one line and no name
// can command the terminal.
std::string Printable(std::string_view text);

class TerminalHost : public RunHost {
 public:
  // stop is set from a signal handler; it is read between files.
  // type: the conversion type, for naming the form in replacement reports.
  TerminalHost(const std::atomic<bool>& stop, ConvType type);

  bool StopRequested() override;
  OverwriteAnswer AskOverwrite(const std::string& targetPath) override;
  void ShowError(const std::string& message) override;
  void RunStarted(int32_t fileCount) override;
  void CurrentFile(const std::string& fileName) override;
  void AddRow(const RunRow& row) override;

  int converted() const { return converted_; }
  int skipped() const { return skipped_; }
  int failed() const { return failed_; }
  // Converted files whose rows warn: another code, characters replaced.
  int doubtful() const { return doubtful_; }

 private:
  void ClearProgress();

  const std::atomic<bool>& stop_;
  ConvType type_;
  bool showProgress_ = false;
  bool progressShown_ = false;
  int32_t total_ = 0;
  int converted_ = 0;
  int skipped_ = 0;
  int failed_ = 0;
  int doubtful_ = 0;
};

}  // namespace marlo::cli
