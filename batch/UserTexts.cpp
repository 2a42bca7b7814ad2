// SPDX-License-Identifier: Apache-2.0
#include "batch/UserTexts.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <span>

#include "batch/ConversionPipeline.h"
#include "batch/ConversionRun.h"
#include "batch/Failure.h"
#include "batch/InputCheck.h"
#include "batch/Language.h"
#include "batch/TextFile.h"

namespace marlo {

namespace text {

namespace {

struct Translation {
  std::string_view source, translated;
};

// Generated from the translation files: the words of this file's table in
// each language but the one they are written in, sorted by source.
#include "batch/TranslatedTexts.inc"

std::span<const Translation> TranslationsOf(Language language) {
  switch (language) {
    case Language::kSimplified:
      return kSimplifiedTexts;
    case Language::kEnglish:
      return kEnglishTexts;
    case Language::kTraditional:
      break;
  }
  return {};
}

}  // namespace

const char* Tr(const char* source) {
  const auto table = TranslationsOf(CurrentLanguage());
  const std::string_view key(source);
  const auto found =
      std::lower_bound(table.begin(), table.end(), key,
                       [](const Translation& t, std::string_view k) { return t.source < k; });
  return found != table.end() && found->source == key ? found->translated.data() : source;
}

std::string SystemReason(int error, const char* systemText) {
  const char* words = nullptr;
  switch (error) {
    case EACCES:
    case EPERM:
      words = QT_TRANSLATE_NOOP("UserTexts", "沒有權限");
      break;
    case ENOSPC:
    case EDQUOT:
      words = QT_TRANSLATE_NOOP("UserTexts", "磁盤空間不足");
      break;
    case EROFS:
      words = QT_TRANSLATE_NOOP("UserTexts", "文件系統是只讀的");
      break;
    case ENOENT:
      words = QT_TRANSLATE_NOOP("UserTexts", "文件或文件夾不存在");
      break;
    case EISDIR:
      words = QT_TRANSLATE_NOOP("UserTexts", "這是一個文件夾");
      break;
    case ENOTDIR:
      words = QT_TRANSLATE_NOOP("UserTexts", "路徑中有一部分不是文件夾");
      break;
    case ENAMETOOLONG:
      words = QT_TRANSLATE_NOOP("UserTexts", "文件名太長");
      break;
    case EIO:
      words = QT_TRANSLATE_NOOP("UserTexts", "讀寫設備出錯");
      break;
    default:
      return systemText;
  }
  return std::string(Tr(words)) + " (" + systemText + ")";
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
  if (failure.reason == kOutOfMemory && failure.path.empty()) return text::Tr(text::kOutOfMemory);
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
                                             text::kSameNameInRun,
                                             text::kSymbolicLink};
  static_assert(std::size(kActions) == size_t(FileAction::kWriteStream) + 1,
                "one word per action, in the order of FileAction");
  static_assert(std::size(kReasons) == size_t(FailureReason::kSymbolicLink) + 1,
                "one word per reason, in the order of FailureReason, up to the last plain one");
  std::string reason;
  switch (failure.reason) {
    case kSystem:
      reason = text::SystemReason(failure.error, std::strerror(failure.error));
      break;
    case kNotThisCode:
      reason = (failure.verdict ? Describe(*failure.verdict) : std::string()) +
               text::Tr(text::kNotConverted);
      break;
    case kInvalidUtf8:
      reason = text::Fill(text::Tr(text::kInvalidUtf8At), {std::to_string(failure.offset)});
      break;
    case kUnexpected:
      reason = failure.detail;
      break;
    case kEngineNotReady:  // no file's fault: the words alone
      return text::Tr(text::kEngineNotReady);
    case kCharacterReplaced:
      reason = text::Fill(text::Tr(text::kCharacterWouldBeReplaced), {failure.detail}) +
               text::Tr(text::kNotConverted);
      break;
    default:
      reason = text::Tr(kReasons[size_t(failure.reason)]);
  }
  return std::string(text::Tr(kActions[size_t(failure.action)])) + " \"" + failure.path +
         "\": " + reason;
}

std::string Describe(const CodeVerdict& verdict) {
  char share[32];
  std::snprintf(share, sizeof share, "%.1f%%", verdict.invalidShare * 100.0);
  std::string words =
      text::Fill(text::Tr(text::kNotThisCode), {SourceCodeName(verdict.expected), share});
  if (verdict.likely)
    words += text::Fill(text::Tr(text::kLooksLike), {SourceCodeName(*verdict.likely)});
  return words;
}

std::string DescribeError(const std::exception& e) {
  if (const auto* file = dynamic_cast<const textfile::FileError*>(&e))
    return Describe(file->failure());
  if (const auto* input = dynamic_cast<const InputError*>(&e)) return Describe(input->failure());
  if (dynamic_cast<const std::bad_alloc*>(&e)) return text::Tr(text::kOutOfMemory);
  return e.what();
}

std::string RowDescription(const RunRow& row) {
  switch (row.outcome) {
    case RowOutcome::kConverted:
      return std::string(text::Tr(text::kConverted)) +
             (row.readAsUtf8 ? text::Tr(text::kReadAsUtf8) : "");
    // A target left alone says so: a user rerunning a batch must tell what
    // was written.
    case RowOutcome::kSkipped:
    case RowOutcome::kDeclined:
      if (row.verdict)  // left alone for its doubted code (--on-doubt skip)
        return text::Fill(text::Tr(text::kSkippedDoubted), {Describe(*row.verdict)});
      return text::Tr(text::kSkippedExisting);
    case RowOutcome::kFailed:
      break;
  }
  return row.failure ? Describe(*row.failure) : std::string();
}

std::string ReplacedText(uint64_t count, ConvType type) {
  return text::Fill(text::Tr(text::kCharactersReplaced),
                    {std::to_string(count), EncodedCodeName(type, FormEncodedFromUtf8(type))});
}

std::string UnconvertedText(uint64_t count, ConvType type) {
  return text::Fill(text::Tr(text::kCharactersReplaced),
                    {std::to_string(count), ReplacingCodeName(type)});
}

std::string InvalidText(uint64_t count) {
  return std::to_string(count) + " " + text::Tr(text::kInvalidUtf8Replaced);
}

std::string RowWarnings(const RunRow& row, ConvType type) {
  if (row.outcome != RowOutcome::kConverted) return {};
  std::string warnings = row.verdict ? Describe(*row.verdict) : std::string();
  auto add = [&](const std::string& warning) {
    if (!warnings.empty()) warnings += "; ";
    warnings += warning;
  };
  if (row.replacedCharacters) add(ReplacedText(row.replacedCharacters, type));
  if (row.unconvertedCharacters) add(UnconvertedText(row.unconvertedCharacters, type));
  if (row.invalidSequences) add(InvalidText(row.invalidSequences));
  return warnings;
}

}  // namespace marlo
