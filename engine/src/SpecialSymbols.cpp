// SPDX-License-Identifier: Apache-2.0
#include <string>

#include "engine/ByteForms.h"
#include "engine/src/SymbolLookups.h"

namespace marlo {

namespace {

// Special symbols are GBK or Big5 characters.
size_t CharacterLength(std::string_view text, size_t at) {
  return marlo::CharacterLength(CharacterParse::kWidening,
                                reinterpret_cast<const uint8_t*>(text.data()) + at,
                                text.size() - at);
}

bool IsOneDoubleByteCharacter(std::string_view s) {
  return s.size() == 2 && IsDoubleByteLead(uint8_t(s[0]));
}

}  // namespace

std::string ReplaceAtCharacterStarts(std::string_view text, std::string_view symbol,
                                     std::string_view replacement) {
  if (symbol.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text.compare(i, symbol.size(), symbol) == 0) {
      out.append(replacement);
      i += symbol.size();
      continue;
    }
    const size_t length = CharacterLength(text, i);
    out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

SymbolExpansions BuildSymbolExpansions(const std::vector<SpecialSymbol>& symbols,
                                       std::string SpecialSymbol::*replacement) {
  SymbolExpansions result;
  for (const SpecialSymbol& s : symbols)
    if (!s.Symbol.empty() && !IsOneDoubleByteCharacter(s.Symbol)) return result;
  result.indexByCharacter.assign(256 * 256, -1);
  for (size_t first = 0; first < symbols.size(); ++first) {
    const std::string& symbol = symbols[first].Symbol;
    if (symbol.empty()) continue;
    const size_t character = size_t(uint8_t(symbol[0])) << 8 | uint8_t(symbol[1]);
    if (result.indexByCharacter[character] >= 0) continue;  // an earlier record took it
    // The passes before the first record that names this character leave
    // it alone; the rest may change it again.
    std::string expansion = symbol;
    for (size_t k = first; k < symbols.size(); ++k) {
      const std::string& next = symbols[k].Symbol;
      if (!next.empty() && expansion.find(next) != std::string::npos)
        expansion = ReplaceAtCharacterStarts(expansion, next, symbols[k].*replacement);
    }
    result.indexByCharacter[character] = int16_t(result.expansions.size());
    result.expansions.push_back(std::move(expansion));
  }
  result.singlePass = true;
  return result;
}

std::string ConvMarlo::ReplaceSpecialSymbols(std::string& text, bool toGb) const {
  const SymbolExpansions& table = toGb ? Symbols().toSpcGb : Symbols().toSpcBig;
  std::string out;
  if (table.singlePass) {
    out.reserve(text.size());
    size_t runStart = 0, i = 0;
    while (i < text.size()) {
      if (CharacterLength(text, i) == 1) {
        ++i;
        continue;
      }
      const int16_t index =
          table.indexByCharacter[size_t(uint8_t(text[i])) << 8 | uint8_t(text[i + 1])];
      if (index >= 0) {
        out.append(text, runStart, i - runStart);
        out.append(table.expansions[size_t(index)]);
        runStart = i + 2;
      }
      i += 2;
    }
    out.append(text, runStart, std::string::npos);
  } else {
    out = text;
    for (const SpecialSymbol& s : spcSymbols_)
      out = ReplaceAtCharacterStarts(out, s.Symbol, toGb ? s.Column2 : s.Column3);
  }
  text = out;
  return out;
}

std::string ConvMarlo::BigToSpcBig(std::string& BigStr) const {
  return ReplaceSpecialSymbols(BigStr, false);
}

std::string ConvMarlo::BigToSpcGB(std::string& BigStr) const {
  return ReplaceSpecialSymbols(BigStr, true);
}

bool ConvMarlo::BigInSpc(std::string_view BigStr) const {
  for (int32_t i = 0; i < spcCount_ && size_t(i) < spcSymbols_.size(); ++i)
    if (spcSymbols_[size_t(i)].Symbol == BigStr) return true;
  return false;
}

bool ConvMarlo::GBInSpc(std::string_view GBStr) const {
  for (int32_t i = 0; i < spcCount_ && size_t(i) < spcSymbols_.size(); ++i)
    if (spcSymbols_[size_t(i)].Column2 == GBStr) return true;
  return false;
}

}  // namespace marlo
