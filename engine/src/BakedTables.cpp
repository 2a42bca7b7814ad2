// SPDX-License-Identifier: Apache-2.0
#include "engine/src/BakedTables.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/src/ByteScan.h"
#include "engine/src/TableParsers.h"
#include "engine/src/WidthForms.h"

namespace marlo {

namespace {

using width::kFullWidthExclamation;
using width::kIdeographicSpace;

void PutNative(ScanTable& table, unsigned a, unsigned b, uint16_t code) {
  const uint8_t out[2] = {uint8_t(code >> 8), uint8_t(code & 0xFF)};
  std::memcpy(&table[NativePairIndex(uint8_t(a), uint8_t(b))], out, 2);
}

void NativeFromCodes(const CodeTable& codes, ScanTable& table) {
  for (unsigned a = 0; a < 256; ++a)
    for (unsigned b = 0; b < 256; ++b) PutNative(table, a, b, codes[a << 8 | b]);
}

}  // namespace

std::array<uint16_t, 128> FullWidthCodes(const CodeTable& fromUnicode, const CodeTable& toUnicode) {
  std::array<uint16_t, 128> codes{};
  for (unsigned c = 0x20; c <= 0x7E; ++c) {
    const uint16_t wide =
        c == 0x20 ? kIdeographicSpace : uint16_t(kFullWidthExclamation + c - 0x21);
    const uint16_t code = fromUnicode[wide];
    if (code != 0 && toUnicode[code] == wide) codes[c] = code;
  }
  return codes;
}

void FillWidenedScanTable(const uint16_t* table, const std::array<uint16_t, 128>& fullWidth,
                          uint16_t* widened) {
  std::memcpy(widened, table, 65536 * sizeof(uint16_t));
  for (unsigned c = 0x01; c <= 0x7E; ++c) {
    uint8_t code[2] = {uint8_t(c), 0};
    if (fullWidth[c] != 0) {
      const uint8_t pair[2] = {uint8_t(fullWidth[c] >> 8), uint8_t(fullWidth[c] & 0xFF)};
      scan::TranslatePair(pair, code, table);
    }
    for (unsigned next = 0; next < 256; ++next) {
      const uint8_t index[2] = {uint8_t(c), uint8_t(next)};
      uint16_t at;
      std::memcpy(&at, index, 2);
      std::memcpy(&widened[at], code, 2);
    }
  }
}

void FillHeldPairs(const CodeTables& codes,
                   std::array<PairBits, size_t(SourceCode::kBig5) + 1>& held) {
  held = {};
  auto put = [&](SourceCode code, unsigned a, unsigned b) {
    const uint16_t index = NativePairIndex(uint8_t(a), uint8_t(b));
    held[size_t(code)][index / 64] |= uint64_t(1) << (index % 64);
  };
  for (unsigned a = 0x81; a <= 0xFE; ++a) {
    for (unsigned b = 0x40; b <= 0xFF; ++b) {
      const unsigned both = a << 8 | b;
      if (codes.GbkToUscTable[both] != 0) {
        put(SourceCode::kGbk, a, b);
        if (a >= 0xA1 && a <= 0xF7 && b >= 0xA1 && b <= 0xFE) put(SourceCode::kGb2312, a, b);
      }
      if ((b <= 0x7E || (b >= 0xA1 && b <= 0xFE)) && codes.BigToUscTable[both] != 0)
        put(SourceCode::kBig5, a, b);
    }
  }
}

void FillConvertedPairs(const ScanTable& table, uint16_t sourceSpace, PairBits& converted,
                        BakedTables::ReplacementCodes& codes) {
  const uint16_t spaceIndex = NativePairIndex(uint8_t(sourceSpace >> 8), uint8_t(sourceSpace));
  const uint16_t targetSpace = table[spaceIndex];
  std::memcpy(codes.target, &targetSpace, 2);
  std::memcpy(codes.source, &spaceIndex, 2);
  codes.countTarget = targetSpace != 0;
  codes.zeroStaysZero = table[0] == 0;
  converted = {};
  for (unsigned index = 0; index < 65536; ++index) {
    const uint16_t entry = table[index];
    const bool nothing = entry == 0 && index != 0;
    const bool blank = entry == targetSpace && index != spaceIndex;
    if (!nothing && !blank) converted[index / 64] |= uint64_t(1) << (index % 64);
  }
}

namespace {

// Resource 109: lines "XXXX-YYYY", the first and last code of each run.
std::vector<bool> Gb2312Codes(std::span<const uint8_t> list) {
  std::vector<bool> taken(0x10000);
  std::string_view text(reinterpret_cast<const char*>(list.data()), list.size());
  auto hex = [](std::string_view digits) {
    unsigned value = 0;
    if (std::from_chars(digits.data(), digits.data() + 4, value, 16).ptr != digits.data() + 4)
      throw std::runtime_error("resource 109 is malformed");
    return value;
  };
  for (; text.size() >= 9; text.remove_prefix(std::min<size_t>(10, text.size())))
    for (unsigned code = hex(text.substr(0, 4)), last = hex(text.substr(5, 4)); code <= last;
         ++code)
      taken[code] = true;
  return taken;
}

// GBK by character into Big5 (Operation::GbkCharactersToBig). A GB2312
// code goes as GBToBig takes it, unless that blanks it where GbkToBig
// keeps it (a vertical form GB2312 lacks); any other GBK code as GbkToBig
// takes it.
void FillGbkCharactersToBig(BakedTables& baked, const std::vector<bool>& gb2312) {
  const CodeTables& codes = baked.codes;
  const uint16_t big5Space = codes.UscToBigTable[kIdeographicSpace];
  const uint16_t gbkSpace = codes.UscToGbkTable[kIdeographicSpace];
  ScanTable& toBig = baked.scan[size_t(ScanTableId::kGbkCharactersToBig)];
  for (unsigned code = 0; code < 0x10000; ++code) {
    const unsigned a = code >> 8, b = code & 0xFF;
    uint16_t big5 = codes.GbkToBigTable[code];
    if (gb2312[code]) {
      const uint16_t byCharacter = codes.GBToBigTable[(a <= 0xAF ? a + 6 : a) << 8 | b];
      if (byCharacter != big5Space || code == gbkSpace) big5 = byCharacter;
    }
    PutNative(toBig, a, b, big5);
  }
}

}  // namespace

std::unique_ptr<BakedTables> BuildTables(std::span<const std::span<const uint8_t>, 6> resources) {
  auto baked = std::make_unique<BakedTables>();
  std::memset(static_cast<void*>(baked.get()), 0, sizeof(BakedTables));
  baked->magic = BakedTables::kMagic;
  for (size_t i = 0; i < resources.size(); ++i)
    baked->resourceSizes[i] = uint32_t(resources[i].size());

  CodeTables& codes = baked->codes;
  FillBig5ToGbTable(resources[0], codes.BigToGBTable);
  FillGbToBig5Table(resources[1], codes.GBToBigTable);
  FillGbkUnicodeBig5Tables(resources[2], codes);
  int32_t count = 0;
  ParseSpecialSymbols(resources[4], count);  // refuse a malformed resource here already

  // The lead-and-trail scans read only pairs they would convert. A pair with
  // a byte 0xFF stays as it is; GB2312 symbol rows are stored six rows down.
  ScanTable& bigToGb = baked->scan[size_t(ScanTableId::kBigToGb)];
  ScanTable& gbToBig = baked->scan[size_t(ScanTableId::kGbToBig)];
  for (unsigned a = 0xA1; a <= 0xFF; ++a) {
    for (unsigned b = 0x40; b <= 0xFF; ++b) {
      const uint16_t both = uint16_t(a << 8 | b);
      const bool passThrough = a == 0xFF || b == 0xFF;
      PutNative(bigToGb, a, b, passThrough ? both : codes.BigToGBTable[both]);
      if (b >= 0xA1) {
        const unsigned row = a <= 0xAF ? a + 6 : a;
        PutNative(gbToBig, a, b, passThrough ? both : codes.GBToBigTable[row << 8 | b]);
      }
    }
  }
  const std::pair<ScanTableId, const CodeTable*> direct[] = {
      {ScanTableId::kGbkToBig, &codes.GbkToBigTable},
      {ScanTableId::kBigToGbk, &codes.BigToGbkTable},
      {ScanTableId::kUscToBig, &codes.UscToBigTable},
      {ScanTableId::kBigToUsc, &codes.BigToUscTable},
      {ScanTableId::kGbkToUsc, &codes.GbkToUscTable},
      {ScanTableId::kUscToGbk, &codes.UscToGbkTable},
  };
  for (const auto& [id, table] : direct) NativeFromCodes(*table, baked->scan[size_t(id)]);
  auto cns = std::make_unique<CodeTable>();
  FillBigToCnsPairs(resources[3], *cns);
  NativeFromCodes(*cns, baked->scan[size_t(ScanTableId::kBigToCns)]);

  baked->widenBig5 = FullWidthCodes(codes.UscToBigTable, codes.BigToUscTable);
  baked->widenGbk = FullWidthCodes(codes.UscToGbkTable, codes.GbkToUscTable);
  FillWidenedScanTable(baked->scan[size_t(ScanTableId::kBigToUsc)].data(), baked->widenBig5,
                       baked->widenedBigToUsc.data());
  FillWidenedScanTable(baked->scan[size_t(ScanTableId::kGbkToUsc)].data(), baked->widenGbk,
                       baked->widenedGbkToUsc.data());
  FillHeldPairs(codes, baked->heldPairs);
  FillGbkCharactersToBig(*baked, Gb2312Codes(resources[5]));

  const uint16_t big5Space = codes.UscToBigTable[kIdeographicSpace];
  const uint16_t gbkSpace = codes.UscToGbkTable[kIdeographicSpace];
  const std::pair<ScanTableId, uint16_t> sourceSpaces[] = {
      {ScanTableId::kBigToGb, big5Space},          {ScanTableId::kGbToBig, gbkSpace},
      {ScanTableId::kGbkToBig, gbkSpace},          {ScanTableId::kBigToGbk, big5Space},
      {ScanTableId::kUscToBig, kIdeographicSpace}, {ScanTableId::kBigToUsc, big5Space},
      {ScanTableId::kGbkToUsc, gbkSpace},          {ScanTableId::kUscToGbk, kIdeographicSpace},
      {ScanTableId::kBigToCns, big5Space},         {ScanTableId::kGbkCharactersToBig, gbkSpace},
  };
  static_assert(std::size(sourceSpaces) == kScanTableCount);
  for (const auto& [id, space] : sourceSpaces)
    FillConvertedPairs(baked->scan[size_t(id)], space, baked->convertedPairs[size_t(id)],
                       baked->replacementCodes[size_t(id)]);
  return baked;
}

}  // namespace marlo
