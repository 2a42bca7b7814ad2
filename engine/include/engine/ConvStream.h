// SPDX-License-Identifier: Apache-2.0
// Converts a stream piece by piece with exactly the bytes a whole conversion
// gives. A piece is cut only where a character ends; the bytes after the cut
// wait for the next piece.
#pragma once

#include <cstdint>
#include <memory>
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
  // The operations run one after the other on each piece. With
  // secondThread a phrase step converts part of each large piece on a
  // thread of its own: phrases are the one step that keeps a processor
  // busy rather than waiting on memory.
  ConvStream(const ConvMarlo& engine, const std::vector<Operation>& operations,
             bool secondThread = false);
  ~ConvStream();
  ConvStream(const ConvStream&) = delete;
  ConvStream& operator=(const ConvStream&) = delete;

  // Converts the next piece and returns the converted bytes that are final
  // after it; they stay valid until the next call. The last call passes
  // last = true and flushes everything.
  std::string_view Feed(std::string_view piece, bool last);

  // The characters converted so far that a table could not write in its
  // target code and replaced, in every step.
  uint64_t replaced() const { return replaced_; }

 private:
  struct Step;
  struct Parts;
  class Helper;

  bool StartHelper();
  size_t RunInParts(Step& step, std::string_view text, bool last, size_t& consumed);

  const ConvMarlo& engine_;
  std::vector<Step> steps_;
  bool secondThread_;
  uint64_t replaced_ = 0;
  std::unique_ptr<Parts> parts_;    // a phrase step's piece cut up
  std::unique_ptr<Helper> helper_;  // started at the first piece it takes part in
};

}  // namespace marlo
