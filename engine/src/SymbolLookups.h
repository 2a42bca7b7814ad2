// SPDX-License-Identifier: Apache-2.0
// The special-symbol lookups the engine works out on first use. Engine-internal.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ConvMarlo.h"

namespace marlo {

// What each special symbol finally becomes after all replacement passes, so
// a text is replaced in one pass. Only possible when every symbol is one
// two-byte character; otherwise the passes run one by one.
struct SymbolExpansions {
  bool singlePass = false;
  std::vector<int16_t> indexByCharacter;  // 65,536 entries, -1 for none
  std::vector<std::string> expansions;
};

struct ConvMarlo::SymbolLookups {
  std::once_flag built;
  SymbolExpansions toSpcBig;
  SymbolExpansions toSpcGb;
};

// One replace-all pass: every occurrence of symbol standing at a character
// start of text becomes replacement.
std::string ReplaceAtCharacterStarts(std::string_view text, std::string_view symbol,
                                     std::string_view replacement);

SymbolExpansions BuildSymbolExpansions(const std::vector<SpecialSymbol>& symbols,
                                       std::string SpecialSymbol::*replacement);

}  // namespace marlo
