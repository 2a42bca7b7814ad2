// SPDX-License-Identifier: Apache-2.0
// Big5 ⇄ GB2312: worked examples, edge cases, and the fast scan against a
// plain reading of the rules on random input.
#include <gtest/gtest.h>

#include "tests/engine/TestSupport.h"

namespace marlo {
namespace {

using test::Engine;
using test::Hex;
using test::ToHex;

std::string BigToGB(std::string_view hex) { return ToHex(Engine().BigToGB(Hex(hex))->strResult); }
std::string GBToBig(std::string_view hex) { return ToHex(Engine().GBToBig(Hex(hex))->strResult); }

TEST(BigToGB, ConvertsCharactersAndPassesTheRestThrough) {
  EXPECT_EQ(BigToGB("A4 40"), "D2 BB");
  EXPECT_EQ(BigToGB("B3 6F"), "D5 E2");  // 這 → 这
  EXPECT_EQ(BigToGB("41 42 0D 0A"), "41 42 0D 0A");
  EXPECT_EQ(BigToGB("A4 0D"), "A4 0D");  // not a pair: copied alone
  EXPECT_EQ(BigToGB("A1 7F"), "A1 7F");  // trail gap
  EXPECT_EQ(BigToGB("FF 40"), "FF 40");  // 0xFF pairs pass through
  EXPECT_EQ(BigToGB("A4 FF"), "A4 FF");
  EXPECT_EQ(BigToGB("81 40"), "81 40");              // 0x81 is no lead byte here
  EXPECT_EQ(BigToGB("C8 A4"), "A1 A1");              // no GB2312 counterpart
  EXPECT_EQ(BigToGB("41 A4 40 B0"), "41 D2 BB B0");  // lone lead byte at the end
  EXPECT_EQ(Engine().BigToGB("")->strResult, "");
}

TEST(GBToBig, ConvertsCharactersThroughTheShiftedRows) {
  EXPECT_EQ(GBToBig("D5 E2"), "B3 6F");
  EXPECT_EQ(GBToBig("A1 A1"), "A1 40");
  EXPECT_EQ(GBToBig("B0 A1"), "B0 DA");
  EXPECT_EQ(GBToBig("AA A1"), "B0 DA");  // rows 0xAA..0xAF read rows 0xB0..0xB5
  EXPECT_EQ(GBToBig("B0 41"), "B0 41");  // two single bytes
  EXPECT_EQ(GBToBig("A3 C1"), "A2 CF");
  EXPECT_EQ(GBToBig("FA A1"), "FA 40");  // user-defined row
  EXPECT_EQ(GBToBig("FF A1 A1 FF"), "FF A1 A1 FF");
  EXPECT_EQ(GBToBig("D5 E2 B0"), "B3 6F B0");
}

TEST(ConversionResult, EmptyInputLeavesTheResultUntouched) {
  const auto result = Engine().GBToBig("", true);
  EXPECT_EQ(result->strResult, "");
  EXPECT_EQ(result->byteResults()->Count(), 0);
}

TEST(ConversionResult, ByteValuesFollowTheOutputOnlyWhenAsked) {
  const std::string input = Hex("41 B3 6F 0D 0A A4");
  const auto without = Engine().BigToGB(input, false);
  EXPECT_EQ(without->byteResults()->Count(), 0);
  const auto with = Engine().BigToGB(input, true);
  EXPECT_EQ(with->strResult, without->strResult);
  EXPECT_EQ(with->byteResults()->Values(), with->strResult);
  EXPECT_EQ(with->byteResults()->Count(), 6);
}

// The rules read as plainly as possible, one byte at a time.
std::string ReferenceScan(std::string_view s, uint8_t minTrail,
                          uint16_t (*pair)(const ConvMarlo::CodeTables&, uint8_t, uint8_t)) {
  std::string o(s.size(), '\0');
  size_t i = 0;
  while (i + 1 < s.size()) {
    const uint8_t a = uint8_t(s[i]), b = uint8_t(s[i + 1]);
    if (a >= 0xA1 && b >= minTrail) {
      uint16_t v = (a == 0xFF || b == 0xFF) ? uint16_t(a << 8 | b) : pair(Engine().Tables(), a, b);
      o[i] = char(v >> 8);
      o[i + 1] = char(v);
      i += 2;
    } else {
      o[i] = s[i];
      i += 1;
    }
  }
  if (i + 1 == s.size()) o[i] = s[i];
  return o;
}

TEST(BigGbScan, MatchesThePlainRulesOnRandomInput) {
  auto bigToGb = [](const ConvMarlo::CodeTables& t, uint8_t a, uint8_t b) {
    return t.BigToGBTable[size_t(a << 8 | b)];
  };
  auto gbToBig = [](const ConvMarlo::CodeTables& t, uint8_t a, uint8_t b) {
    return t.GBToBigTable[size_t((a <= 0xAF ? a + 6 : a) << 8 | b)];
  };
  std::mt19937 rng(20261207);
  for (int round = 0; round < 3000; ++round) {
    const std::string input = test::RandomBytes(rng, 80);
    SCOPED_TRACE(ToHex(input));
    ASSERT_EQ(Engine().BigToGB(input)->strResult, ReferenceScan(input, 0x40, bigToGb));
    ASSERT_EQ(Engine().GBToBig(input)->strResult, ReferenceScan(input, 0xA1, gbToBig));
    const auto withBytes = Engine().BigToGB(input, true);
    ASSERT_EQ(withBytes->byteResults()->Values(), withBytes->strResult);
  }
}

// A character split by ASCII padding of every length must convert the same.
TEST(BigGbScan, AsciiRunsOfEveryLengthAroundCharacters) {
  for (size_t pad = 0; pad < 32; ++pad) {
    const std::string ascii(pad, 'x');
    const std::string input = ascii + Hex("B3 6F") + ascii + Hex("A4");
    const std::string expected = ascii + Hex("D5 E2") + ascii + Hex("A4");
    ASSERT_EQ(Engine().BigToGB(input)->strResult, expected) << pad;
  }
}

}  // namespace
}  // namespace marlo
