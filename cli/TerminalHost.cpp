// SPDX-License-Identifier: Apache-2.0
#include "cli/TerminalHost.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "batch/ConversionTypes.h"
#include "batch/UserTexts.h"

namespace marlo::cli {

void ReportReplaced(const std::string& what, uint64_t count, ConvType type) {
  std::cerr << "marlo-convert: " << Printable(what) << ": " << ReplacedText(count, type) << "\n";
}

void ReportUnconverted(const std::string& what, uint64_t count, ConvType type) {
  std::cerr << "marlo-convert: " << Printable(what) << ": " << UnconvertedText(count, type) << "\n";
}

void ReportInvalid(const std::string& what, uint64_t count) {
  std::cerr << "marlo-convert: " << Printable(what) << ": " << InvalidText(count) << "\n";
}

namespace {

// The length of the valid UTF-8 sequence at s[0], or 0. A C1 control
// (U+0080..U+009F) counts as invalid here: a terminal may take it as the
// start of a command, as it may a raw 0x9B.
size_t PrintableSequence(const uint8_t* s, size_t n) {
  const uint8_t b = s[0];
  const size_t length = b >= 0xC2 && b <= 0xDF   ? 2
                        : b >= 0xE0 && b <= 0xEF ? 3
                        : b >= 0xF0 && b <= 0xF4 ? 4
                                                 : 0;
  if (length == 0 || length > n) return 0;
  for (size_t k = 1; k < length; ++k)
    if ((s[k] & 0xC0) != 0x80) return 0;
  if (b == 0xC2 && s[1] < 0xA0) return 0;                                    // C1 controls
  if ((b == 0xE0 && s[1] < 0xA0) || (b == 0xF0 && s[1] < 0x90)) return 0;    // overlong
  if ((b == 0xED && s[1] >= 0xA0) || (b == 0xF4 && s[1] >= 0x90)) return 0;  // surrogates, beyond
  return length;
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto b = uint8_t(c);
    if (b >= 0x20 && b < 0x7F) {
      out += c;
      continue;
    }
    if (b >= 0x80) {
      if (const size_t length = PrintableSequence(s + i, text.size() - i)) {
        out.append(text.substr(i, length));
        i += length - 1;
        continue;
      }
    }
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default: {
        static constexpr char kHex[] = "0123456789abcdef";
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
      }
    }
  }
  return out;
}

TerminalHost::TerminalHost(const std::atomic<bool>& stop, ConvType type)
    : stop_(stop), type_(type) {}

bool TerminalHost::StopRequested() { return stop_.load(); }

OverwriteAnswer TerminalHost::AskOverwrite(const std::string& targetPath) {
  // Without a terminal to answer on, the safe answer is to keep the file.
  if (!::isatty(STDIN_FILENO)) return OverwriteAnswer::kSkip;
  ClearProgress();
  std::cerr << text::Tr(text::kOverwriteTitle) << ": " << Printable(targetPath) << "\n"
            << text::Tr(text::kOverwriteQuestion) << text::Tr(text::kYesNo) << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return OverwriteAnswer::kSkip;
  return answer.empty() || answer == "y" || answer == "Y" || answer == "yes"
             ? OverwriteAnswer::kOverwrite
             : OverwriteAnswer::kSkip;
}

void TerminalHost::ShowError(const std::string& message) {
  ClearProgress();
  std::cerr << "marlo-convert: " << Printable(message) << "\n";
}

void TerminalHost::RunStarted(int32_t fileCount) {
  total_ = fileCount;
  // -1: a tree walked while it converts, of a length known at its end.
  showProgress_ = (fileCount > 1 || fileCount < 0) && ::isatty(STDERR_FILENO);
}

void TerminalHost::CurrentFile(const std::string& fileName) {
  if (!showProgress_ || fileName.empty()) return;
  std::cerr << "\r\033[K[" << (converted_ + skipped_ + failed_ + 1);
  if (total_ > 0) std::cerr << "/" << total_;
  std::cerr << "] " << text::Tr(text::kProcessing) << Printable(fileName) << std::flush;
  progressShown_ = true;
}

void TerminalHost::ClearProgress() {
  if (progressShown_) std::cerr << "\r\033[K" << std::flush;
  progressShown_ = false;
}

void TerminalHost::AddRow(const RunRow& row) {
  ClearProgress();
  const std::string name = Printable(row.fileName), what = Printable(RowDescription(row));
  switch (row.outcome) {
    case RowOutcome::kConverted:
      ++converted_;
      doubtful_ += !RowWarnings(row, type_).empty();
      break;
    case RowOutcome::kSkipped:
    case RowOutcome::kDeclined:
      ++skipped_;
      break;
    case RowOutcome::kFailed:
      ++failed_;
      // Also where a redirected report cannot lose it.
      std::cerr << "marlo-convert: " << what << "\n";
      break;
  }
  const bool failed = row.outcome == RowOutcome::kFailed;
  if (row.replacedCharacters) ReportReplaced(row.fileName, row.replacedCharacters, type_);
  if (row.unconvertedCharacters) ReportUnconverted(row.fileName, row.unconvertedCharacters, type_);
  if (row.invalidSequences) ReportInvalid(row.fileName, row.invalidSequences);
  if (row.verdict) std::cerr << "marlo-convert: " << name << ": " << Describe(*row.verdict) << "\n";
  std::cout << name << "\t" << (failed ? "-" : row.seconds + "s") << "\t" << what << "\n"
            << std::flush;
}

}  // namespace marlo::cli
