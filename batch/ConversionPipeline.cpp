// SPDX-License-Identifier: Apache-2.0
#include "batch/ConversionPipeline.h"

#include "batch/ConversionTypes.h"
#include "batch/InputCheck.h"
#include "batch/UserTexts.h"

namespace marlo {

InputError::InputError(Failure failure)
    : std::runtime_error(Describe(failure)), failure_(std::move(failure)) {}

ConversionPipeline::ConversionPipeline(const ConvMarlo& engine, ConvType type, const TextEnds& ends,
                                       bool checkInput, bool strict, bool phrases)
    : engine_(engine),
      type_(type),
      strict_(strict),
      checked_(!checkInput || ends.fromUtf8),  // UTF-8 input is checked by its decoding
      stream_(engine, OperationsOf(type, phrases)) {
  const ConversionType& info = TypeInfo(type);
  if (ends.fromUtf8)
    fromUtf8_.emplace(engine, info.source, ends.lossy, SourceCodeOf(type) == SourceCode::kGb2312);
  if (ends.toUtf8) toUtf8_.emplace(engine, info.target);
}

void ConversionPipeline::Check(std::string_view piece, bool last) {
  head_.append(piece.substr(0, kCheckedBytes - head_.size()));
  if (!last && head_.size() < kCheckedBytes) return;
  // One verdict on the whole checked start, however the input came in
  // pieces: the warning's and strict's alike.
  checked_ = true;
  warning_ = CheckMessage(engine_, type_, head_);
  std::string().swap(head_);
  if (!warning_.empty() && strict_)
    throw InputError({FileAction::kRead, FailureReason::kNotThisCode, {}, 0, 0, warning_});
}

std::string_view ConversionPipeline::Feed(std::string_view piece, bool last) {
  released_.clear();
  const bool judging = !checked_;
  if (judging) Check(piece, last);
  try {
    if (fromUtf8_) piece = fromUtf8_->Feed(piece, last);
  } catch (const Utf8Error& e) {
    throw InputError({FileAction::kRead, FailureReason::kInvalidUtf8, {}, 0, e.offset()});
  }
  std::string_view out = stream_.Feed(piece, last);
  if (toUtf8_) out = toUtf8_->Feed(out, last);
  if (!strict_ || !judging) return out;
  // Strict: nothing of an input goes out before the verdict on its start.
  held_.append(out);
  if (!checked_) return {};
  released_.swap(held_);
  return released_;
}

}  // namespace marlo
