// SPDX-License-Identifier: Apache-2.0
#include "batch/ConversionPipeline.h"
#include "batch/InputCheck.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "batch/ConversionTypes.h"
#include "tests/engine/TestSupport.h"

namespace marlo {
namespace {

// Random text of the characters a table form holds, with ASCII between.
std::string RandomText(const ConvMarlo::CodeTable& toUnicode, bool gb2312Only, unsigned seed) {
  std::vector<uint16_t> codes;
  for (unsigned code = 0x8140; code <= 0xFEFE; ++code)
    if (toUnicode[code] && (!gb2312Only || (code >> 8 >= 0xB0 && code >> 8 <= 0xF7 &&
                                            (code & 0xFF) >= 0xA1 && (code & 0xFF) <= 0xFE)))
      codes.push_back(uint16_t(code));
  std::mt19937 rng(seed);
  std::string text;
  for (int k = 0; k < 20000; ++k) {
    const uint16_t c = codes[rng() % codes.size()];
    text += char(c >> 8);
    text += char(c & 0xFF);
    if (rng() % 8 == 0) text += "ab 12\r\n";
  }
  return text;
}

std::string Utf8Text() {
  std::string text;
  for (int k = 0; k < 500; ++k) text += "這是 UTF-8 的中文文本，轉換前要先說明。\n";
  return text;
}

TEST(InputCheck, TextOfTheExpectedCodeNeverWarns) {
  const auto& t = test::Engine().Tables();
  const std::string big5 = RandomText(t.BigToUscTable, false, 1);
  const std::string gb = RandomText(t.GbkToUscTable, true, 2);
  const std::string gbk = RandomText(t.GbkToUscTable, false, 3);
  std::ifstream file(std::string(MARLO_SOURCE_DIR) + "/examples/big5-sample.txt", std::ios::binary);
  const std::string sample((std::istreambuf_iterator<char>(file)), {});
  ASSERT_FALSE(sample.empty());
  for (const ConversionType& type : ConversionTypes()) {
    const SourceCode code = SourceCodeOf(type.type);
    const std::string& text = code == SourceCode::kBig5     ? big5
                              : code == SourceCode::kGb2312 ? gb
                                                            : gbk;
    if (code == SourceCode::kUcs) continue;
    EXPECT_EQ(CheckInput(test::Engine(), type.type, text), std::nullopt) << type.identifier;
    if (code == SourceCode::kBig5) {
      EXPECT_EQ(CheckInput(test::Engine(), type.type, sample), std::nullopt);
    }
  }
}

TEST(InputCheck, AnotherCodeWarnsAndIsNamed) {
  const std::string big5 = RandomText(test::Engine().Tables().BigToUscTable, false, 4);
  const std::string utf8 = Utf8Text();
  const auto underGb = CheckInput(test::Engine(), ConvType::kGbToBig, big5);
  ASSERT_TRUE(underGb);
  EXPECT_EQ(underGb->expected, SourceCode::kGb2312);
  EXPECT_EQ(underGb->likely, SourceCode::kBig5);
  EXPECT_GT(underGb->invalidShare, kNotThisCodeShare);
  EXPECT_LE(underGb->invalidShare, 1.0);
  for (const ConversionType& type : ConversionTypes()) {
    if (type.source != ByteForm::kBig5) continue;
    const auto verdict = CheckInput(test::Engine(), type.type, utf8);
    ASSERT_TRUE(verdict) << type.identifier;
    EXPECT_EQ(Describe(*verdict).find("看起來不是 Big5 文本"), 0u) << Describe(*verdict);
    EXPECT_NE(Describe(*verdict).find("像是 UTF-8 文本"), std::string::npos) << Describe(*verdict);
  }
  // A dangling byte is what the UCS form can show.
  EXPECT_EQ(CountErrors(test::Engine(), SourceCode::kUcs, "A\x4E\x2D\x90").errors, 1u);
}

// UTF-8 only where the checked start is valid UTF-8 with something beyond
// ASCII: an invalid byte anywhere in it, however late, says no; one after
// it does not; a sequence the start's end cuts does not count against it.
TEST(InputCheck, LooksLikeUtf8OnlyWhenTheWholeStartIsValid) {
  const std::string utf8 = Utf8Text();
  std::string longer;
  while (longer.size() <= kCheckedBytes) longer += utf8;
  const struct {
    std::string bytes;
    bool whole, expected;
  } cases[] = {
      {"", true, false},
      {"plain ASCII\r\n", true, false},
      {utf8, true, true},
      {utf8 + "\xE4\xB8", false, true},
      {utf8 + "\xF0\x9F\x98", false, true},
      {utf8 + "\xF0\x9F\x98\x80", false, true},
      {utf8 + "\xE4\xB8", true, false},
      {utf8 + "\xFF", true, false},
      {"\xC0\xAF" + utf8, true, false},
      {utf8 + "\xED\xA0\x80", true, false},
      {"\xB3\x6F\xAC\x4F" + utf8, true, false},
      {longer + "\xFF", true, true},
      // Exactly the checked size, its last sequence cut: a run, which has
      // read the start only, and a preview, which has it all, agree.
      {longer.substr(0, kCheckedBytes - 1) + "\xE4", true, true},
      {longer.substr(0, kCheckedBytes - 1) + "\xE4", false, true},
      // A lone continuation byte at the checked start's end is no character
      // cut in two: invalid, however the input goes on.
      {longer.substr(0, kCheckedBytes - 1) + "\x80", false, false},
      {longer.substr(0, kCheckedBytes - 1) + "\x80", true, false},
      {longer.substr(0, kCheckedBytes - 1) + "\x80" + utf8, true, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LooksLikeUtf8(c.bytes, c.whole), c.expected)
        << test::ToHex(c.bytes.substr(0, 8)) << "… (" << c.bytes.size() << " bytes)";
}

}  // namespace
}  // namespace marlo

namespace marlo {
namespace {

// Text of `count` characters (這 in Big5 unless told), `bad` of them a pair
// the code lacks (a trail Big5 lacks unless told), the first one among them.
std::string WithInvalid(size_t count, size_t bad, std::string_view good = "\xB3\x6F",
                        std::string_view wrong = "\xA4\x7F") {
  std::string text;
  for (size_t k = 0; k < count; ++k) text += k * bad % count < bad ? wrong : good;
  return text;
}

// The verdict is one, on the checked start, whatever the cutting of the
// input: the warning at more than 1% bad characters, and --strict refusing
// exactly what warns, with nothing of a refused input given out.
TEST(InputCheck, StrictRefusesWhatWarnsHoweverTheInputIsCut) {
  const struct {
    size_t count, bad;
    bool warns;
  } cases[] = {{100, 1, false}, {100, 2, true}, {1000, 1, false}, {1000, 25, true}};
  for (const auto& c : cases) {
    const std::string text = WithInvalid(c.count, c.bad);
    for (const size_t cut : {size_t(0), size_t(1), size_t(2), size_t(3), text.size() / 2}) {
      SCOPED_TRACE(testing::Message() << c.bad << " in " << c.count << ", cut at " << cut);
      for (const bool strict : {false, true}) {
        ConversionPipeline pipeline(test::Engine(), ConvType::kBigToGb, {}, true, strict);
        std::string out;
        bool refused = false;
        try {
          out += pipeline.Feed(std::string_view(text).substr(0, cut), false);
          out += pipeline.Feed(std::string_view(text).substr(cut), true);
        } catch (const InputError&) {
          refused = true;
        }
        EXPECT_EQ(refused, strict && c.warns);
        if (refused) {
          EXPECT_EQ(out, "");
        } else {
          EXPECT_EQ(out.size(), text.size());
          EXPECT_EQ(pipeline.verdict().has_value(), c.warns);
        }
      }
    }
  }
}

// A character that the checked start's end cuts in two is no fault of the
// input: one ASCII byte in front of text at the warning's edge (1% bad)
// must not tip it, in any code, however the input comes in pieces.
TEST(InputCheck, ACharacterCutByTheCheckedStartIsNoFault) {
  const struct {
    ConvType type;
    const char *good, *wrong;
  } codes[] = {{ConvType::kBigToGb, "\xB3\x6F", "\xA4\x7F"},   // 這
               {ConvType::kGbkToBig, "\xD5\xE2", "\xA4\x7F"},  // 这
               {ConvType::kGbToBig, "\xD5\xE2", "\xD5\x40"}};
  for (const auto& [type, good, wrong] : codes) {
    const std::string atTheEdge = WithInvalid(kCheckedBytes / 2, kCheckedBytes / 200, good, wrong);
    for (const std::string& text : {atTheEdge, "a" + atTheEdge, "ab" + atTheEdge}) {
      SCOPED_TRACE(testing::Message() << GetConvTypeName(type) << ", " << text.size() << " bytes");
      for (const size_t cut : {text.size(), kCheckedBytes - 1, kCheckedBytes + 1}) {
        // Not strict: the wrong pairs are replaced, which strict refuses too.
        ConversionPipeline pipeline(test::Engine(), type, {}, true, /*strict=*/false);
        std::string out(pipeline.Feed(std::string_view(text).substr(0, cut), cut == text.size()));
        if (cut < text.size()) out += pipeline.Feed(std::string_view(text).substr(cut), true);
        EXPECT_FALSE(pipeline.verdict().has_value());
        EXPECT_EQ(out.size(), text.size());
      }
    }
  }
  // The cut is at a character boundary: a pair whose second byte is below
  // 0x80 counts whole, a lone lead after it is cut.
  EXPECT_EQ(WholeCharacters(SourceCode::kBig5, "\xA4\x40\xA4"), "\xA4\x40");
  EXPECT_EQ(WholeCharacters(SourceCode::kBig5, "\xA4\xA4\x40"), "\xA4\xA4\x40");
  EXPECT_EQ(WholeCharacters(SourceCode::kGbk, "a\x81"), "a");
  EXPECT_EQ(WholeCharacters(SourceCode::kUcs, "\x4E\x2D\x90"), "\x4E\x2D");
}

}  // namespace
}  // namespace marlo
