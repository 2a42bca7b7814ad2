// SPDX-License-Identifier: Apache-2.0
#include "batch/ConversionPipeline.h"

#include <algorithm>

#include "batch/ConversionTypes.h"
#include "batch/InputCheck.h"
#include "batch/UserTexts.h"

namespace marlo {

InputError::InputError(Failure failure)
    : std::runtime_error("marlo::InputError (its words: Describe(failure()))"),
      failure_(std::move(failure)) {}

namespace {

// Whether UTF-8 at this end bypasses the type's steps (see FormEncodedFromUtf8).
bool Bypasses(ConvType type, const TextEnds& ends) {
  const ConversionType& info = TypeInfo(type);
  return info.source != info.target && ((ends.fromUtf8 && info.source == ByteForm::kUcs) ||
                                        (ends.toUtf8 && info.target == ByteForm::kUcs));
}

std::vector<Operation> Operations(ConvType type, const TextEnds& ends, bool phrases) {
  if (Bypasses(type, ends)) return {};
  if (ends.gbkByCharacter && type == ConvType::kGbkToBig) return {Operation::GbkCharactersToBig};
  return OperationsOf(type, phrases);
}

}  // namespace

ConversionPipeline::ConversionPipeline(const ConvMarlo& engine, ConvType type, const TextEnds& ends,
                                       bool checkInput, bool strict, bool phrases,
                                       bool secondThread)
    : engine_(engine),
      type_(type),
      strict_(strict),
      bypassed_(Bypasses(type, ends)),
      checked_(!checkInput || ends.fromUtf8),  // UTF-8 input is checked by its decoding
      stream_(engine, Operations(type, ends, phrases), secondThread) {
  // Without its tables the engine turns every character into zero bytes:
  // no caller may take those for a conversion.
  if (!engine.IsReady()) throw InputError({FileAction::kRead, FailureReason::kEngineNotReady});
  const ConversionType& info = TypeInfo(type);
  if (ends.toUtf8 && !WritesUtf8(type))
    throw std::invalid_argument(GetConvTypeName(type) + " cannot write UTF-8");
  if (ends.fromUtf8)
    fromUtf8_.emplace(engine, FormEncodedFromUtf8(type), ends.lossy,
                      SourceCodeOf(type) == SourceCode::kGb2312);
  if (ends.toUtf8) toUtf8_.emplace(engine, FormDecodedToUtf8(type));
  if (!Bypasses(type, ends)) return;
  // What the bypassed steps do beside changing the form, done in the form
  // that stays: the wide types widen ASCII, the narrow ones narrow it.
  const Operation operation = info.operations.front();
  if (ends.toUtf8 &&
      (operation == Operation::BigToUSCforWide || operation == Operation::GbkToUSCforWide)) {
    for (size_t b = 1; b < widened_.size(); ++b) {
      const char c = char(b);
      const std::string unit = engine.Run(operation, std::string_view(&c, 1))->strResult;
      if (unit.size() == 2)  // one unit, high byte first
        AppendUtf8(widened_[b], char32_t(uint8_t(unit[0]) << 8 | uint8_t(unit[1])));
    }
    widen_ = true;
  }
  narrow_ = ends.fromUtf8 && (operation == Operation::USCToGbkforNarrow ||
                              operation == Operation::USCToBigforNarrow);
}

// U+FF01..U+FF5E (EF BC 81..EF BD 9E) become 0x21..0x7E, appended to out.
static void NarrowInto(std::string_view text, std::string& out) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = uint8_t(text[i]);
    if (b == 0xEF && i + 2 < text.size()) {
      const auto second = uint8_t(text[i + 1]), third = uint8_t(text[i + 2]);
      if (second == 0xBC && third >= 0x81 && third <= 0xBF) {
        out += char(0x21 + (third - 0x81));
        i += 2;
        continue;
      }
      if (second == 0xBD && third >= 0x80 && third <= 0x9E) {
        out += char(0x60 + (third - 0x80));
        i += 2;
        continue;
      }
    }
    out += char(b);
  }
}

// A sequence cut by the end of a piece waits for the next one: its first
// byte or two are held back and go in front of the next piece, which is
// copied only then.
std::string_view ConversionPipeline::NarrowUtf8(std::string_view utf8, bool last) {
  narrowOut_.clear();
  std::string joined;
  if (!narrowHeld_.empty()) {
    joined = std::move(narrowHeld_);
    narrowHeld_.clear();
    joined.append(utf8);
    utf8 = joined;
  }
  if (!last) {
    size_t keep = 0;
    if (utf8.ends_with("\xEF")) keep = 1;
    if (utf8.ends_with("\xEF\xBC") || utf8.ends_with("\xEF\xBD")) keep = 2;
    narrowHeld_.assign(utf8.substr(utf8.size() - keep));
    utf8.remove_suffix(keep);
  }
  NarrowInto(utf8, narrowOut_);
  return narrowOut_;
}

std::string_view ConversionPipeline::Widen(std::string_view utf8) {
  widenOut_.clear();
  for (const char c : utf8) {
    const auto b = uint8_t(c);
    if (b < 0x80 && !widened_[b].empty())
      widenOut_ += widened_[b];
    else
      widenOut_ += c;
  }
  return widenOut_;
}

void ConversionPipeline::Check(std::string_view piece, bool last) {
  head_.append(piece.substr(0, kCheckedBytes - head_.size()));
  if (!last && head_.size() < kCheckedBytes) return;
  // One verdict on the whole checked start, however the input came in
  // pieces: the warning's and strict's alike.
  checked_ = true;
  // A start of exactly the checked size is judged as a start whether the
  // input ends there or not, as the UTF-8 detection does.
  verdict_ = CheckInput(engine_, type_, head_, head_.size() < kCheckedBytes);
  std::string().swap(head_);
  if (verdict_ && strict_)
    throw InputError(
        {.action = FileAction::kRead, .reason = FailureReason::kNotThisCode, .verdict = verdict_});
}

uint64_t ConversionPipeline::unconverted() const {
  // Around the steps, the decoder meets the codes the steps' tables lack.
  return stream_.replaced() + (bypassed_ && toUtf8_ ? toUtf8_->replaced() : 0);
}

void ConversionPipeline::RefuseReplaced() const {
  const char* code = nullptr;
  if (replaced() > 0) code = EncodedCodeName(type_, FormEncodedFromUtf8(type_));
  if (unconverted() > 0) code = ReplacingCodeName(type_);
  if (code != nullptr)
    throw InputError(
        {.action = FileAction::kRead, .reason = FailureReason::kCharacterReplaced, .detail = code});
}

std::string_view ConversionPipeline::Feed(std::string_view piece, bool last) {
  released_.clear();
  const bool judging = !checked_;
  if (judging) Check(piece, last);
  try {
    if (narrow_) piece = NarrowUtf8(piece, last);
    if (fromUtf8_) piece = fromUtf8_->Feed(piece, last);
  } catch (const Utf8Error& e) {
    throw InputError({FileAction::kRead, FailureReason::kInvalidUtf8, {}, 0, e.offset()});
  }
  std::string_view out = stream_.Feed(piece, last);
  if (toUtf8_) out = toUtf8_->Feed(out, last);
  // Held output waits for the check's verdict, which speaks first: the
  // same refusal however the input comes in pieces.
  if (strict_ && checked_) RefuseReplaced();
  if (widen_) out = Widen(out);
  if (!strict_ || !judging) return out;
  // Strict: nothing of an input goes out before the verdict on its start.
  held_.append(out);
  if (!checked_) return {};
  released_.swap(held_);
  return released_;
}

}  // namespace marlo
