// SPDX-License-Identifier: Apache-2.0
// The byte scans every conversion is made of. Output has the input's length:
// a pair of bytes becomes a pair, a single byte stays a single byte. Each
// scan exists once per instruction set; the fastest this processor runs is
// chosen once. Engine-internal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace marlo::scan {

// Replaces the pair at s by its table entry at o (which may be s). Tables
// are native: the two bytes loaded as one word index the entry, and the
// entry holds the output bytes in memory order.
inline void TranslatePair(const uint8_t* s, uint8_t* o, const uint16_t* table) {
  uint16_t index;
  std::memcpy(&index, s, 2);
  std::memcpy(o, &table[index], 2);
}

struct ScanVariant {
  const char* name;
  // Two bytes a, b form a pair when a >= 0xA1 and b >= minTrail; a pair is
  // replaced through pairs, any other byte is copied alone.
  void (*leadAndTrail)(const uint8_t* s, uint8_t* o, size_t n, uint8_t minTrail,
                       const uint16_t* pairs);
  // A byte 0x01..0x7E is single; any other byte starts a pair with whatever
  // follows, and the pair is replaced through the table.
  void (*byTable)(const uint8_t* s, uint8_t* o, size_t n, const uint16_t* table);
};

// Every variant this processor runs, the plain byte-at-a-time masks first
// and the fastest last. o may equal s in each.
std::span<const ScanVariant> Variants();

inline const ScanVariant& Fastest() {
  static const ScanVariant& fastest = Variants().back();
  return fastest;
}

}  // namespace marlo::scan
