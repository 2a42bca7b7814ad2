// SPDX-License-Identifier: Apache-2.0
// What a type's tables replace is counted, and only that: every code of the
// type's source goes through the type alone, and the codes that come out as
// the type's replacement (its target's ideographic space, or 00 00 where a
// table holds nothing) while they were another character are counted here
// from the output bytes. The pipeline's count over all of them, whole or in
// pieces, must be that number.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include <algorithm>

#include "batch/ConversionPipeline.h"
#include "batch/ConversionTypes.h"
#include "engine/ConvMarlo.h"
#include "tests/engine/TestSupport.h"
#include "tests/support/Glibc.h"

namespace marlo {
namespace {

struct Route {
  const char* name;
  ConvType type;
  bool gbkByCharacter;
  const char* sourceSpace;  // the ideographic space in the code read
  const char* replacement;  // what a character the target lacks becomes
};

const Route kRoutes[] = {
    {"GbToBig", ConvType::kGbToBig, false, "\xA1\xA1", "\xA1\x40"},
    {"BigToGb", ConvType::kBigToGb, false, "\xA1\x40", "\xA1\xA1"},
    {"GbkToBig", ConvType::kGbkToBig, false, "\xA1\xA1", "\xA1\x40"},
    {"BigToGbk", ConvType::kBigToGbk, false, "\xA1\x40", "\xA1\xA1"},
    {"UscToBig", ConvType::kUscToBig, false, "\x30\x00", "\xA1\x40"},
    {"BigToUsc", ConvType::kBigToUsc, false, "\xA1\x40", "\x30\x00"},
    {"GbkToUsc", ConvType::kGbkToUsc, false, "\xA1\xA1", "\x30\x00"},
    {"UscToGbk", ConvType::kUscToGbk, false, "\x30\x00", "\xA1\xA1"},
    {"GbkToUscWide", ConvType::kGbkToUscWide, false, "\xA1\xA1", "\x30\x00"},
    {"UscToGbkNarrow", ConvType::kUscToGbkNarrow, false, "\x30\x00", "\xA1\xA1"},
    {"UscToBigNarrow", ConvType::kUscToBigNarrow, false, "\x30\x00", "\xA1\x40"},
    {"BigToUscWide", ConvType::kBigToUscWide, false, "\xA1\x40", "\x30\x00"},
    {"BigToCNS", ConvType::kBigToCns, false, "\xA1\x40", "\xA1\xA1"},
    {"GbToBigToGbk", ConvType::kGbToBigToGbk, false, "\xA1\xA1", "\xA1\xA1"},
    {"GbkByCharacterToBig", ConvType::kGbkToBig, true, "\xA1\xA1", "\xA1\x40"},
};

void PrintTo(const Route& route, std::ostream* out) { *out << route.name; }

std::string Convert(const Route& route, std::string_view input, uint64_t* unconverted = nullptr,
                    size_t piece = 0, bool toUtf8 = false) {
  TextEnds ends;
  ends.gbkByCharacter = route.gbkByCharacter;
  ends.toUtf8 = toUtf8;
  ConversionPipeline pipeline(test::Engine(), route.type, ends, false, false);
  std::string out;
  if (piece == 0) piece = input.size();
  for (size_t at = 0;; at += piece) {
    const bool last = at + piece >= input.size();
    out.append(pipeline.Feed(input.substr(std::min(at, input.size()), piece), last));
    if (last) break;
  }
  if (unconverted) *unconverted = pipeline.unconverted();
  return out;
}

class ReplacedCount : public testing::TestWithParam<Route> {};

TEST_P(ReplacedCount, IsTheReplacementsInTheOutput) {
  const Route& route = GetParam();
  const CharacterParse parse = StepsOf(OperationsOf(route.type).front()).front().parse;
  const std::string space(route.sourceSpace, 2), replacement(route.replacement, 2);
  const std::string nothing(2, '\0');
  std::string all, leads;  // leads: the codes a GBK or Big5 decoder reads as pairs too
  uint64_t expected = 0, pairs = 0;
  for (unsigned a = 0; a < 256; ++a)
    for (unsigned b = 0; b < 256; ++b) {
      if (!StartsPair(parse, uint8_t(a), uint8_t(b))) continue;
      const std::string code{char(a), char(b)};
      const std::string out = Convert(route, code);
      expected += (out == replacement && code != space) || (out == nothing && code != nothing);
      ++pairs;
      all += code + "\n";
      if (a >= 0x81 && a <= 0xFE) leads += code + "\n";
    }
  ASSERT_GT(pairs, 8000u);
  uint64_t whole = 0, pieces = 0;
  Convert(route, all, &whole);
  Convert(route, all, &pieces, 4099);
  EXPECT_EQ(whole, expected) << pairs << " codes";
  EXPECT_EQ(pieces, expected);
  EXPECT_GT(expected, 0u);
  // Into UTF-8 the Unicode types' steps are gone round (their decoder reads
  // the source): it must count what the steps count.
  if (TypeInfo(route.type).target == ByteForm::kUcs) {
    uint64_t steps = 0, around = 0;
    Convert(route, leads, &steps);
    Convert(route, leads, &around, 0, /*toUtf8=*/true);
    EXPECT_EQ(around, steps);
    EXPECT_GT(around, 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryType, ReplacedCount, testing::ValuesIn(kRoutes),
                         [](const testing::TestParamInfo<Route>& param) {
                           return std::string(param.param.name);
                         });

// Phrases take the place of some characters: what they cover is not
// counted, the rest as without phrases. Real text with a character Big5
// lacks between phrases, and at a piece's end.
TEST(ReplacedCount, PhrasesCountWhatTheyLeaveToTheTable) {
  // 软件 is a phrase (軟體); 们 and 着 are characters of their own; 傈 is
  // one Big5 lacks, blanked by the table between phrases and at the end.
  Glibc toGb2312("GB2312", "UTF-8");
  std::string text;
  for (int k = 0; k < 3000; ++k) text += *toGb2312(k % 7 ? "软件们着。" : "软件傈软件");
  text += *toGb2312("傈");
  for (const bool phrases : {false, true}) {
    for (const size_t piece : {size_t(0), size_t(4099), size_t(65536)}) {
      ConversionPipeline pipeline(test::Engine(), ConvType::kGbToBig, {}, false, false, phrases,
                                  phrases);
      std::string out;
      for (size_t at = 0, step = piece ? piece : text.size();; at += step) {
        const bool last = at + step >= text.size();
        out.append(pipeline.Feed(std::string_view(text).substr(at, step), last));
        if (last) break;
      }
      // Each blank in the output is a replaced character here: the text
      // holds no ideographic space of its own.
      uint64_t blanks = 0;
      for (size_t i = 0; i + 1 < out.size(); ++i)
        if (uint8_t(out[i]) >= 0xA1) {
          blanks += out.compare(i, 2, "\xA1\x40") == 0;
          ++i;
        }
      EXPECT_EQ(pipeline.unconverted(), blanks) << phrases << " " << piece;
    }
  }
}

}  // namespace
}  // namespace marlo
