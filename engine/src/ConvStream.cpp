// SPDX-License-Identifier: Apache-2.0
#include "engine/ConvStream.h"

#include <memory>
#include <stdexcept>

namespace marlo {

size_t WholeCharacterPrefix(CharacterParse parse, std::string_view bytes) {
  // Under every parse a byte 0x01..0x7E never starts a pair, so the second
  // of two such bytes in a row is a whole character: cut right after it.
  constexpr size_t kLookBack = 256;
  for (size_t p = bytes.size(); p >= 2 && bytes.size() - p < kLookBack; --p)
    if (IsSingleByte(uint8_t(bytes[p - 1])) && IsSingleByte(uint8_t(bytes[p - 2]))) return p;
  const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i + 1 < n) i += StartsPair(parse, s[i], s[i + 1]) ? 2 : 1;
  if (i == n - 1 && MayStartPair(parse, s[i])) return i;
  return n;
}

// A growing output buffer that is never cleared: converted bytes overwrite it.
class OutputBuffer {
 public:
  uint8_t* Reserve(size_t size) {
    if (size > capacity_) {
      bytes_.reset(new uint8_t[size]);
      capacity_ = size;
    }
    return bytes_.get();
  }
  std::string_view View(size_t size) const {
    return {reinterpret_cast<const char*>(bytes_.get()), size};
  }

 private:
  std::unique_ptr<uint8_t[]> bytes_;
  size_t capacity_ = 0;
};

struct ConvStream::Step {
  ConversionStep conversion;
  int pendingByte = -1;  // the widening step's byte that waits for a partner
  std::string pending;   // input bytes held back for the next piece
  std::string joined;    // pending bytes and the next piece
  OutputBuffer output;
};

ConvStream::ConvStream(const ConvMarlo& engine, const std::vector<Operation>& operations)
    : engine_(engine) {
  for (Operation operation : operations)
    for (const ConversionStep& conversion : StepsOf(operation))
      steps_.push_back({conversion, -1, {}, {}, {}});
}

ConvStream::~ConvStream() = default;

std::string_view ConvStream::Feed(std::string_view piece, bool last) {
  std::string_view input = piece;
  for (Step& step : steps_) {
    std::string_view text = input;
    if (!step.pending.empty()) {
      step.joined.assign(step.pending);
      step.joined.append(input);
      text = step.joined;
    }
    const size_t cut = last ? text.size() : WholeCharacterPrefix(step.conversion.parse, text);
    const std::string_view whole = text.substr(0, cut);
    uint8_t* out = step.output.Reserve(step.conversion.MaxOutput(whole.size()));
    size_t consumed = 0;
    const size_t size =
        engine_.RunStep(step.conversion, whole, out, step.pendingByte, last, consumed);
    step.pending.assign(text.substr(consumed));
    input = step.output.View(size);
  }
  return input;
}

}  // namespace marlo
