// SPDX-License-Identifier: Apache-2.0
// The byte scans every conversion is made of. Output has the input's length:
// a pair of bytes becomes a pair, a single byte stays a single byte. Each
// scan exists once per instruction set; the fastest this processor runs is
// chosen once. Engine-internal.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "engine/ByteForms.h"
#include "engine/src/PhraseFilter.h"

namespace marlo::scan {

// Replaces the pair at s by its table entry at o (which may be s). Tables
// are native: the two bytes loaded as one word index the entry, and the
// entry holds the output bytes in memory order.
inline void TranslatePair(const uint8_t* s, uint8_t* o, const uint16_t* table) {
  uint16_t index;
  std::memcpy(&index, s, 2);
  std::memcpy(o, &table[index], 2);
}

// What tells the pairs a table replaces. converted has a bit per pair (by
// native index), clear where the table writes its target's replacement for
// another pair than the source's own space, or 00 00 for another pair than
// 00 00. Over whole blocks the scans count those from the bytes instead:
// the output pairs that are the replacement or 00 00, less the input pairs
// that are the source's space (or 00 00, where the table keeps it).
struct ReplacedPairs {
  const uint64_t* converted;
  uint8_t target[2];        // the replacement, as written
  uint8_t source[2];        // the source's own space, which becomes it
  bool countTarget = true;  // false where the replacement is 00 00 itself
  bool zeroStaysZero = true;
};

// 1 where the table replaces the pair at s: its bit in converted is clear.
inline uint64_t PairIsReplaced(const uint8_t* s, const uint64_t* converted) {
  uint16_t index;
  std::memcpy(&index, s, 2);
  return ~converted[index / 64] >> (index % 64) & 1;
}

// The same, and 1 where the table replaced the character: its bit in
// converted (by native index) is clear.
inline uint64_t TranslateCountingPair(const uint8_t* s, uint8_t* o, const uint16_t* table,
                                      const uint64_t* converted) {
  uint16_t index;
  std::memcpy(&index, s, 2);
  std::memcpy(o, &table[index], 2);
  return ~converted[index / 64] >> (index % 64) & 1;
}

// The pairs of s[0, n) read from s[0] by parse whose bit in converted is
// clear: the characters a scan through that table replaces there.
inline uint64_t CountReplaced(const uint8_t* s, size_t n, CharacterParse parse,
                              const uint64_t* converted) {
  uint64_t replaced = 0;
  size_t i = 0;
  while (i + 1 < n) {
    if (!StartsPair(parse, s[i], s[i + 1])) {
      ++i;
      continue;
    }
    uint16_t index;
    std::memcpy(&index, s + i, 2);
    replaced += ~converted[index / 64] >> (index % 64) & 1;
    i += 2;
  }
  return replaced;
}

// What the block widening looks characters up in, made for each widening
// from its tables (width::PrepareWidening).
struct WideningLookups {
  // The scan table with each single byte's code in the entries that begin
  // with it (FillWidenedScanTable).
  const uint16_t* wide;
  // How many bytes of its code a character writes, by its first byte.
  std::array<uint8_t, 256> lengths;
  // The single bytes' codes, first and second byte, as 8 rows of 16 for the
  // bytes 0x00..0x7F, each row stored as its difference (XOR) from the row
  // before: a shuffle per row and the XOR of the results look a byte up.
  std::array<std::array<uint8_t, 16>, 8> firstRows, secondRows;
  // Bit h of entry l is set where the byte h * 16 + l writes two bytes.
  std::array<uint8_t, 16> twoByteBits;
};

struct ScanVariant {
  const char* name;
  // Two bytes a, b form a pair when a >= 0xA1 and b >= minTrail; a pair is
  // replaced through pairs, any other byte is copied alone. Where starts is
  // given, it gets the pairs' starts of the whole blocks as
  // leadAndTrailStarts marks them, found on the way: room for n / 64.
  // Returns how many pairs had their bit in converted clear (characters
  // the table replaced).
  uint64_t (*leadAndTrail)(const uint8_t* s, uint8_t* o, size_t n, uint8_t minTrail,
                           const uint16_t* pairs, const ReplacedPairs& replaced, uint64_t* starts);
  // A byte 0x01..0x7E is single; any other byte starts a pair with whatever
  // follows, and the pair is replaced through the table. Returns the pairs
  // replaced, as leadAndTrail.
  uint64_t (*byTable)(const uint8_t* s, uint8_t* o, size_t n, const uint16_t* table,
                      const ReplacedPairs& replaced);
  // The widening followed by byTable, over whole 64-byte blocks from a
  // character start while a block holds none of 0x00, 0x7F, 0x80, 0xFF:
  // there both read a byte 0x01..0x7E as single and a byte 0x81..0xFE as
  // the start of a pair. Stops at the first block holding such a byte or
  // where fewer than 72 bytes remain; returns the bytes read, and the bytes
  // written in written. o needs room for 2 * n bytes.
  size_t (*widenBlocks)(const uint8_t* s, size_t n, uint8_t* o, const WideningLookups& lookups,
                        size_t& written);
  // The characters of a double-byte code as its check sees them: a byte
  // 0x81..0xFE starts a pair with the byte after it, any other byte stands
  // alone. Over whole 64-byte blocks while more than 64 bytes remain, adds
  // to characters the pairs and the lone bytes 0x80 and 0xFF, and to errors
  // those bytes and the pairs whose bit in held (by native index) is clear.
  // Returns the bytes read, which end at a character start.
  size_t (*checkBlocks)(const uint8_t* s, size_t n, const uint64_t* held, uint64_t& characters,
                        uint64_t& errors);
  // Where pairs begin as leadAndTrail reads them from s[0]: bit k of
  // starts[b] is set where one begins at byte 64 * b + k. Over whole 64-byte
  // blocks while 65 or more bytes remain, at most `blocks` of them; returns
  // the blocks marked. A pair begun at a block's byte 63 ends beyond it.
  size_t (*leadAndTrailStarts)(const uint8_t* s, size_t n, uint8_t minTrail, uint64_t* starts,
                               size_t blocks);
  // Of the pairs' starts marked in starts[0, blocks) (leadAndTrailStarts's
  // form), the offsets from s of those the filter lets through, in order;
  // returns how many. Each marked start has six bytes to read before s + n.
  // places has room for 32 * blocks + 16.
  size_t (*filterStarts)(const uint8_t* s, size_t n, const uint64_t* starts, size_t blocks,
                         const PhraseFilter& filter, uint32_t* places);
};

// Every variant this processor runs, the plain byte-at-a-time masks first
// and the fastest last. o may equal s in each.
std::span<const ScanVariant> Variants();

inline const ScanVariant& Fastest() {
  static const ScanVariant& fastest = Variants().back();
  return fastest;
}

}  // namespace marlo::scan
