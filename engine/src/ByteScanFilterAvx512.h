// SPDX-License-Identifier: Apache-2.0
// The phrase filter sixteen places at a time, with AVX-512's byte permutes
// (VBMI), byte compress (VBMI2) and gathers: a block's starts are
// compressed to a row of offsets, each place's first two and third
// characters permuted out of the block's bytes, and the filter's words
// gathered. Included by the variant that is compiled for these
// instructions. Engine-internal.
#include <immintrin.h>

namespace marlo::scan::MARLO_SCAN_VARIANT {

inline size_t FilterStarts(const uint8_t* s, size_t n, const uint64_t* starts, size_t blocks,
                           const PhraseFilter& filter, uint32_t* places) {
  alignas(64) static constexpr uint8_t kByteIndex[64] = {
      0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
      22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43,
      44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63};
  const __m512i byteIndex = _mm512_load_si512(reinterpret_cast<const __m512i*>(kByteIndex));
  // A place's offset o in every byte of its lane, plus these: the bytes of
  // its first two characters, and of its third (the top two then cleared).
  const __m512i spread = _mm512_set1_epi32(0x01010101);
  const __m512i firstBytes = _mm512_set1_epi32(0x03020100);
  const __m512i thirdBytes = _mm512_set1_epi32(0x05050504);
  const __m512i lowHalf = _mm512_set1_epi32(0xFFFF);
  const __m512i pairFactor = _mm512_set1_epi32(int(PhraseFilter::kPairFactor));
  const __m512i bitFactor = _mm512_set1_epi32(int(PhraseFilter::kBitFactor));
  const __m512i thirdFactor = _mm512_set1_epi32(int(PhraseFilter::kThirdFactor));
  const __m512i fiveBits = _mm512_set1_epi32(31);
  const __m512i one = _mm512_set1_epi32(1);
  const __m128i wordShift = _mm_cvtsi32_si128(int(filter.shift));
  const auto* words = reinterpret_cast<const int*>(filter.words);
  size_t count = 0;
  for (size_t b = 0; b < blocks; ++b) {
    const uint64_t marked = starts[b];
    if (marked == 0) continue;
    const uint8_t* block = s + 64 * b;
    // A place near the block's end reads up to five bytes past it; beyond
    // n nothing is read.
    const size_t after = n > 64 * b + 64 ? n - 64 * b - 64 : 0;
    const __mmask64 present = after >= 64 ? ~__mmask64(0) : (__mmask64(1) << after) - 1;
    const __m512i low = _mm512_loadu_si512(block);
    const __m512i high = _mm512_maskz_loadu_epi8(present, block + 64);
    const __m512i offsets = _mm512_maskz_compress_epi8(marked, byteIndex);
    const unsigned total = unsigned(__builtin_popcountll(marked));  // at most 32
    for (unsigned first = 0; first < total; first += 16) {
      const __mmask16 valid =
          total - first >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << (total - first)) - 1);
      const __m512i at = _mm512_cvtepu8_epi32(first == 0 ? _mm512_castsi512_si128(offsets)
                                                         : _mm512_extracti32x4_epi32(offsets, 1));
      const __m512i repeated = _mm512_mullo_epi32(at, spread);
      const __m512i firstTwo =
          _mm512_permutex2var_epi8(low, _mm512_add_epi32(repeated, firstBytes), high);
      const __m512i hash = _mm512_mullo_epi32(firstTwo, pairFactor);
      const __m512i word = _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), valid,
                                                       _mm512_srl_epi32(hash, wordShift), words, 4);
      const __m512i bitHash = _mm512_mullo_epi32(firstTwo, bitFactor);
      const __m512i firstTwoBit = _mm512_srli_epi32(bitHash, 27);
      const __m512i pairBit = _mm512_and_si512(_mm512_srli_epi32(bitHash, 22), fiveBits);
      __m512i either = _mm512_srlv_epi32(word, pairBit);
      if (filter.byThree) {
        const __m512i third = _mm512_and_si512(
            _mm512_permutex2var_epi8(low, _mm512_add_epi32(repeated, thirdBytes), high), lowHalf);
        const __m512i three =
            _mm512_srli_epi32(_mm512_mullo_epi32(_mm512_xor_si512(hash, third), thirdFactor), 27);
        either = _mm512_or_si512(either, _mm512_srlv_epi32(word, three));
      }
      const __m512i bits = _mm512_and_si512(_mm512_srlv_epi32(word, firstTwoBit), either);
      const __mmask16 pass = _mm512_mask_test_epi32_mask(valid, bits, one);
      const __m512i place = _mm512_add_epi32(at, _mm512_set1_epi32(int(64 * b)));
      _mm512_storeu_si512(places + count, _mm512_maskz_compress_epi32(pass, place));
      count += unsigned(__builtin_popcount(pass));
    }
  }
  return count;
}

}  // namespace marlo::scan::MARLO_SCAN_VARIANT
