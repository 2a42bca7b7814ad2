// The byte scans every conversion is made of. Output has the input's length:
// a pair of bytes becomes a pair, a single byte stays a single byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace marlo::scan {

// Bit 7 of each byte lane is set where the lane is at least 0x80.
constexpr uint64_t kHighBits = 0x8080808080808080ull;
constexpr uint64_t kOnes = 0x0101010101010101ull;

inline uint64_t LoadWord(const uint8_t* p) {
  uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

// True when some byte of the word is 0x00, 0x7F or at least 0x80. Carries
// between lanes only start at such bytes, so the answer is exact.
inline bool HasNonPrintable(uint64_t w) {
  return ((w | (w + kOnes) | (w - kOnes)) & kHighBits) != 0;
}

// Copies bytes from position i while they are at most 0x7F (all of them
// single bytes for a scan whose lead bytes are at least 0x80); returns the
// position of the first byte not copied.
inline size_t CopyBelow80Run(const uint8_t* s, uint8_t* o, size_t i, size_t n) {
  for (; i + 8 <= n; i += 8) {
    const uint64_t w = LoadWord(s + i);
    if (w & kHighBits) break;
    std::memcpy(o + i, &w, sizeof w);
  }
  for (; i < n && s[i] < 0x80; ++i) o[i] = s[i];
  return i;
}

// The same for bytes 0x01..0x7E, the single bytes of a scan where 0x00 and
// 0x7F start pairs as well.
inline size_t CopyPrintableRun(const uint8_t* s, uint8_t* o, size_t i, size_t n) {
  for (; i + 8 <= n; i += 8) {
    const uint64_t w = LoadWord(s + i);
    if (HasNonPrintable(w)) break;
    std::memcpy(o + i, &w, sizeof w);
  }
  for (; i < n && uint8_t(s[i] - 1) < 0x7E; ++i) o[i] = s[i];
  return i;
}

inline void PutPair(uint8_t* o, uint16_t code) {
  o[0] = uint8_t(code >> 8);
  o[1] = uint8_t(code);
}

// Two bytes a, b form a pair when a >= 0xA1 and b >= minTrail; a pair is
// replaced by pairs[a << 8 | b], any other byte is copied alone.
inline void ScanLeadAndTrail(const uint8_t* s, uint8_t* o, size_t n, uint8_t minTrail,
                             const uint16_t* pairs) {
  size_t i = 0;
  while (i + 1 < n) {
    const uint8_t a = s[i];
    if (a < 0x80) {
      i = CopyBelow80Run(s, o, i, n);
      continue;
    }
    const uint8_t b = s[i + 1];
    if (a >= 0xA1 && b >= minTrail) {
      PutPair(o + i, pairs[a << 8 | b]);
      i += 2;
    } else {
      o[i++] = a;
    }
  }
  if (i == n - 1) o[i] = s[i];
}

// A byte 0x01..0x7E is single; any other byte starts a pair with whatever
// follows, and the pair is replaced by table[a << 8 | b].
inline void ScanByTable(const uint8_t* s, uint8_t* o, size_t n, const uint16_t* table) {
  size_t i = 0;
  while (i + 1 < n) {
    const uint8_t a = s[i];
    if (uint8_t(a - 1) < 0x7E) {
      i = CopyPrintableRun(s, o, i, n);
      continue;
    }
    PutPair(o + i, table[a << 8 | s[i + 1]]);
    i += 2;
  }
  if (i == n - 1) o[i] = s[i];
}

}  // namespace marlo::scan
