// SPDX-License-Identifier: Apache-2.0
// Phrase replacements of simplified ⇄ traditional conversion, as bytes: the
// longest phrase that starts at a character wins over the characters'
// own conversion. Engine-internal.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace marlo {

class PhraseTable {
 public:
  // A phrase as the lookup keeps it: small, so that the many a text meets
  // stay in the processor's caches.
  struct Phrase {
    // The key's bytes after its first two characters, up to eight of them
    // (the rest zeros): most keys are compared by one word.
    uint64_t tail = 0;
    // The value's first eight bytes: most values are written from here.
    uint64_t valueStart = 0;
    uint32_t keyAt = 0, valueAt = 0;  // offsets into the resource
    uint8_t keyLength = 0, valueLength = 0;
  };

  // Reads lines "key<TAB>value<LF>"; a line starting with '#' is a remark.
  // A key is two or more double-byte characters of the source code, its
  // value at most three times as long. The phrases point into resource,
  // which must outlive the table. Throws std::runtime_error on a malformed
  // line.
  explicit PhraseTable(std::span<const uint8_t> resource);

  size_t size() const { return phrases_.size(); }
  // The longest key, in bytes: how far ahead a match may reach.
  size_t LongestKey() const { return longestKey_; }

  // Whether some key starts with the pair at p.
  bool MayStart(const uint8_t* p) const {
    const unsigned pair = unsigned(p[0]) << 8 | p[1];
    return (firstPairs_[pair >> 6] >> (pair & 63)) & 1;
  }

  // Whether a key may start with the two characters at p (four bytes there):
  // most places in a text start none, and a bit of a filter says so. Where
  // it lets one through, Prefetch starts fetching what Match will look at.
  bool MayMatch(const uint8_t* p) const {
    const uint32_t bit = Hash(p) >> (32 - kFilterBits);
    return (filter_[bit >> 6] >> (bit & 63)) & 1;
  }
  void Prefetch(const uint8_t* p) const { __builtin_prefetch(&groups_[Slot(Hash(p))]); }
  // Once the group has come (after Prefetch), its phrases.
  void PrefetchPhrases(const uint8_t* p) const {
    __builtin_prefetch(&phrases_[groups_[Slot(Hash(p))].begin]);
  }

  // The longest phrase whose key the bytes p[0..available) start with,
  // where MayMatch has let the place through (four bytes there).
  const Phrase* Match(const uint8_t* p, size_t available) const;

  // Writes the phrase's value at o, which has room for eight bytes more.
  uint8_t* PutValue(const Phrase& phrase, uint8_t* o) const {
    if (phrase.valueLength <= 8)
      std::memcpy(o, &phrase.valueStart, 8);
    else
      std::memcpy(o, base_ + phrase.valueAt, phrase.valueLength);
    return o + phrase.valueLength;
  }

 private:
  // 2^19 bits, 64 KiB: few of a text's character pairs that start no key
  // find their bit set.
  static constexpr unsigned kFilterBits = 19;

  static uint32_t FirstTwo(const uint8_t* p) {
    uint32_t word;
    std::memcpy(&word, p, 4);
    return word;
  }
  static uint32_t Hash(const uint8_t* p) { return FirstTwo(p) * 0x9E3779B1u; }
  size_t Slot(uint32_t hash) const { return hash >> (32 - groupBits_); }

  // The keys that start with these two characters: phrases_[begin, begin +
  // count), longest first. count 0: an empty slot.
  struct Group {
    uint32_t firstTwo = 0;
    uint32_t begin : 22 = 0, count : 10 = 0;
  };

  const uint8_t* base_;
  std::vector<Phrase> phrases_;  // grouped by their first two characters
  std::vector<Group> groups_;    // open addressing; a power of two long
  unsigned groupBits_ = 1;
  std::vector<uint64_t> filter_ = std::vector<uint64_t>((size_t(1) << kFilterBits) / 64);
  std::vector<uint64_t> firstPairs_ = std::vector<uint64_t>(65536 / 64);
  size_t longestKey_ = 0;
};

}  // namespace marlo
