// SPDX-License-Identifier: Apache-2.0
#include "engine/src/PhraseTable.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace marlo {

namespace {

uint32_t FirstTwo(const uint8_t* p) {
  uint32_t word;
  std::memcpy(&word, p, 4);
  return word;
}

}  // namespace

PhraseTable::PhraseTable(std::span<const uint8_t> resource) {
  const std::string_view text(reinterpret_cast<const char*>(resource.data()), resource.size());
  size_t lineNumber = 0;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    const std::string_view key = line.substr(0, tab == line.npos ? 0 : tab);
    const std::string_view value = tab == line.npos ? line : line.substr(tab + 1);
    // Whole double-byte characters only; a value at most three times its key
    // bounds the output a converter must make room for.
    if (tab == line.npos || key.size() < 4 || key.size() % 2 != 0 || value.empty() ||
        value.size() > 3 * key.size() ||
        std::any_of(key.begin(), key.end(), [](char c) { return uint8_t(c) < 0x40; }))
      throw std::runtime_error("phrase table: malformed line " + std::to_string(lineNumber));
    entries_.push_back({key, value});
    longestKey_ = std::max(longestKey_, key.size());
  }
  for (uint32_t i = 0; i < entries_.size(); ++i) {
    const auto* key = reinterpret_cast<const uint8_t*>(entries_[i].key.data());
    byFirstTwo_[FirstTwo(key)].push_back(i);
    const unsigned pair = unsigned(key[0]) << 8 | key[1];
    firstPairs_[pair >> 6] |= uint64_t(1) << (pair & 63);
  }
  for (auto& [first, candidates] : byFirstTwo_)
    std::stable_sort(candidates.begin(), candidates.end(), [this](uint32_t a, uint32_t b) {
      return entries_[a].key.size() > entries_[b].key.size();
    });
}

const PhraseTable::Entry* PhraseTable::Match(const uint8_t* p, size_t available) const {
  if (available < 4) return nullptr;
  const auto found = byFirstTwo_.find(FirstTwo(p));
  if (found == byFirstTwo_.end()) return nullptr;
  for (const uint32_t i : found->second) {
    const Entry& entry = entries_[i];
    if (entry.key.size() <= available && std::memcmp(entry.key.data(), p, entry.key.size()) == 0)
      return &entry;
  }
  return nullptr;
}

}  // namespace marlo
