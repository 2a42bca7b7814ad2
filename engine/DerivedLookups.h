// SPDX-License-Identifier: Apache-2.0
// Lookups the engine derives from its code tables at InitMe. Engine-internal.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ConvMarlo.h"

namespace marlo {

// What each special symbol finally becomes after all replacement passes, so
// a text is replaced in one pass. Only possible when every symbol is one
// two-byte character; otherwise the passes run one by one.
struct SymbolExpansions {
  bool singlePass = false;
  std::vector<int16_t> indexByCharacter;  // 65,536 entries, -1 for none
  std::vector<std::string> expansions;
};

struct ConvMarlo::DerivedLookups {
  CodeTable bigToGb;
  CodeTable gbToBig;
  CodeTable bigToCns;
  // The full-width code of each byte 0x20..0x7E, 0 where there is none.
  std::array<uint16_t, 128> widenBig5{};
  std::array<uint16_t, 128> widenGbk{};
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
