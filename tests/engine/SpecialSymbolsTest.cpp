// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include "tests/engine/TestSupport.h"

namespace marlo {
namespace {

using test::Engine;
using test::Hex;
using test::ToHex;

std::string SpcBig(std::string_view hex) {
  std::string text = Hex(hex);
  const std::string result = Engine().BigToSpcBig(text);
  EXPECT_EQ(result, text) << "the argument holds the result too";
  return ToHex(result);
}

std::string SpcGb(std::string_view hex) {
  std::string text = Hex(hex);
  return ToHex(Engine().BigToSpcGB(text));
}

TEST(SpecialSymbols, ReplacesOrRemovesSymbols) {
  EXPECT_EQ(SpcBig("CB DD 41"), "B8 54 41");
  EXPECT_EQ(SpcBig("41 CB E9 42"), "41 42");  // no replacement: removed
  EXPECT_EQ(SpcBig("FA 5F"), ToHex("DUM"));
  EXPECT_EQ(SpcBig("E1 4D"), "A4 66 B3 C1 A1 5E");
  EXPECT_EQ(SpcGb("CB DD 41"), "A5 A1 41");
  EXPECT_EQ(SpcBig("A4 40 41 0D 0A"), "A4 40 41 0D 0A");
  EXPECT_EQ(SpcBig(""), "");
}

TEST(SpecialSymbols, LaterRecordsWorkOnEarlierReplacements) {
  EXPECT_EQ(SpcBig("41 E2 71 42"), "41 42");  // → B3FD, which a later record removes
  EXPECT_EQ(SpcBig("B3 FD"), "");
  EXPECT_EQ(SpcGb("FA 5F"), "B7 BA");  // → A5C6, which a later record maps again
}

TEST(SpecialSymbols, MatchOnlyAtCharacterStarts) {
  // CB DD stands across the characters A4 CB and DD 41.
  EXPECT_EQ(SpcBig("A4 CB DD 41"), "A4 CB DD 41");
  EXPECT_EQ(SpcGb("A4 CB DD 41"), "A4 CB DD 41");
}

TEST(SpecialSymbols, MembershipIsWholeTextEquality) {
  EXPECT_TRUE(Engine().BigInSpc(Hex("CB DD")));
  EXPECT_FALSE(Engine().BigInSpc(Hex("CB DD 41")));
  EXPECT_FALSE(Engine().BigInSpc(""));
  EXPECT_TRUE(Engine().GBInSpc(Hex("A5 A1")));
  EXPECT_TRUE(Engine().GBInSpc(Hex("CB FA")));
  EXPECT_FALSE(Engine().GBInSpc(Hex("A5 F5")));
  EXPECT_FALSE(Engine().GBInSpc(""));
}

TEST(SpecialSymbols, BeforeInitMeNothingChanges) {
  ConvMarlo fresh;
  std::string text = Hex("CB DD");
  EXPECT_EQ(fresh.BigToSpcBig(text), Hex("CB DD"));
  EXPECT_FALSE(fresh.BigInSpc(Hex("CB DD")));
}

// The single pass must give exactly what the record-by-record passes give.
TEST(SpecialSymbols, SinglePassEqualsOrderedPasses) {
  std::vector<std::string> symbols;
  for (const SpecialSymbol& s : Engine().SpcSymbols())
    if (!s.Symbol.empty()) symbols.push_back(s.Symbol);
  std::mt19937 rng(7);
  std::uniform_int_distribution<size_t> pick(0, symbols.size() - 1);
  std::uniform_int_distribution<int> coin(0, 2);
  for (int round = 0; round < 2000; ++round) {
    std::string text = test::RandomBytes(rng, 40);
    // Mix in symbols so replacements and chains really happen.
    for (int k = 0; k < 4; ++k)
      if (coin(rng) == 0)
        text.insert(std::min(text.size(), size_t(rng() % 41)), symbols[pick(rng)]);
    for (bool toGb : {false, true}) {
      std::string expected = text;
      for (const SpecialSymbol& s : Engine().SpcSymbols()) {
        // Plain reference: replace at character starts, record by record.
        std::string out;
        for (size_t i = 0; i < expected.size();) {
          const uint8_t lead = uint8_t(expected[i]);
          const size_t length = lead >= 0x81 && lead <= 0xFE && i + 1 < expected.size() ? 2 : 1;
          if (!s.Symbol.empty() && expected.compare(i, s.Symbol.size(), s.Symbol) == 0) {
            out += toGb ? s.Column2 : s.Column3;
            i += s.Symbol.size();
          } else {
            out += expected.substr(i, length);
            i += length;
          }
        }
        expected = out;
      }
      std::string actual = text;
      toGb ? Engine().BigToSpcGB(actual) : Engine().BigToSpcBig(actual);
      ASSERT_EQ(ToHex(actual), ToHex(expected)) << ToHex(text) << (toGb ? " to GB" : " to Big5");
    }
  }
}

}  // namespace
}  // namespace marlo
