// SPDX-License-Identifier: Apache-2.0
// Streaming a conversion piece by piece gives the bytes of the whole one.
#include "engine/ConvStream.h"

#include <gtest/gtest.h>

#include "batch/ConversionTypes.h"
#include "tests/engine/TestSupport.h"
#include "tests/support/TypeOracle.h"

namespace marlo {
namespace {

std::string Streamed(ConvType type, std::string_view input, const std::vector<size_t>& cuts) {
  ConvStream stream(test::Engine(), OperationsOf(type));
  std::string out;
  size_t at = 0;
  for (size_t cut : cuts) {
    out += stream.Feed(input.substr(at, cut - at), false);
    at = cut;
  }
  out += stream.Feed(input.substr(at), false);
  out += stream.Feed("", true);
  return out;
}

class ConvStreamTypes : public testing::TestWithParam<int32_t> {
 protected:
  static ConvType Type() { return ConvType(GetParam()); }
};

TEST_P(ConvStreamTypes, RandomPiecesGiveTheWholeConversion) {
  const ConvType type = Type();
  std::mt19937 rng(uint32_t(GetParam()) + 1);
  for (int round = 0; round < 300; ++round) {
    const std::string input = test::RandomBytes(rng, 600);
    std::vector<size_t> cuts;
    for (size_t at = 0; at < input.size();) {
      at += std::uniform_int_distribution<size_t>(0, 40)(rng);
      if (at < input.size()) cuts.push_back(at);
    }
    ASSERT_EQ(test::ToHex(Streamed(type, input, cuts)),
              test::ToHex(ConvertWithType(test::Engine(), type, input)->strResult))
        << GetConvTypeName(type) << " on " << test::ToHex(input);
  }
}

// One piece boundary at every position of an input that holds every kind of
// byte next to every other.
TEST_P(ConvStreamTypes, ASplitAtEveryPosition) {
  const ConvType type = Type();
  const std::string input = test::Hex(
      "B3 6F A4 40 41 0D 0A A4 0D 00 41 7F 42 80 FF A1 A1 FF 21 D2 BB 20 7E 81 40 C9 4D FA 40 A4");
  const std::string whole = ConvertWithType(test::Engine(), type, input)->strResult;
  for (size_t cut = 0; cut <= input.size(); ++cut)
    ASSERT_EQ(test::ToHex(Streamed(type, input, {cut})), test::ToHex(whole))
        << GetConvTypeName(type) << " cut at " << cut;
}

INSTANTIATE_TEST_SUITE_P(EveryType, ConvStreamTypes, testing::Range(0, kConversionTypeCount),
                         [](const auto& test) { return GetConvTypeName(ConvType(test.param)); });

TEST(WholeCharacterPrefix, HoldsBackOnlyWhatCouldStillPair) {
  using enum CharacterParse;
  EXPECT_EQ(WholeCharacterPrefix(kTable, test::Hex("41 42")), 2u);
  EXPECT_EQ(WholeCharacterPrefix(kTable, test::Hex("A4 40 B0")), 2u);
  EXPECT_EQ(WholeCharacterPrefix(kTable, test::Hex("A4 40 00")), 2u);
  EXPECT_EQ(WholeCharacterPrefix(kTable, test::Hex("A4 B0 41")), 3u);  // B0 41 is a pair
  EXPECT_EQ(WholeCharacterPrefix(kBig5ToGb, test::Hex("41 80")), 2u);  // 0x80 is no lead here
  EXPECT_EQ(WholeCharacterPrefix(kGbToBig5, test::Hex("41 A1")), 1u);
  EXPECT_EQ(WholeCharacterPrefix(kWidening, test::Hex("41 FF")), 2u);
  EXPECT_EQ(WholeCharacterPrefix(kWidening, test::Hex("41 FE")), 1u);
  EXPECT_EQ(WholeCharacterPrefix(kTable, ""), 0u);
}

// The scans write without looking: a step given less room than it may
// need refuses before it writes a byte, for every step of every operation.
TEST(ConvStream, AStepRefusesTooLittleRoom) {
  const std::string text = "\xB3\x6F\xA4\x40 ABC \xD5\xE2\xD2\xBB\r\n";
  for (size_t op = 0; op <= size_t(Operation::GbkCharactersToBig); ++op)
    for (const ConversionStep& step : StepsOf(Operation(op))) {
      const size_t need = step.MaxOutput(text.size());
      std::string out(need + 8, '#');
      int pending = -1;
      size_t consumed = 0;
      uint64_t replaced = 0;
      auto* o = reinterpret_cast<uint8_t*>(out.data());
      EXPECT_THROW(
          test::Engine().RunStep(step, text, o, need - 1, pending, true, consumed, replaced),
          std::length_error)
          << op;
      EXPECT_EQ(out, std::string(need + 8, '#')) << op;
      EXPECT_NO_THROW(
          test::Engine().RunStep(step, text, o, need, pending, true, consumed, replaced))
          << op;
    }
}

}  // namespace
}  // namespace marlo
