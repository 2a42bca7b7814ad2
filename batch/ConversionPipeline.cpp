// SPDX-License-Identifier: Apache-2.0
#include "ConversionPipeline.h"

#include "ConversionTypes.h"
#include "InputCheck.h"
#include "UserTexts.h"

namespace marlo {

ConversionPipeline::ConversionPipeline(const ConvMarlo& engine, int32_t type, const TextEnds& ends,
                                       bool checkInput, bool strict, bool phrases)
    : engine_(engine),
      type_(type),
      strict_(strict),
      checked_(!checkInput || ends.fromUtf8),  // UTF-8 input is checked by its decoding
      stream_(engine, OperationsOf(type, phrases)) {
  const ConversionType& info = ConversionTypes()[size_t(type)];
  if (ends.fromUtf8)
    fromUtf8_.emplace(engine, info.source, ends.lossy, SourceCodeOf(type) == SourceCode::kGb2312);
  if (ends.toUtf8) toUtf8_.emplace(engine, info.target);
}

void ConversionPipeline::Check(std::string_view piece, bool last) {
  head_.append(piece.substr(0, kCheckedBytes - head_.size()));
  checked_ = last || head_.size() >= kCheckedBytes;
  // Strict looks at every piece, so that nothing of a refused input is
  // converted; a warning waits for the whole checked start.
  if (!strict_ && !checked_) return;
  const std::string message = CheckMessage(engine_, type_, head_);
  if (!message.empty() && strict_) throw InputError(message + text::kNotConverted);
  if (checked_) warning_ = message;
}

std::string_view ConversionPipeline::Feed(std::string_view piece, bool last) {
  if (!checked_) Check(piece, last);
  try {
    if (fromUtf8_) piece = fromUtf8_->Feed(piece, last);
  } catch (const Utf8Error& e) {
    throw InputError(e.what());
  }
  const std::string_view out = stream_.Feed(piece, last);
  return toUtf8_ ? toUtf8_->Feed(out, last) : out;
}

}  // namespace marlo
