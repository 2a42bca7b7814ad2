// SPDX-License-Identifier: Apache-2.0
#include "engine/src/PhraseTable.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

namespace marlo {

// A tail's first key byte is its lowest: its top bytes are the ones a
// shorter key leaves zero.
static_assert(std::endian::native == std::endian::little);

PhraseTable::PhraseTable(std::span<const uint8_t> resource)
    : base_(resource.data()), resourceSize_(resource.size()) {
  std::vector<Phrase>& phrases = built_.phrases;
  const std::string_view text(reinterpret_cast<const char*>(resource.data()), resource.size());
  if (text.size() > UINT32_MAX) throw std::runtime_error("phrase table: too large");
  // Room for a phrase a line, once: growing by doubling would hold twice
  // the table at its peak.
  phrases.reserve(size_t(std::count(text.begin(), text.end(), '\n')) + 1);
  size_t lineNumber = 0;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(at, end - at);
    const size_t lineAt = at;
    at = end + 1;
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    const std::string_view key = line.substr(0, tab == line.npos ? 0 : tab);
    const std::string_view value = tab == line.npos ? line : line.substr(tab + 1);
    // Whole double-byte characters only; a value at most three times its key
    // bounds the output a converter must make room for.
    if (tab == line.npos || key.size() < 4 || key.size() % 2 != 0 || key.size() > UINT8_MAX ||
        value.empty() || value.size() > 3 * key.size() || value.size() > UINT8_MAX ||
        std::any_of(key.begin(), key.end(), [](char c) { return uint8_t(c) < 0x40; }))
      throw std::runtime_error("phrase table: malformed line " + std::to_string(lineNumber));
    Phrase phrase{};
    phrase.valueAt = uint32_t(lineAt + tab + 1);
    phrase.keyLength = uint8_t(key.size());
    phrase.valueLength = uint8_t(value.size());
    std::memcpy(&phrase.valueStart, value.data(), std::min<size_t>(value.size(), 8));
    phrases.push_back(phrase);
    longestKey_ = std::max(longestKey_, key.size());
  }
  // Phrases of one first two characters side by side, longest first; the
  // file's order among keys of one length, so the first of two alike wins.
  // Sorted as plain numbers (first two, then length downwards, then line),
  // which takes a fraction of the time comparing through the keys did:
  // the table is made while the user waits for the first output. The first
  // two as the file orders them (its first byte highest): a file in key
  // order is read through once, not all over.
  constexpr size_t kMostPhrases = (size_t(1) << kBeginBits) - 1,
                   kMostLonger = (size_t(1) << kLongerBits) - 1;
  if (phrases.size() > kMostPhrases) throw std::runtime_error("phrase table: too many phrases");
  std::vector<uint64_t> order(phrases.size());
  for (size_t i = 0; i < phrases.size(); ++i)
    order[i] = uint64_t(__builtin_bswap32(FirstTwo(KeyOf(phrases[i])))) << 32 |
               uint64_t(UINT8_MAX - phrases[i].keyLength) << 24 | i;
  std::sort(order.begin(), order.end());
  std::vector<Phrase> sorted(phrases.size());
  for (size_t i = 0; i < order.size(); ++i) sorted[i] = phrases[order[i] & kMostPhrases];
  phrases = std::move(sorted);
  phrases_ = phrases;
  auto firstTwo = [this](const Phrase& phrase) { return FirstTwo(KeyOf(phrase)); };
  // Groups with many keys placed first: their first two characters are
  // the common ones of a text, and a group placed early is found in its
  // own bucket (a text's lookups read 1.1 buckets on average, not 1.5).
  std::vector<std::pair<size_t, size_t>> groups;  // begin, end
  for (size_t begin = 0, end; begin < phrases.size(); begin = end) {
    for (end = begin; end < phrases.size() && firstTwo(phrases[end]) == firstTwo(phrases[begin]);)
      ++end;
    groups.emplace_back(begin, end);
  }
  std::stable_sort(groups.begin(), groups.end(), [](const auto& a, const auto& b) {
    return a.second - a.first > b.second - b.first;
  });
  // Five groups in eight slots, and a bucket always left with an empty
  // slot somewhere: a lookup that finds none stops.
  std::vector<Bucket>& buckets = built_.buckets;
  buckets.resize(std::max<size_t>(2, (groups.size() * 2 + 4) / 5));
  buckets_ = buckets;
  built_.tails.resize(phrases.size());
  for (size_t i = 0; i < phrases.size(); ++i)
    std::memcpy(&built_.tails[i], KeyOf(phrases[i]) + 4,
                std::min<size_t>(phrases[i].keyLength - 4u, 8));
  tails_ = built_.tails;
  // The filter: for each key two bits in the word of its first two
  // characters, one for them, one standing for the key itself where it has
  // two, for its third character where it has more.
  unsigned wordBits = 14;  // 64 KiB at least: a small table's filter lets few through
  while ((size_t(32) << wordBits) < 32 * phrases.size()) ++wordBits;
  std::vector<uint32_t>& filterWords = built_.filterWords;
  filterWords.assign(size_t(1) << wordBits, 0);
  filterWords_ = filterWords;
  filter_.words = filterWords.data();
  filter_.shift = 32 - wordBits;
  filter_.byThree = phrases.size() > 4096;  // 64 KiB of tails and buckets
  for (const Phrase& phrase : phrases) {
    const uint8_t* key = KeyOf(phrase);
    const uint32_t hash = PhraseFilter::Hash(FirstTwo(key));
    uint16_t third;
    std::memcpy(&third, key + 4, 2);  // a key of two characters has its tab here
    const uint32_t bitHash = PhraseFilter::BitHash(FirstTwo(key));
    const unsigned bit = filter_.byThree && phrase.keyLength > 4
                             ? PhraseFilter::ThreeBit(hash, third)
                             : PhraseFilter::PairBit(bitHash);
    filterWords[filter_.WordOf(hash)] |=
        uint32_t(1) << PhraseFilter::FirstTwoBit(bitHash) | uint32_t(1) << bit;
  }
  built_.firstPairs.assign(65536 / 64, 0);
  firstPairs_ = built_.firstPairs;
  for (const auto& [begin, end] : groups) {
    const uint8_t* key = KeyOf(phrases[begin]);
    size_t longer = 0;
    uint32_t thirds = 0;
    for (size_t k = begin; k < end; ++k)
      if (phrases[k].keyLength > 4) {
        ++longer;
        thirds |= uint32_t(1) << ThirdBit(KeyOf(phrases[k]));
      }
    if (longer > kMostLonger)
      throw std::runtime_error("phrase table: too many keys start with the same two characters");
    uint32_t where = uint32_t(begin) | uint32_t(longer) << kBeginBits;
    uint32_t pairValue = 0;
    if (begin + longer < end) {  // the first of its two-character keys wins
      const Phrase& pair = phrases[begin + longer];
      where |= kHasPair;
      if (pair.valueLength == 4) {
        where |= kPairInline;
        pairValue = uint32_t(pair.valueStart);
      }
    }
    for (size_t b = BucketOf(Hash(key));; b = b + 1 == buckets.size() ? 0 : b + 1) {
      Bucket& bucket = buckets[b];
      const auto slot = std::find(std::begin(bucket.firstTwo), std::end(bucket.firstTwo), 0u);
      if (slot == std::end(bucket.firstTwo)) continue;
      const size_t s = size_t(slot - std::begin(bucket.firstTwo));
      bucket.firstTwo[s] = FirstTwo(key);
      bucket.where[s] = where;
      bucket.thirds[s] = thirds;
      bucket.pairValue[s] = pairValue;
      break;
    }
    const unsigned pair = unsigned(key[0]) << 8 | key[1];
    built_.firstPairs[pair >> 6] |= uint64_t(1) << (pair & 63);
  }
}

// The image: this header, then the buckets, phrases, tails, first pairs and
// filter words, each a whole number of the next one's alignment.
struct PhraseTable::ImageHeader {
  static constexpr std::array<char, 8> kMagic = {'M', 'A', 'R', 'L', 'O', 'P', 'H', '1'};
  std::array<char, 8> magic;
  uint64_t resourceSize;
  uint32_t phrases, buckets, filterWords, filterShift;
  uint32_t byThree, longestKey;
  uint32_t reserved[6];
};
static_assert(std::is_trivially_copyable_v<PhraseTable::Phrase>);

std::vector<uint8_t> PhraseTable::Image() const {
  static_assert(sizeof(ImageHeader) == 64);
  ImageHeader header{};
  header.magic = ImageHeader::kMagic;
  header.resourceSize = resourceSize_;
  header.phrases = uint32_t(phrases_.size());
  header.buckets = uint32_t(buckets_.size());
  header.filterWords = uint32_t(filterWords_.size());
  header.filterShift = filter_.shift;
  header.byThree = filter_.byThree;
  header.longestKey = uint32_t(longestKey_);
  std::vector<uint8_t> image(sizeof header + buckets_.size_bytes() + phrases_.size_bytes() +
                             tails_.size_bytes() + firstPairs_.size_bytes() +
                             filterWords_.size_bytes());
  uint8_t* at = image.data();
  auto append = [&at](const void* data, size_t size) {
    std::memcpy(at, data, size);
    at += size;
  };
  append(&header, sizeof header);
  append(buckets_.data(), buckets_.size_bytes());
  append(phrases_.data(), phrases_.size_bytes());
  append(tails_.data(), tails_.size_bytes());
  append(firstPairs_.data(), firstPairs_.size_bytes());
  append(filterWords_.data(), filterWords_.size_bytes());
  return image;
}

std::unique_ptr<PhraseTable> PhraseTable::FromImage(std::span<const uint8_t> image,
                                                    std::span<const uint8_t> resource) {
  auto damaged = [] { return std::runtime_error("phrase table: the linked image is damaged"); };
  ImageHeader header;
  if (image.size() < sizeof header || reinterpret_cast<uintptr_t>(image.data()) % 64 != 0)
    throw damaged();
  std::memcpy(&header, image.data(), sizeof header);
  const uint64_t size = sizeof header + uint64_t(header.buckets) * sizeof(Bucket) +
                        uint64_t(header.phrases) * (sizeof(Phrase) + sizeof(uint64_t)) + 65536 / 8 +
                        uint64_t(header.filterWords) * sizeof(uint32_t);
  if (header.magic != ImageHeader::kMagic || size != image.size() || header.buckets < 2 ||
      header.filterShift > 31 || header.filterWords != uint64_t(1) << (32 - header.filterShift))
    throw damaged();
  if (header.resourceSize != resource.size())
    throw std::runtime_error("phrase table: the linked image was made from other phrases");
  auto table = std::unique_ptr<PhraseTable>(new PhraseTable());
  table->base_ = resource.data();
  table->resourceSize_ = resource.size();
  const uint8_t* at = image.data() + sizeof header;
  auto view = [&at]<typename T>(std::span<const T>& span, size_t count) {
    span = {reinterpret_cast<const T*>(at), count};
    at += count * sizeof(T);
  };
  view(table->buckets_, header.buckets);
  view(table->phrases_, header.phrases);
  view(table->tails_, header.phrases);
  view(table->firstPairs_, 65536 / 64);
  view(table->filterWords_, header.filterWords);
  table->filter_.words = table->filterWords_.data();
  table->filter_.shift = header.filterShift;
  table->filter_.byThree = header.byThree != 0;
  table->longestKey_ = header.longestKey;
  return table;
}

PhraseTable::Phrase PhraseTable::MatchBeyond(size_t home, const uint8_t* p,
                                             size_t available) const {
  const uint32_t first = FirstTwo(p);
  for (size_t b = home;; b = b + 1 == buckets_.size() ? 0 : b + 1) {
    const Bucket& bucket = buckets_[b];
    const unsigned found = SlotsHolding(bucket, first);
    if (found != 0) return InGroup(bucket, unsigned(__builtin_ctz(found)), p, available);
    if (SlotsHolding(bucket, 0) != 0) return {};  // it would have been placed here
  }
}

PhraseTable::Phrase PhraseTable::MatchLonger(uint32_t where, uint32_t pairValue, const uint8_t* p,
                                             size_t available) const {
  const size_t begin = where & kBeginMask, longer = where >> kBeginBits & kLongerMask;
  // Only the bytes after the first two are compared, a word at a time,
  // those beyond the text as zeros (which no key has). Longest first, so
  // the first that matches wins.
  uint64_t next = 0;
  std::memcpy(&next, p + 4, std::min<size_t>(available - 4, 8));
  for (size_t k = begin; k < begin + longer; ++k) {
    const uint64_t tail = tails_[k];
    // A tail's own bytes: the key is shorter where its top bytes are zero.
    const uint64_t mask = ~uint64_t(0) >> (__builtin_clzll(tail) & 56);
    if ((next & mask) != tail) continue;
    const Phrase& phrase = phrases_[k];
    if (phrase.keyLength <= 12 ||
        (phrase.keyLength <= available &&
         std::memcmp(KeyOf(phrase) + 12, p + 12, phrase.keyLength - 12u) == 0))
      return phrase;
  }
  // None of them: the key of just the two, where the group has one, from
  // the bucket where it is there: half the calls end here, and its record
  // would be one more line to fetch.
  return PairOf(where, pairValue);
}

}  // namespace marlo
