// SPDX-License-Identifier: Apache-2.0
// Converts a stream piece by piece with exactly the bytes a whole conversion
// gives. A piece is cut only where a character ends; the bytes after the cut
// wait for the next piece.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ConvMarlo.h"
#include "engine/Operations.h"

namespace marlo {

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

  const ConvMarlo& engine_;
  std::vector<Step> steps_;
};

}  // namespace marlo
