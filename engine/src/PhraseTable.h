// SPDX-License-Identifier: Apache-2.0
// Phrase replacements of simplified ⇄ traditional conversion, as bytes: the
// longest phrase that starts at a character wins over the characters'
// own conversion. Engine-internal.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "engine/src/PhraseFilter.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace marlo {

class PhraseTable {
 public:
  // What a phrase puts out, and how long its key is: keyLength 0 where no
  // key matched. What a key is compared by is kept apart (tails_, the
  // buckets), so that the lookups of a text run through little memory and
  // stay in the processor's caches. Not cleared unless braced ({}).
  struct Phrase {
    // The value's first eight bytes: most values are written from here.
    uint64_t valueStart;
    uint32_t valueAt;  // offset into the resource; the key ends before its tab
    uint8_t keyLength, valueLength;
    uint16_t unused = 0;  // so that a table's image holds no stray bytes
  };

  // Reads lines "key<TAB>value<LF>"; a line starting with '#' is a remark.
  // A key is two or more double-byte characters of the source code, its
  // value at most three times as long. The phrases point into resource,
  // which must outlive the table. Throws std::runtime_error on a malformed
  // line.
  explicit PhraseTable(std::span<const uint8_t> resource);
  // The table as Image saved it, over the resource it was made from:
  // nothing is built, the lookups read the image where it lies, so a
  // program that links the image in starts converting at once. The image
  // must be aligned to 64 bytes and outlive the table. Throws
  // std::runtime_error where the image is damaged or was made from a
  // resource of another size.
  static std::unique_ptr<PhraseTable> FromImage(std::span<const uint8_t> image,
                                                std::span<const uint8_t> resource);
  // Everything the lookups read, in one block of native words: the build
  // machine's byte order, as the program that links it in is built there.
  std::vector<uint8_t> Image() const;
  // The lookups' views point into the table's own storage.
  PhraseTable(const PhraseTable&) = delete;
  PhraseTable& operator=(const PhraseTable&) = delete;

  size_t size() const { return phrases_.size(); }
  // The longest key, in bytes: how far ahead a match may reach.
  size_t LongestKey() const { return longestKey_; }

  // Whether some key starts with the pair at p.
  bool MayStart(const uint8_t* p) const {
    const unsigned pair = unsigned(p[0]) << 8 | p[1];
    return (firstPairs_[pair >> 6] >> (pair & 63)) & 1;
  }

  // The filter of the places a key may start at. Copied out of the table,
  // it stays in registers through a loop that stores, where members read
  // through the table would be read again.
  PhraseFilter filter() const { return filter_; }

  // Where the filter lets a place through, Prefetch starts fetching what
  // Match will look at first.
  void Prefetch(const uint8_t* p) const { __builtin_prefetch(&buckets_[BucketOf(Hash(p))]); }

  // The longest phrase whose key the bytes p[0..available) start with,
  // where MayMatch has let the place through (four bytes there). Inline,
  // for most lookups end in their own bucket, at a key of two characters.
  Phrase Match(const uint8_t* p, size_t available) const {
    const size_t home = BucketOf(Hash(p));
    const Bucket& bucket = buckets_[home];
    const unsigned found = SlotsHolding(bucket, FirstTwo(p));
    if (found == 0) return MatchBeyond(home, p, available);
    return InGroup(bucket, unsigned(__builtin_ctz(found)), p, available);
  }

  // Writes the phrase's value at o, which has room for eight bytes more.
  uint8_t* PutValue(const Phrase& phrase, uint8_t* o) const {
    if (phrase.valueLength <= 8)
      std::memcpy(o, &phrase.valueStart, 8);
    else
      std::memcpy(o, base_ + phrase.valueAt, phrase.valueLength);
    return o + phrase.valueLength;
  }

 private:
  const uint8_t* KeyOf(const Phrase& phrase) const {
    return base_ + phrase.valueAt - 1 - phrase.keyLength;
  }
  static uint32_t FirstTwo(const uint8_t* p) {
    uint32_t word;
    std::memcpy(&word, p, 4);
    return word;
  }
  // The filter's product of the first two: one multiply for both.
  static uint32_t Hash(const uint8_t* p) { return PhraseFilter::Hash(FirstTwo(p)); }
  size_t BucketOf(uint32_t hash) const { return size_t((uint64_t(hash) * buckets_.size()) >> 32); }
  static unsigned ThirdBit(const uint8_t* p) {
    uint16_t third;
    std::memcpy(&third, p + 4, 2);
    return (third * 0x9E3779B1u) >> 27;
  }

  // The keys that start with the same two characters are a group:
  // phrases_[begin, begin + longer) are its longer keys, longest first, and
  // the one after them its key of just the two, where it has one. A lookup
  // reads one bucket of four groups; it goes on to the tails only where
  // some longer key has the text's third character, and most matches, of
  // two characters, find their value in the bucket itself.
  static constexpr unsigned kBeginBits = 22, kLongerBits = 8;
  static constexpr uint32_t kBeginMask = (uint32_t(1) << kBeginBits) - 1,
                            kLongerMask = (uint32_t(1) << kLongerBits) - 1;
  static constexpr uint32_t kHasPair = uint32_t(1) << 31, kPairInline = uint32_t(1) << 30;
  struct alignas(64) Bucket {
    uint32_t firstTwo[4] = {};   // 0: an empty slot (key bytes are never zero)
    uint32_t where[4] = {};      // begin, longer, kHasPair, kPairInline
    uint32_t thirds[4] = {};     // a bit per third character of the longer keys
    uint32_t pairValue[4] = {};  // the two-character key's value, where kPairInline
  };
  static unsigned SlotsHolding(const Bucket& bucket, uint32_t firstTwo) {
#if defined(__SSE2__)
    const __m128i slots = _mm_load_si128(reinterpret_cast<const __m128i*>(bucket.firstTwo));
    return unsigned(
        _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(slots, _mm_set1_epi32(int(firstTwo))))));
#else
    unsigned found = 0;
    for (unsigned s = 0; s < 4; ++s) found |= unsigned(bucket.firstTwo[s] == firstTwo) << s;
    return found;
#endif
  }
  Phrase InGroup(const Bucket& bucket, unsigned slot, const uint8_t* p, size_t available) const {
    const uint32_t where = bucket.where[slot];
    if (available >= 6 && (bucket.thirds[slot] >> ThirdBit(p) & 1))
      return MatchLonger(where, bucket.pairValue[slot], p, available);
    return PairOf(where, bucket.pairValue[slot]);
  }
  // The group's key of just the two characters, from its bucket slot.
  Phrase PairOf(uint32_t where, uint32_t pairValue) const {
    if (!(where & kHasPair)) return {};
    if (where & kPairInline) return {pairValue, 0, 4, 4};
    return phrases_[(where & kBeginMask) + (where >> kBeginBits & kLongerMask)];
  }
  // Seldom reached, so kept out of the loops that call Match: the groups
  // placed beyond their own bucket, and the longer keys.
  Phrase MatchBeyond(size_t home, const uint8_t* p, size_t available) const;
  Phrase MatchLonger(uint32_t where, uint32_t pairValue, const uint8_t* p, size_t available) const;

  PhraseTable() = default;
  static_assert(sizeof(Phrase) == 16 && sizeof(Bucket) == 64);
  struct ImageHeader;

  const uint8_t* base_ = nullptr;
  size_t resourceSize_ = 0;
  std::span<const Phrase> phrases_;  // grouped by their first two characters
  // Beside each phrase, its key's bytes after the first two characters, up
  // to eight of them, the rest zeros: most keys are compared by this word
  // alone. Key bytes are never zero, so the word tells its own length.
  std::span<const uint64_t> tails_;
  // Open addressing by bucket, about five groups in eight slots: a lookup
  // seldom reads a second bucket.
  std::span<const Bucket> buckets_;
  // About 32 bits a filter entry: few of a text's places that start no key
  // find either of their bits set.
  std::span<const uint32_t> filterWords_;
  PhraseFilter filter_;
  std::span<const uint64_t> firstPairs_;
  size_t longestKey_ = 0;

  // What the views above show, where the table was built from a resource;
  // empty for a table read from an image.
  struct Storage {
    std::vector<Phrase> phrases;
    std::vector<uint64_t> tails;
    std::vector<Bucket> buckets;
    std::vector<uint32_t> filterWords;
    std::vector<uint64_t> firstPairs;
  } built_;
};

}  // namespace marlo
