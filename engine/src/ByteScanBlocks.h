// SPDX-License-Identifier: Apache-2.0
// The block scans, written once and compiled once per instruction set:
// each variant's file defines MARLO_SCAN_VARIANT (its namespace) and
// MARLO_SCAN_MASK (MARLO_MASK_PLAIN, _SSE2 or _AVX2) before including this.
// The namespace keeps the variants' inline functions apart, so the linker
// never mixes a wider variant into a narrower one. Engine-internal.
#include <array>
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
    const __m256i atLeast = _mm256_cmpeq_epi8(_mm256_max_epu8(x, lo), x);
    // The compiler keeps a comparison with 0xFF that always holds.
    const __m256i inRange =
        high == 0xFF ? atLeast
                     : _mm256_and_si256(atLeast, _mm256_cmpeq_epi8(_mm256_min_epu8(x, hi), x));
    return uint64_t(uint32_t(_mm256_movemask_epi8(inRange)));
  };
  return half(p) | half(p + 32) << 32;
#elif MARLO_SCAN_MASK == MARLO_MASK_SSE2
  uint64_t mask = 0;
  const __m128i lo = _mm_set1_epi8(char(low));
  const __m128i hi = _mm_set1_epi8(char(high));
  for (int k = 0; k < 4; ++k) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    const __m128i atLeast = _mm_cmpeq_epi8(_mm_max_epu8(x, lo), x);
    const __m128i inRange =
        high == 0xFF ? atLeast : _mm_and_si128(atLeast, _mm_cmpeq_epi8(_mm_min_epu8(x, hi), x));
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

// Appends base + k for each set bit k of bits, in order. The block variants
// write eight positions per byte of bits, whatever it holds, and move on by
// its count: no branch depends on how many pairs a block has, which a text
// mixing ASCII with Chinese makes impossible to predict.
inline void AppendBitPositions(uint64_t bits, uint16_t base, uint16_t*& out) {
#if MARLO_SCAN_MASK == MARLO_MASK_PLAIN
  for (; bits != 0; bits &= bits - 1) *out++ = uint16_t(base + __builtin_ctzll(bits));
#else
  // Row m holds the positions of m's set bits, then zeros.
  static const auto kPositions = [] {
    std::array<std::array<uint16_t, 8>, 256> rows{};
    for (unsigned m = 0; m < 256; ++m)
      for (unsigned bit = 0, kept = 0; bit < 8; ++bit)
        if (m >> bit & 1) rows[m][kept++] = uint16_t(bit);
    return rows;
  }();
  __m128i at = _mm_set1_epi16(short(base));
  for (int j = 0; j < 8; ++j) {
    const unsigned byte = unsigned(bits >> (8 * j)) & 0xFF;
    const __m128i row = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kPositions[byte].data()));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_add_epi16(row, at));
    out += __builtin_popcount(byte);
    at = _mm_add_epi16(at, _mm_set1_epi16(8));
  }
#endif
}

// Converts whole 64-byte blocks from the start: each block is copied and its
// pairs' starts noted; after a run of blocks the noted pairs are replaced
// through the table. o may be s: the pairs are apart, and each is read once.
// Blocks advance by 64 bytes whatever they hold; a pair that starts on a
// block's last byte takes the next block's first byte, and is noted with
// that block, after its copy. The next block then begins with a second byte,
// which its candidates leave out, so the starts are those of a block
// beginning at a character start one byte later. Both possible start masks
// are made before the carry is known: no block waits for the previous
// block's scan. candidates(p) marks the bytes of p[0..63] that start a pair
// if they stand at a character start; it may read p[64]. Where marks is
// given, each block's starts are kept there too. Returns where it stopped:
// fewer than 65 bytes remain from there.
// Bit k is set where byte k of the 64 is v.
inline uint64_t ByteEqualMask64(const uint8_t* p, uint8_t v) {
#if MARLO_SCAN_MASK == MARLO_MASK_AVX2
  const __m256i x = _mm256_set1_epi8(char(v));
  auto half = [&](const uint8_t* q) {
    const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q));
    return uint64_t(uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(y, x))));
  };
  return half(p) | half(p + 32) << 32;
#elif MARLO_SCAN_MASK == MARLO_MASK_SSE2
  uint64_t mask = 0;
  const __m128i x = _mm_set1_epi8(char(v));
  for (int k = 0; k < 4; ++k) {
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    mask |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(y, x)))) << (16 * k);
  }
  return mask;
#else
  return ByteRangeMask64(p, v, v);
#endif
}

// Bit k is set where bytes k and k + 1 of the 64 are a and b (k < 63).
inline uint64_t PairMask64(const uint8_t* p, uint8_t a, uint8_t b) {
  const uint64_t first = ByteEqualMask64(p, a);
  return first & (a == b ? first : ByteEqualMask64(p, b)) >> 1;
}

template <typename Candidates>
inline size_t ScanBlocks(const uint8_t* s, uint8_t* o, size_t n, const uint16_t* table,
                         const ReplacedPairs& replacements, uint64_t& replaced,
                         Candidates candidates, uint64_t* marks = nullptr) {
  // A run small enough for its noted pairs to be found again in L1.
  constexpr size_t kRunBlocks = 64;
  // Positions count from the byte before the run, where a carried pair starts.
  uint16_t noted[kRunBlocks * 32 + kRunBlocks + 8];
  // Each block's pairs but one begun on its last byte: their replaced ones
  // are counted from the bytes, before and after, the rest one by one.
  uint64_t inner[kRunBlocks];
  const ReplacedPairs& r = replacements;
  size_t i = 0;
  uint64_t carry = 0;  // byte 0 of this block ends a pair begun at byte 63 of the last
  int64_t lost = 0;
  while (i + 65 <= n) {
    const size_t runStart = i;
    uint16_t* out = noted;
    size_t blocks = 0;
    for (; blocks < kRunBlocks && i + 65 <= n; ++blocks, i += 64) {
      const uint64_t marked = candidates(s + i);
      const uint64_t fromByte0 = PairStarts(marked);
      const uint64_t fromByte1 = PairStarts(marked & ~uint64_t(1));
      const uint64_t starts = carry ? fromByte1 : fromByte0;
      if (marks != nullptr) marks[i / 64] = starts;
      inner[blocks] = starts & ~(uint64_t(1) << 63);
      // The source's own space, and 00 00 where it stays: no replacement.
      lost -= __builtin_popcountll(inner[blocks] & PairMask64(s + i, r.source[0], r.source[1]));
      if (r.zeroStaysZero) lost -= __builtin_popcountll(inner[blocks] & PairMask64(s + i, 0, 0));
      // A pair carried in from the block before is counted alone, by its
      // bit: it is still untranslated here.
      if (carry) lost += int64_t(PairIsReplaced(s + i - 1, r.converted));
      if (o != s) std::memcpy(o + i, s + i, 64);
      const auto base = uint16_t(i - runStart + 1);
      *out = uint16_t(base - 1);
      out += carry;
      if (inner[blocks] != 0) AppendBitPositions(inner[blocks], base, out);
      carry = starts >> 63;
    }
    const uint8_t* from = s + runStart - 1;
    uint8_t* to = o + runStart - 1;
    for (const uint16_t* at = noted; at != out; ++at) TranslatePair(from + *at, to + *at, table);
    for (size_t b = 0; b < blocks; ++b) {
      const uint8_t* block = o + runStart + 64 * b;
      if (r.countTarget)
        lost += __builtin_popcountll(inner[b] & PairMask64(block, r.target[0], r.target[1]));
      lost += __builtin_popcountll(inner[b] & PairMask64(block, 0, 0));
    }
  }
  replaced += uint64_t(lost);
  if (carry) {
    replaced += TranslateCountingPair(s + i - 1, o + i - 1, table, r.converted);
    ++i;
  }
  return i;
}

// Two bytes a, b form a pair when a >= 0xA1 and b >= minTrail; a pair is
// replaced through the table, any other byte is copied alone.
// The bytes of p[0..63] that start a pair of lead-and-trail reading if
// they stand at a character start; reads p[64].
inline uint64_t LeadAndTrailCandidates(const uint8_t* p, uint8_t minTrail) {
  const uint64_t leads = ByteRangeMask64(p, kLeadAndTrailFirst, 0xFF);
  const uint64_t trails = ByteRangeMask64(p, minTrail, 0xFF) >> 1 | uint64_t(p[64] >= minTrail)
                                                                        << 63;
  return leads & trails;
}

inline uint64_t ScanLeadAndTrail(const uint8_t* s, uint8_t* o, size_t n, uint8_t minTrail,
                                 const uint16_t* pairs, const ReplacedPairs& replacements,
                                 uint64_t* starts) {
  uint64_t replaced = 0;
  size_t i = ScanBlocks(
      s, o, n, pairs, replacements, replaced,
      [minTrail](const uint8_t* p) { return LeadAndTrailCandidates(p, minTrail); }, starts);
  while (i + 1 < n) {
    const uint8_t a = s[i], b = s[i + 1];
    if (IsLeadAndTrail(a, b, minTrail)) {
      replaced += TranslateCountingPair(s + i, o + i, pairs, replacements.converted);
      i += 2;
    } else {
      o[i++] = a;
    }
  }
  if (i == n - 1) o[i] = s[i];
  return replaced;
}

// Where pairs begin as ScanLeadAndTrail reads them from s[0], as ScanVariant
// describes.
inline size_t LeadAndTrailStarts(const uint8_t* s, size_t n, uint8_t minTrail, uint64_t* starts,
                                 size_t blocks) {
  size_t b = 0;
  uint64_t carry = 0;  // byte 0 of this block ends a pair begun at byte 63 of the last
  for (; b < blocks && 64 * b + 65 <= n; ++b) {
    const uint64_t marked = LeadAndTrailCandidates(s + 64 * b, minTrail);
    starts[b] = PairStarts(carry ? marked & ~uint64_t(1) : marked);
    carry = starts[b] >> 63;
  }
  return b;
}

#if !defined(MARLO_SCAN_OWN_FILTER)
// A place at a time: noted whether it passes or not, and passed over when
// it does not, so that no branch waits on the filter's answer.
inline size_t FilterStarts(const uint8_t* s, size_t, const uint64_t* starts, size_t blocks,
                           const PhraseFilter& filter, uint32_t* places) {
  size_t count = 0;
  for (size_t b = 0; b < blocks; ++b)
    for (uint64_t bits = starts[b]; bits != 0; bits &= bits - 1) {
      const size_t i = 64 * b + size_t(__builtin_ctzll(bits));
      places[count] = uint32_t(i);
      count += filter.MayMatch(s + i);
    }
  return count;
}
#endif

// A byte 0x01..0x7E is single; any other byte starts a pair with whatever
// follows, and the pair is replaced through the table.
inline uint64_t ScanByTable(const uint8_t* s, uint8_t* o, size_t n, const uint16_t* table,
                            const ReplacedPairs& replacements) {
  uint64_t replaced = 0;
  size_t i = ScanBlocks(s, o, n, table, replacements, replaced,
                        [](const uint8_t* p) { return NonSingleMask64(p); });
  while (i + 1 < n) {
    const uint8_t a = s[i];
    if (IsSingleByte(a)) {
      o[i++] = a;
      continue;
    }
    replaced += TranslateCountingPair(s + i, o + i, table, replacements.converted);
    i += 2;
  }
  if (i == n - 1) o[i] = s[i];
  return replaced;
}

// The check's blocks, as ScanBlocks: pairs' starts from the byte runs, noted
// over a run of blocks and looked up in one loop.
inline size_t CheckBlocks(const uint8_t* s, size_t n, const uint64_t* held, uint64_t& characters,
                          uint64_t& errors) {
  constexpr size_t kRunBlocks = 64;
  uint16_t noted[kRunBlocks * 32 + 8];
  size_t i = 0;
  uint64_t carry = 0;  // byte 0 of this block ends a pair begun at byte 63 of the last
  uint64_t lone = 0, pairs = 0, missing = 0;
  while (i + 65 <= n) {
    const uint8_t* run = s + i;
    uint16_t* out = noted;
    for (size_t block = 0; block < kRunBlocks && i + 65 <= n; ++block, i += 64) {
      const uint64_t leads = ByteRangeMask64(s + i, 0x81, 0xFE);
      const uint64_t high = ByteRangeMask64(s + i, 0x80, 0xFF);
      const uint64_t starts = PairStarts(carry ? leads & ~uint64_t(1) : leads);
      const uint64_t trails = starts << 1 | carry;
      lone += uint64_t(__builtin_popcountll(high & ~leads & ~trails));
      pairs += uint64_t(__builtin_popcountll(starts));
      if (starts != 0) AppendBitPositions(starts, uint16_t(64 * block), out);
      carry = starts >> 63;
    }
    for (const uint16_t* at = noted; at != out; ++at) {
      uint16_t index;
      std::memcpy(&index, run + *at, 2);
      missing += ~held[index / 64] >> (index % 64) & 1;
    }
  }
  characters += pairs + lone;
  errors += lone + missing;
  return i + carry;
}

// The characters of a 64-byte block that begins at a character start, where
// it holds none of 0x00, 0x7F, 0x80, 0xFF: the pairs' starts and the single
// bytes that are no pair's second byte. Every byte of a lead's run starts a
// pair at the run's parity; a pair that starts on byte 63 takes byte 64 and
// ends the block there. False for a block holding such a byte.
inline bool WideningBlock(const uint8_t* p, uint64_t& starts, uint64_t& alone) {
  const uint64_t singles = ByteRangeMask64(p, 0x01, 0x7E);
  const uint64_t leads = ByteRangeMask64(p, 0x81, 0xFE);
  if (~(singles | leads) != 0) return false;
  starts = PairStarts(leads);
  alone = singles & ~(starts << 1);
  return true;
}

// The run of blocks both block widenings go by. Each block is looked up as
// singles first: lookUp(p, firsts, seconds) writes every byte's code, first
// byte and second, into the two rows and returns the mask of the bytes
// whose code has two bytes; then a pair's two bytes in the first row are
// written over with the pair's code; then putOut(firsts, seconds, spread,
// out) puts the block out, the second bytes of the singles in spread among
// the first row's, and returns where the output goes on. A pair writes as
// many bytes as it reads, so only the singles that widen move it on. Each
// step goes over the whole run before the next: the pairs' count per block,
// which no processor predicts, sets no loop's length, and putting out
// reads rows whose stores are long done. Both rows are laid out as the
// run's input: a pair's code goes where its bytes are, and a pair that ends
// on byte 64 of a block puts that byte just before the next block, which
// then begins a byte later.
template <typename LookUp, typename PutOut>
inline size_t WidenInRuns(const uint8_t* s, size_t n, uint8_t* o, const uint16_t* wide,
                          size_t& written, LookUp lookUp, PutOut putOut) {
  constexpr size_t kRunBlocks = 32;
  alignas(64) uint8_t firsts[kRunBlocks * 65 + 64];
  alignas(64) uint8_t seconds[kRunBlocks * 65 + 64];
  uint64_t spreadMasks[kRunBlocks];
  uint16_t pairsAt[kRunBlocks * 32 + 8];
  size_t i = 0;
  uint8_t* out = o;
  bool stopped = false;
  while (!stopped && i + 72 <= n) {
    const uint8_t* run = s + i;
    uint16_t* pairsEnd = pairsAt;
    size_t blocks = 0;
    uint64_t carries = 0;  // bit b: block b's last pair ends on its byte 64
    for (; blocks < kRunBlocks && i + 72 <= n; ++blocks) {
      const uint8_t* p = s + i;
      uint64_t starts, alone;
      if (!WideningBlock(p, starts, alone)) {
        stopped = true;
        break;
      }
      const auto at = uint16_t(p - run);
      // Bytes of pairs look up garbage here; they are written over.
      const uint64_t widens = lookUp(p, firsts + at, seconds + at);
      if (starts != 0) AppendBitPositions(starts, at, pairsEnd);
      spreadMasks[blocks] = alone & widens;
      carries |= (starts >> 63) << blocks;
      i += 64 + (starts >> 63);
    }
    for (const uint16_t* at = pairsAt; at != pairsEnd; ++at)
      TranslatePair(run + *at, firsts + *at, wide);
    size_t at = 0;
    for (size_t block = 0; block < blocks; ++block) {
      out = putOut(firsts + at, seconds + at, spreadMasks[block], out);
      // A pair begun on byte 63 ends on byte 64, which this block takes.
      const uint64_t carry = carries >> block & 1;
      *out = firsts[at + 64];
      out += carry;
      at += 64 + carry;
    }
  }
  written = size_t(out - o);
  return i;
}

#if defined(MARLO_SCAN_OWN_WIDENING)
// The variant brings its own WidenBlocks.
#elif MARLO_SCAN_MASK == MARLO_MASK_AVX2

// For each 8-bit mask m, the shuffle that spreads 8 bytes over 8 + popcount(m)
// bytes: byte k, then byte 8 + k where bit k of m is set.
inline const std::array<std::array<uint8_t, 16>, 256>& SpreadShuffles() {
  static const auto shuffles = [] {
    std::array<std::array<uint8_t, 16>, 256> all{};
    for (unsigned mask = 0; mask < 256; ++mask) {
      all[mask].fill(0x80);
      unsigned at = 0;
      for (unsigned k = 0; k < 8; ++k) {
        all[mask][at++] = uint8_t(k);
        if (mask >> k & 1) all[mask][at++] = uint8_t(8 + k);
      }
    }
    return all;
  }();
  return shuffles;
}

// Each byte of x (0x00..0x7F) looked up in 8 rows of 16 stored as
// differences: the rows at and below x's own give x's entry, the rows above
// are shuffled with an index whose top bit is set and give 0.
inline __m256i LookUp128(__m256i x, const __m256i rows[8]) {
  __m256i result = _mm256_shuffle_epi8(rows[0], x);
  for (int row = 1; row < 8; ++row) {
    x = _mm256_sub_epi8(x, _mm256_set1_epi8(16));
    result = _mm256_xor_si256(result, _mm256_shuffle_epi8(rows[row], x));
  }
  return result;
}

// Each byte of a block is looked up as a single, its code's first byte
// into one row of bytes and its second into another; a pair's two bytes in
// the first row are then written over with the pair's code. Every 8 bytes of
// the first row go out with the second bytes of the singles that write two
// spread among them: a pair writes as many bytes as it reads, so only the
// singles that widen move the output on. Each step goes over a run of
// blocks before the next: the pairs' count per block, which no processor
// predicts, sets no loop's length, and the spreading reads rows whose
// stores are long done.
inline size_t WidenBlocks(const uint8_t* s, size_t n, uint8_t* o, const WideningLookups& lookups,
                          size_t& written) {
  auto rowsOf = [](const std::array<std::array<uint8_t, 16>, 8>& table, __m256i rows[8]) {
    for (int row = 0; row < 8; ++row)
      rows[row] = _mm256_broadcastsi128_si256(
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(table[size_t(row)].data())));
  };
  __m256i first[8], second[8];
  rowsOf(lookups.firstRows, first);
  rowsOf(lookups.secondRows, second);
  const __m256i twoByteBits = _mm256_broadcastsi128_si256(
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(lookups.twoByteBits.data())));
  const __m256i highBit = _mm256_broadcastsi128_si256(
      _mm_setr_epi8(1, 2, 4, 8, 16, 32, 64, char(128), 0, 0, 0, 0, 0, 0, 0, 0));
  const auto& spreads = SpreadShuffles();
  auto lookUp = [&](const uint8_t* p, uint8_t* firsts, uint8_t* seconds) {
    uint64_t widens = 0;
    for (int half = 0; half < 2; ++half) {
      const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * half));
      const __m256i index = _mm256_and_si256(x, _mm256_set1_epi8(0x7F));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(firsts + 32 * half), LookUp128(index, first));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(seconds + 32 * half),
                          LookUp128(index, second));
      const __m256i bit = _mm256_shuffle_epi8(
          highBit, _mm256_and_si256(_mm256_srli_epi16(index, 4), _mm256_set1_epi8(0x0F)));
      const __m256i rowBits =
          _mm256_shuffle_epi8(twoByteBits, _mm256_and_si256(index, _mm256_set1_epi8(0x0F)));
      const __m256i two = _mm256_cmpeq_epi8(_mm256_and_si256(rowBits, bit), bit);
      widens |= uint64_t(uint32_t(_mm256_movemask_epi8(two))) << (32 * half);
    }
    return widens;
  };
  // Every 8 bytes of the first row go out with the second bytes of their
  // singles that widen, by a shuffle made for that mask.
  auto putOut = [&](const uint8_t* firsts, const uint8_t* seconds, uint64_t spread, uint8_t* out) {
    for (int j = 0; j < 8; ++j) {
      const unsigned mask = unsigned(spread >> (8 * j)) & 0xFF;
      const __m128i bytes =
          _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(firsts + 8 * j)),
                             _mm_loadl_epi64(reinterpret_cast<const __m128i*>(seconds + 8 * j)));
      const __m128i shuffle =
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(spreads[mask].data()));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(bytes, shuffle));
      out += 8 + __builtin_popcount(mask);
    }
    return out;
  };
  return WidenInRuns(s, n, o, lookups.wide, written, lookUp, putOut);
}

#else

inline size_t WidenBlocks(const uint8_t* s, size_t n, uint8_t* o, const WideningLookups& lookups,
                          size_t& written) {
  size_t i = 0;
  uint8_t* out = o;
  while (i + 72 <= n) {
    const uint8_t* p = s + i;
    uint64_t starts, alone;
    if (!WideningBlock(p, starts, alone)) break;
    const uint64_t characters = alone | starts;
    // No branch on what a character is: each is looked up as a pair and
    // stored as two bytes, and the output moves on by its length.
    for (uint64_t left = characters; left != 0; left &= left - 1) {
      const int k = __builtin_ctzll(left);
      TranslatePair(p + k, out, lookups.wide);
      out += lookups.lengths[p[k]];
    }
    i += 64 + (starts >> 63);
  }
  written = size_t(out - o);
  return i;
}

#endif

}  // namespace marlo::scan::MARLO_SCAN_VARIANT
