// SPDX-License-Identifier: Apache-2.0
// The block widening with AVX-512's byte permutes and compress (VBMI,
// VBMI2): a block's singles are looked up in 128-byte tables by one permute
// each, and the output of 32 bytes at a time is compressed from the first
// and second bytes of every byte, interleaved, keeping the second byte only
// where a single widens. Included by the variant that is compiled for these
// instructions. Engine-internal.
#include <immintrin.h>

namespace marlo::scan::MARLO_SCAN_VARIANT {

inline size_t WidenBlocks(const uint8_t* s, size_t n, uint8_t* o, const WideningLookups& lookups,
                          size_t& written) {
  // Each single byte's code, first and second byte, and whether it writes
  // two bytes (0x80) or one.
  alignas(64) uint8_t firstTable[128], secondTable[128], twoTable[128];
  for (unsigned c = 0; c < 128; ++c) {
    uint16_t code;
    std::memcpy(&code, &lookups.wide[c], 2);
    uint8_t bytes[2];
    std::memcpy(bytes, &code, 2);
    firstTable[c] = bytes[0];
    secondTable[c] = bytes[1];
    twoTable[c] = lookups.lengths[c] == 2 ? 0x80 : 0;
  }
  auto table = [](const uint8_t* half) {
    return _mm512_load_si512(reinterpret_cast<const __m512i*>(half));
  };
  const __m512i first0 = table(firstTable), first1 = table(firstTable + 64);
  const __m512i second0 = table(secondTable), second1 = table(secondTable + 64);
  const __m512i two0 = table(twoTable), two1 = table(twoTable + 64);
  // For each half block: byte 2k takes the first row's byte k of the half,
  // byte 2k + 1 the second row's.
  alignas(64) uint8_t interleave[2][64];
  for (unsigned half = 0; half < 2; ++half)
    for (unsigned k = 0; k < 32; ++k) {
      interleave[half][2 * k] = uint8_t(32 * half + k);
      interleave[half][2 * k + 1] = uint8_t(64 + 32 * half + k);
    }
  const __m512i interleaveLow = table(interleave[0]), interleaveHigh = table(interleave[1]);
  auto lookUp = [&](const uint8_t* p, uint8_t* firsts, uint8_t* seconds) {
    const __m512i index = _mm512_and_si512(_mm512_loadu_si512(p), _mm512_set1_epi8(0x7F));
    _mm512_storeu_si512(firsts, _mm512_permutex2var_epi8(first0, index, first1));
    _mm512_storeu_si512(seconds, _mm512_permutex2var_epi8(second0, index, second1));
    return uint64_t(_mm512_movepi8_mask(_mm512_permutex2var_epi8(two0, index, two1)));
  };
  // The output has room for two bytes a byte read, so a full 64-byte
  // store never reaches past it while 72 bytes remain to be read.
  auto putOut = [&](const uint8_t* firsts, const uint8_t* seconds, uint64_t spread, uint8_t* out) {
    const __m512i firstRow = _mm512_loadu_si512(firsts);
    const __m512i secondRow = _mm512_loadu_si512(seconds);
    for (unsigned half = 0; half < 2; ++half) {
      const __m512i both =
          _mm512_permutex2var_epi8(firstRow, half ? interleaveHigh : interleaveLow, secondRow);
      const uint64_t keep =
          0x5555555555555555ull | _pdep_u64(spread >> (32 * half), 0xAAAAAAAAAAAAAAAAull);
      _mm512_storeu_si512(out, _mm512_maskz_compress_epi8(keep, both));
      out += __builtin_popcountll(keep);
    }
    return out;
  };
  return WidenInRuns(s, n, o, lookups.wide, written, lookUp, putOut);
}

}  // namespace marlo::scan::MARLO_SCAN_VARIANT
