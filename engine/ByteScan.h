// The byte scans every conversion is made of. Output has the input's length:
// a pair of bytes becomes a pair, a single byte stays a single byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace marlo::scan {

// Bit 7 of each byte lane is set where the lane is at least 0x80.
constexpr uint64_t kHighBits = 0x8080808080808080ull;

inline uint64_t LoadWord(const uint8_t* p) {
  uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
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

// Bit k is set where byte k of the 64 lies in [low, high].
inline uint64_t ByteRangeMask64(const uint8_t* p, uint8_t low, uint8_t high) {
#if defined(__SSE2__)
  uint64_t mask = 0;
  const __m128i lo = _mm_set1_epi8(char(low));
  const __m128i hi = _mm_set1_epi8(char(high));
  for (int k = 0; k < 4; ++k) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    const __m128i inRange = _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(x, lo), x),
                                          _mm_cmpeq_epi8(_mm_min_epu8(x, hi), x));
    mask |= uint64_t(uint32_t(_mm_movemask_epi8(inRange))) << (16 * k);
  }
  return mask;
#else
  uint64_t mask = 0;
  for (int k = 0; k < 64; ++k)
    if (p[k] >= low && p[k] <= high) mask |= uint64_t(1) << k;
  return mask;
#endif
}

// Bit k is set where byte k of the 64 is not a single byte of ScanByTable:
// 0x00, or 0x7F and above.
inline uint64_t NonSingleMask64(const uint8_t* p) { return ~ByteRangeMask64(p, 0x01, 0x7E); }

// Which of the non-single bytes start a pair, for a block that begins at a
// character start. A byte after a single byte always starts a character, so
// each run of non-single bytes begins at a start and pairs up from there:
// the starts are the bits at the run's own parity.
inline uint64_t PairStarts(uint64_t nonSingle) {
  constexpr uint64_t kEven = 0x5555555555555555ull;
  const uint64_t runStarts = nonSingle & ~(nonSingle << 1);
  // Adding a one at each even run start carries through the run, clearing it.
  const uint64_t evenRuns = nonSingle & ~(nonSingle + (runStarts & kEven));
  return (evenRuns & kEven) | (nonSingle & ~evenRuns & ~kEven);
}

// A byte 0x01..0x7E is single; any other byte starts a pair with whatever
// follows, and the pair is replaced by table[a << 8 | b]. Blocks of 64 bytes
// are copied whole and their pairs then looked up, so mixed single bytes and
// pairs cost no mispredicted branches.
inline void ScanByTable(const uint8_t* s, uint8_t* o, size_t n, const uint16_t* table) {
  size_t i = 0;
  while (i + 64 <= n) {
    const uint64_t nonSingle = NonSingleMask64(s + i);
    std::memcpy(o + i, s + i, 64);
    uint64_t starts = PairStarts(nonSingle);
    const bool pairCrossesBlock = (starts >> 63) != 0;
    starts &= ~(uint64_t(1) << 63);
    while (starts != 0) {
      const int k = __builtin_ctzll(starts);
      PutPair(o + i + k, table[s[i + k] << 8 | s[i + k + 1]]);
      starts &= starts - 1;
    }
    if (pairCrossesBlock && i + 64 < n) {
      PutPair(o + i + 63, table[s[i + 63] << 8 | s[i + 64]]);
      i += 65;
    } else {
      i += 64;  // a lead byte as the very last byte stays as copied
    }
  }
  while (i + 1 < n) {
    const uint8_t a = s[i];
    if (uint8_t(a - 1) < 0x7E) {
      o[i++] = a;
      continue;
    }
    PutPair(o + i, table[a << 8 | s[i + 1]]);
    i += 2;
  }
  if (i == n - 1) o[i] = s[i];
}

}  // namespace marlo::scan
