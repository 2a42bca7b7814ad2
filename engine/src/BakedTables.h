// SPDX-License-Identifier: Apache-2.0
// Every table the engine reads, worked out from the embedded resources when
// the program is built (tools/baketables) and linked in as read-only data,
// so starting the engine parses nothing. Engine-internal.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "engine/CodeTables.h"
#include "engine/Operations.h"

namespace marlo {

// The scan tables are indexed by a pair's two bytes loaded as one native
// word, and each entry holds the output pair as it lies in memory: a scan
// copies two bytes in and two bytes out and never swaps them, on either
// byte order.
using ScanTable = CodeTable;

// One bit per pair, by native index.
using PairBits = std::array<uint64_t, 65536 / 64>;

struct BakedTables {
  static constexpr std::array<char, 8> kMagic = {'M', 'A', 'R', 'L', 'O', 'T', 'B', '2'};
  std::array<char, 8> magic;
  // The sizes of the resources (kBakedResourceIds) the tables were made from.
  std::array<uint32_t, 6> resourceSizes;
  uint32_t reserved[2];

  CodeTables codes;  // by code value, first byte in the high half
  std::array<ScanTable, kScanTableCount> scan;
  // The full-width code of each byte 0x20..0x7E, 0 where there is none.
  std::array<uint16_t, 128> widenBig5;
  std::array<uint16_t, 128> widenGbk;
  // The Unicode scan tables with the widened single bytes in them
  // (FillWidenedScanTable).
  ScanTable widenedBigToUsc;
  ScanTable widenedGbkToUsc;
  // For the input check, by source code (GB2312, GBK, Big5) and native
  // pair index, a bit set where the code's tables hold the pair
  // (FillHeldPairs).
  std::array<PairBits, size_t(SourceCode::kBig5) + 1> heldPairs;
  // For each scan table, by native pair index, a bit set where the table
  // writes the pair as a character of its target; clear where it writes the
  // target's replacement (the code its source's ideographic space gets) for
  // another pair, or nothing (00 00) for a pair other than 00 00. The
  // scans count the clear ones: characters replaced (FillConvertedPairs).
  std::array<PairBits, kScanTableCount> convertedPairs;
  // And the codes that tell them over whole blocks (scan::ReplacedPairs),
  // by scan table: the replacement and the source's space as written, and
  // whether the replacement is counted and 00 00 stays 00 00.
  struct ReplacementCodes {
    uint8_t target[2];
    uint8_t source[2];
    uint8_t countTarget;
    uint8_t zeroStaysZero;
  };
  std::array<ReplacementCodes, kScanTableCount> replacementCodes;
};

// The resources the tables are made from, in the order BuildTables takes
// them: the five code tables and the GB2312 code list.
inline constexpr std::array<int, 6> kBakedResourceIds = {101, 102, 103, 104, 105, 109};

// The native index of the pair a, b.
inline uint16_t NativePairIndex(uint8_t a, uint8_t b) {
  const uint8_t bytes[2] = {a, b};
  uint16_t index;
  __builtin_memcpy(&index, bytes, 2);
  return index;
}

// Works the tables out from the resources of kBakedResourceIds, in that
// order. Throws std::runtime_error when a resource does not have its
// expected layout.
std::unique_ptr<BakedTables> BuildTables(std::span<const std::span<const uint8_t>, 6> resources);

// The full-width code of each byte 0x20..0x7E in a double-byte code page:
// used only where the tables map the code back to the full-width character.
std::array<uint16_t, 128> FullWidthCodes(const CodeTable& fromUnicode, const CodeTable& toUnicode);

// The scan table (65,536 native entries) with, in the entries whose first
// byte is 0x01..0x7E, what that byte comes out as after widening and the
// scan: its full-width code translated, or the byte itself where it does not
// widen. Widening reads every character through it, pairs and singles alike.
void FillWidenedScanTable(const uint16_t* table, const std::array<uint16_t, 128>& fullWidth,
                          uint16_t* widened);

// The pairs a check of each code accepts: a Big5 pair with a second byte
// 0x40..0x7E or 0xA1..0xFE, a GBK pair with one from 0x40 up, a GB2312 pair
// in rows 0xA1..0xF7 and cells 0xA1..0xFE, and each only where its Unicode
// table holds a character.
void FillHeldPairs(const CodeTables& codes,
                   std::array<PairBits, size_t(SourceCode::kBig5) + 1>& held);

// The bits of convertedPairs for one scan table whose source reads its
// ideographic space as sourceSpace (by code value).
void FillConvertedPairs(const ScanTable& table, uint16_t sourceSpace, PairBits& converted,
                        BakedTables::ReplacementCodes& codes);

// Big5 → CNS 11643 for every pair, from the rules and resource 104.
void FillBigToCnsPairs(std::span<const uint8_t> cnsData, CodeTable& pairs);

}  // namespace marlo
