// SPDX-License-Identifier: Apache-2.0
// Phrase-level simplified ⇄ traditional conversion, checked against every
// entry of the phrase tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/ConvStream.h"
#include "engine/src/EmbeddedResources.h"
#include "engine/src/PhraseTable.h"
#include "tests/engine/TestSupport.h"

namespace marlo {
namespace {

struct Direction {
  const char* name;
  int resource;
  Operation phrases, characters;
};

const Direction kDirections[] = {
    {"BigToGB", 106, Operation::BigToGBPhrases, Operation::BigToGB},
    {"GBToBig", 107, Operation::GBToBigPhrases, Operation::GBToBig},
};

std::vector<std::pair<std::string, std::string>> Entries(int resource) {
  const auto bytes = LoadResource(resource);
  std::vector<std::pair<std::string, std::string>> entries;
  std::string text(bytes.begin(), bytes.end());
  for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    const std::string line = text.substr(at, end - at);
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    entries.emplace_back(line.substr(0, tab), line.substr(tab + 1));
  }
  return entries;
}

class Phrases : public testing::TestWithParam<Direction> {
 protected:
  std::string Convert(std::string_view text, bool phrases = true) const {
    return test::Engine()
        .Run(phrases ? GetParam().phrases : GetParam().characters, text)
        ->strResult;
  }
};

// Every key alone converts to its value: where a shorter key is a prefix of
// it, the longer one wins. A line end inside a key cuts it into parts that
// convert on their own.
TEST_P(Phrases, EachPhraseBeatsItsShorterPrefixes) {
  const auto entries = Entries(GetParam().resource);
  ASSERT_GT(entries.size(), 500u);
  size_t prefixed = 0, beyondCharacters = 0;
  std::set<std::string> keys;
  for (const auto& [key, value] : entries) keys.insert(key);
  for (const auto& [key, value] : entries) {
    SCOPED_TRACE(test::ToHex(key));
    ASSERT_EQ(Convert(key), value);
    beyondCharacters += Convert(key, false) != value;
    for (size_t cut = 4; cut < key.size(); cut += 2) prefixed += keys.count(key.substr(0, cut));
    const std::string head = key.substr(0, 2), tail = key.substr(2);
    ASSERT_EQ(Convert(head + "\r\n" + tail), Convert(head) + "\r\n" + Convert(tail));
  }
  EXPECT_GT(prefixed, 0u);  // the longest-match rule was exercised
  EXPECT_GT(beyondCharacters, 500u);
}

// A key whose value is just its characters' still guards the word: without
// it, a shorter key would fire inside (集合中 would be 集 + 合中 → 閤中). And
// a value that only lengthens its key is no key, or text that already has
// the long form doubles its tail (烏茲別克斯坦 → 乌兹别克斯坦斯坦).
TEST(PhraseTables, WordsStayWhole) {
  const struct {
    Operation operation;
    const char *in, *out;
  } cases[] = {
      {Operation::GBToBigPhrases, "BC AF BA CF D6 D0", "B6 B0 A6 58 A4 A4"},  // 集合中
      {Operation::GBToBigPhrases, "BF D8 D6 C6 CE AA", "B1 B1 A8 EE AC B0"},  // 控制为 → 控制為
      {Operation::GBToBigPhrases, "BB D6 B8 B4 B3 C9", "AB EC B4 5F A6 A8"},  // 恢复成 → 恢復成
      {Operation::GBToBigPhrases, "CB B5 C3 F7 C1 CB", "BB A1 A9 FA A4 46"},  // 说明了 → 說明了
      {Operation::BigToGBPhrases, "AF 51 AF F7 A7 4F A7 4A B4 B5 A9 5A",      // 烏茲別克斯坦
       "CE DA D7 C8 B1 F0 BF CB CB B9 CC B9"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(test::ToHex(test::Engine().Run(c.operation, test::Hex(c.in))->strResult), c.out)
        << c.in;
}

// A stream gives the whole text's bytes at every split position, however
// long the phrase a cut falls into.
TEST_P(Phrases, StreamingAtEverySplitGivesTheWholeConversion) {
  const auto entries = Entries(GetParam().resource);
  // Runs of double-byte characters longer than the stream's look-back for
  // a safe cut, so the phrase step's own hold-back is what keeps them whole.
  std::string text = "ab";
  for (size_t i = 0; i < entries.size(); i += entries.size() / 40)
    text += entries[i].first + (i == entries.size() / 2 ? "\r\n" : "") +
            entries[entries.size() - 1 - i].first;
  const std::string whole = Convert(text);
  for (size_t split = 0; split <= text.size(); ++split) {
    ConvStream stream(test::Engine(), {GetParam().phrases});
    std::string out(stream.Feed(std::string_view(text).substr(0, split), false));
    out += stream.Feed(std::string_view(text).substr(split), true);
    ASSERT_EQ(test::ToHex(out), test::ToHex(whole)) << "split at " << split;
  }
}

// The phrase step against the rule it follows, written plainly: from a
// character start, the longest key there (the file's first of equal ones)
// gives its value, and the text from one phrase to the next converts by
// its characters. The texts mix keys, keys cut short or run on, ASCII,
// lone and odd high bytes, line ends, and are long enough to cross the
// step's own blocks and chunks, at every offset.
TEST_P(Phrases, FollowsTheLongestKeyRuleOnMixedText) {
  const auto entries = Entries(GetParam().resource);
  std::map<std::string, std::string> byKey;
  size_t longest = 0;
  for (const auto& [key, value] : entries) {
    byKey.emplace(key, value);  // the first of equal keys stays
    longest = std::max(longest, key.size());
  }
  const uint8_t leastTrail = GetParam().resource == 106 ? 0x40 : 0xA1;
  auto reference = [&](const std::string& text) {
    std::string out;
    size_t stretch = 0, i = 0;
    while (i + 1 < text.size()) {
      if (uint8_t(text[i]) < 0xA1 || uint8_t(text[i + 1]) < leastTrail) {
        ++i;
        continue;
      }
      const std::map<std::string, std::string>::const_iterator none = byKey.end();
      auto found = none;
      for (size_t length = std::min(longest, text.size() - i); length >= 4 && found == none;
           --length)
        found = byKey.find(text.substr(i, length));
      if (found == none) {
        i += 2;
        continue;
      }
      out += Convert(text.substr(stretch, i - stretch), false) + found->second;
      i += found->first.size();
      stretch = i;
    }
    return out + Convert(text.substr(stretch), false);
  };
  std::mt19937 random(7);
  auto pick = [&](size_t n) { return size_t(random() % n); };
  for (int round = 0; round < 12; ++round) {
    std::string text;
    while (text.size() < 9000) {
      const std::string& key = entries[pick(entries.size())].first;
      switch (pick(8)) {
        case 0:
          text += "ab c\r\n";
          break;
        case 1:
          text += key.substr(0, 2 + 2 * pick(key.size() / 2));
          break;  // cut short
        case 2:
          text += key + key.substr(0, 2);
          break;  // run on
        case 3:
          text += char(0xA1 + pick(0x5E));
          break;  // a lone lead
        case 4:
          text += std::string{char(0xA1 + pick(0x5E)), char(0x40 + pick(0x3F))};
          break;
        default:
          text += key;
      }
    }
    for (const size_t from : {size_t(0), size_t(1), size_t(63), size_t(4097)}) {
      const std::string piece = text.substr(from);
      ASSERT_EQ(test::ToHex(Convert(piece)), test::ToHex(reference(piece)))
          << "round " << round << " from " << from;
    }
  }
}

// Pieces cut up between two threads give the bytes one thread gives. The
// text has stretches of keys with no byte below 0x40 far longer than a
// part (Big5 keys hold bytes from 0x40 to 0x7E), stretches where such
// bytes are few, and ASCII, lone leads and line ends between; the pieces
// end inside phrases, so the last part must hold back what one would.
TEST_P(Phrases, ASecondThreadGivesTheBytesOfOne) {
  const auto entries = Entries(GetParam().resource);
  std::mt19937 random(11);
  auto pick = [&](size_t n) { return size_t(random() % n); };
  std::string text;
  while (text.size() < 400000) {
    const size_t stretch = text.size() + (pick(3) == 0 ? 60000 : 3000);
    const bool dense = pick(2) == 0;
    while (text.size() < stretch) {
      text += entries[pick(entries.size())].first;
      if (!dense && pick(40) == 0) text += pick(2) == 0 ? "a\n" : "\xA4 b\r\n";
    }
  }
  const std::string one = Convert(text);
  for (const size_t piece : {text.size(), size_t(131072), size_t(40000) + 17}) {
    ConvStream stream(test::Engine(), {GetParam().phrases}, /*secondThread=*/true);
    std::string out;
    for (size_t at = 0; at < text.size(); at += piece)
      out += stream.Feed(std::string_view(text).substr(at, piece), false);
    out += stream.Feed("", true);
    ASSERT_EQ(out.size(), one.size()) << "pieces of " << piece;
    ASSERT_TRUE(out == one) << "pieces of " << piece << ", first difference at "
                            << std::mismatch(out.begin(), out.end(), one.begin()).first -
                                   out.begin();
  }
}

// The program reads its phrase tables where their images are linked in,
// trusting what they say of where things lie: an image that was cut short,
// is not one, or was made from other phrases must be refused, not read.
TEST(PhraseTables, AnImageIsReadOnlyOverItsOwnResource) {
  const auto resource = LoadResource(107);
  const auto linked = LoadPhraseImage(107);
  std::vector<uint8_t> storage(linked.size() + 128);
  void* start = storage.data();
  size_t room = storage.size();
  auto* const aligned = static_cast<uint8_t*>(std::align(64, linked.size() + 1, start, room));
  const std::span<const uint8_t> otherPhrases = resource.first(resource.size() - 1);
  const struct {
    const char* damage;
    size_t at;  // where in the storage, from an aligned byte
    std::function<void(std::span<uint8_t>&, std::span<const uint8_t>&)> make;
  } cases[] = {
      {"none", 0, [](auto&, auto&) {}},
      {"cut short", 0, [](auto& image, auto&) { image = image.first(image.size() - 4); }},
      {"not an image", 0, [](auto& image, auto&) { image[0] ^= 1; }},
      {"more buckets than it holds", 0, [](auto& image, auto&) { image[20] += 1; }},
      {"a filter shift not its size's", 0, [](auto& image, auto&) { image[28] += 1; }},
      {"another resource", 0, [&](auto&, auto& phrases) { phrases = otherPhrases; }},
      {"not aligned", 1, [](auto&, auto&) {}},
  };
  for (const auto& c : cases) {
    std::span<uint8_t> image(aligned + c.at, linked.size());
    std::memcpy(image.data(), linked.data(), linked.size());
    std::span<const uint8_t> phrases = resource;
    c.make(image, phrases);
    if (c.damage == std::string("none"))
      EXPECT_EQ(PhraseTable::FromImage(image, phrases)->size(), Entries(107).size());
    else
      EXPECT_THROW(PhraseTable::FromImage(image, phrases), std::runtime_error) << c.damage;
  }
}

INSTANTIATE_TEST_SUITE_P(BothDirections, Phrases, testing::ValuesIn(kDirections),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace marlo
