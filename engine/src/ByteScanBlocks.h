// SPDX-License-Identifier: Apache-2.0
// The block scans, written once and compiled once per instruction set:
// each variant's file defines MARLO_SCAN_VARIANT (its namespace) and
// MARLO_SCAN_MASK (MARLO_MASK_PLAIN, _SSE2 or _AVX2) before including this.
// The namespace keeps the variants' inline functions apart, so the linker
// never mixes a wider variant into a narrower one. Engine-internal.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/ByteForms.h"
#include "engine/src/ByteScan.h"

#define MARLO_MASK_PLAIN 0
#define MARLO_MASK_SSE2 1
#define MARLO_MASK_AVX2 2

#if MARLO_SCAN_MASK == MARLO_MASK_SSE2
#include <emmintrin.h>
#elif MARLO_SCAN_MASK == MARLO_MASK_AVX2
#include <immintrin.h>
#endif

namespace marlo::scan::MARLO_SCAN_VARIANT {

// Bit k is set where byte k of the 64 lies in [low, high].
inline uint64_t ByteRangeMask64(const uint8_t* p, uint8_t low, uint8_t high) {
#if MARLO_SCAN_MASK == MARLO_MASK_AVX2
  const __m256i lo = _mm256_set1_epi8(char(low));
  const __m256i hi = _mm256_set1_epi8(char(high));
  auto half = [&](const uint8_t* q) {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q));
    const __m256i inRange = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_max_epu8(x, lo), x),
                                             _mm256_cmpeq_epi8(_mm256_min_epu8(x, hi), x));
    return uint64_t(uint32_t(_mm256_movemask_epi8(inRange)));
  };
  return half(p) | half(p + 32) << 32;
#elif MARLO_SCAN_MASK == MARLO_MASK_SSE2
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

// Converts whole 64-byte blocks from the start: each block is copied, then
// the pairs that start in it are replaced through the table. o may be s.
// Blocks advance by 64 bytes whatever they hold; a pair that starts on a
// block's last byte takes the next block's first byte, and is written once
// that block is copied. The next block then begins with a second byte, which
// its candidates leave out, so the starts are those of a block beginning at
// a character start one byte later. Both possible start masks are made
// before the carry is known: no block waits for the previous block's scan.
// candidates(p) marks the bytes of p[0..63] that start a pair if they stand
// at a character start; it may read p[64]. Returns where it stopped: fewer
// than 65 bytes remain from there.
template <typename Candidates>
inline size_t ScanBlocks(const uint8_t* s, uint8_t* o, size_t n, const uint16_t* table,
                         Candidates candidates) {
  size_t i = 0;
  uint64_t carry = 0;  // byte 0 of this block ends a pair begun at byte 63 of the last
  while (i + 65 <= n) {
    const uint64_t marked = candidates(s + i);
    const uint64_t fromByte0 = PairStarts(marked);
    const uint64_t fromByte1 = PairStarts(marked & ~uint64_t(1));
    const uint64_t starts = carry ? fromByte1 : fromByte0;
    if (o != s) std::memcpy(o + i, s + i, 64);
    if (carry) TranslatePair(s + i - 1, o + i - 1, table);
    for (uint64_t inner = starts & ~(uint64_t(1) << 63); inner != 0; inner &= inner - 1) {
      const int k = __builtin_ctzll(inner);
      TranslatePair(s + i + k, o + i + k, table);
    }
    carry = starts >> 63;
    i += 64;
  }
  if (carry) {
    TranslatePair(s + i - 1, o + i - 1, table);
    ++i;
  }
  return i;
}

// Two bytes a, b form a pair when a >= 0xA1 and b >= minTrail; a pair is
// replaced through the table, any other byte is copied alone.
inline void ScanLeadAndTrail(const uint8_t* s, uint8_t* o, size_t n, uint8_t minTrail,
                             const uint16_t* pairs) {
  size_t i = ScanBlocks(s, o, n, pairs, [minTrail](const uint8_t* p) {
    const uint64_t leads = ByteRangeMask64(p, kLeadAndTrailFirst, 0xFF);
    const uint64_t trails = ByteRangeMask64(p, minTrail, 0xFF) >> 1 | uint64_t(p[64] >= minTrail)
                                                                          << 63;
    return leads & trails;
  });
  while (i + 1 < n) {
    const uint8_t a = s[i], b = s[i + 1];
    if (IsLeadAndTrail(a, b, minTrail)) {
      TranslatePair(s + i, o + i, pairs);
      i += 2;
    } else {
      o[i++] = a;
    }
  }
  if (i == n - 1) o[i] = s[i];
}

// A byte 0x01..0x7E is single; any other byte starts a pair with whatever
// follows, and the pair is replaced through the table.
inline void ScanByTable(const uint8_t* s, uint8_t* o, size_t n, const uint16_t* table) {
  size_t i = ScanBlocks(s, o, n, table, [](const uint8_t* p) { return NonSingleMask64(p); });
  while (i + 1 < n) {
    const uint8_t a = s[i];
    if (IsSingleByte(a)) {
      o[i++] = a;
      continue;
    }
    TranslatePair(s + i, o + i, table);
    i += 2;
  }
  if (i == n - 1) o[i] = s[i];
}

}  // namespace marlo::scan::MARLO_SCAN_VARIANT
