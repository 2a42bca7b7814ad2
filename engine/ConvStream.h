// SPDX-License-Identifier: Apache-2.0
// Converts a stream piece by piece with exactly the bytes a whole conversion
// gives. A piece is cut only where a character ends; the bytes after the cut
// wait for the next piece.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ConvMarlo.h"

namespace marlo {

// The engine's byte conversions, by name.
enum class Operation : uint8_t {
  BigToGB,
  GBToBig,
  GbkToBig,
  BigToGbk,
  USCToBig,
  BigToUSC,
  GbkToUSC,
  USCToGbk,
  BigToUSCforWide,
  GbkToUSCforWide,
  USCToGbkforNarrow,
  USCToBigforNarrow,
  BigToCNS,
};

// Runs one operation on a whole text.
std::shared_ptr<ConvResult> RunOperation(const ConvMarlo& engine, Operation operation,
                                         std::string_view text, bool IsReturnbyte = false);

// How a conversion step splits bytes into characters.
enum class CharacterParse : uint8_t {
  kBig5ToGb,  // a pair: first byte >= 0xA1 and second >= 0x40
  kGbToBig5,  // a pair: first byte >= 0xA1 and second >= 0xA1
  kTable,     // a pair: any first byte but 0x01..0x7E, whatever follows
  kWidening,  // a pair: first byte 0x81..0xFE, whatever follows
};

// The length of the longest prefix of whole characters that bytes yet to
// come cannot change: all but a last byte that could still start a pair, or
// up to a point found sooner where a character surely ends.
size_t WholeCharacterPrefix(CharacterParse parse, std::string_view bytes);

class ConvStream {
 public:
  // The operations run one after the other on each piece.
  ConvStream(const ConvMarlo& engine, const std::vector<Operation>& operations);
  ~ConvStream();
  ConvStream(const ConvStream&) = delete;
  ConvStream& operator=(const ConvStream&) = delete;

  // Converts the next piece and returns the converted bytes that are final
  // after it; they stay valid until the next call. The last call passes
  // last = true and flushes everything.
  std::string_view Feed(std::string_view piece, bool last);

 private:
  struct Step;
  void AddSteps(const ConvMarlo& engine, Operation operation);

  std::vector<Step> steps_;
};

}  // namespace marlo
