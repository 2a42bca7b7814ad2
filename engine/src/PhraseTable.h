// SPDX-License-Identifier: Apache-2.0
// Phrase replacements of simplified ⇄ traditional conversion, as bytes: the
// longest phrase that starts at a character wins over the characters'
// own conversion. Engine-internal.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace marlo {

class PhraseTable {
 public:
  struct Entry {
    std::string_view key;    // two or more double-byte characters, source code
    std::string_view value;  // target code
  };

  // Reads lines "key<TAB>value<LF>"; a line starting with '#' is a remark.
  // The entries point into resource, which must outlive the table. Throws
  // std::runtime_error on a malformed line.
  explicit PhraseTable(std::span<const uint8_t> resource);

  size_t size() const { return entries_.size(); }
  // The longest key, in bytes: how far ahead a match may reach.
  size_t LongestKey() const { return longestKey_; }

  // Whether some key starts with the pair at p.
  bool MayStart(const uint8_t* p) const {
    const unsigned index = unsigned(p[0]) << 8 | p[1];
    return (firstPairs_[index >> 6] >> (index & 63)) & 1;
  }
  // The longest entry whose key the bytes p[0..available) start with.
  const Entry* Match(const uint8_t* p, size_t available) const;

 private:
  std::vector<Entry> entries_;
  // Keys by their first two characters, longest first.
  std::unordered_map<uint32_t, std::vector<uint32_t>> byFirstTwo_;
  std::vector<uint64_t> firstPairs_ = std::vector<uint64_t>(65536 / 64);
  size_t longestKey_ = 0;
};

}  // namespace marlo
