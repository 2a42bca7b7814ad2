// SPDX-License-Identifier: Apache-2.0
// Whether a phrase may start at a place: most places in a text start none,
// and this filter says so before any table is looked at. Made by the phrase
// table; read by the scans, one place at a time or many at once, by the
// same rule. Engine-internal.
#pragma once

#include <cstdint>
#include <cstring>

namespace marlo {

// The first two characters choose a word of the filter and a bit of it
// that every key starting with them sets; a second bit stands for a key of
// just those two, others for the third characters of longer keys, so a
// place whose first two start only longer keys seldom gets through, and one
// whose first two start no key must find two bits set. One word a place:
// the words of a text's common pairs stay in the caches. Thirty-two bits a
// word, so that sixteen places are looked up in one vector instruction.
struct PhraseFilter {
  const uint32_t* words = nullptr;
  unsigned shift = 32;  // 32 - log2 of the word count
  // A small table answers a lookup that finds nothing from the nearest
  // cache: there the third character is not worth its hash, and every key
  // is filtered by its first two.
  bool byThree = false;

  static constexpr uint32_t kPairFactor = 0x9E3779B1u, kBitFactor = 0x85EBCA6Bu,
                            kThirdFactor = 0xC2B2AE35u;
  // The word from one product of the first two, their bits from the top of
  // another: the low bits of a product would hang on the first character.
  static uint32_t Hash(uint32_t firstTwo) { return firstTwo * kPairFactor; }
  static uint32_t BitHash(uint32_t firstTwo) { return firstTwo * kBitFactor; }
  uint32_t WordOf(uint32_t hash) const { return hash >> shift; }
  static unsigned FirstTwoBit(uint32_t bitHash) { return bitHash >> 27; }
  static unsigned PairBit(uint32_t bitHash) { return (bitHash >> 22) & 31; }
  static unsigned ThreeBit(uint32_t hash, uint32_t third) {
    return ((hash ^ third) * kThirdFactor) >> 27;
  }

  // p has six bytes to read. The character pairs as native words: the
  // vector form reads them the same way.
  bool MayMatch(const uint8_t* p) const {
    uint32_t firstTwo;
    uint16_t third;
    std::memcpy(&firstTwo, p, 4);
    std::memcpy(&third, p + 4, 2);
    const uint32_t hash = Hash(firstTwo), bitHash = BitHash(firstTwo);
    const uint32_t word = words[WordOf(hash)];
    const unsigned longer = byThree ? ThreeBit(hash, third) : PairBit(bitHash);
    return (word >> FirstTwoBit(bitHash)) & ((word >> PairBit(bitHash)) | (word >> longer)) & 1;
  }
};

}  // namespace marlo
