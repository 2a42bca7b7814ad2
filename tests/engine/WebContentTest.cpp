// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include "tests/engine/TestSupport.h"

namespace marlo {
namespace {

std::string Report(std::string_view hex) {
  auto result = std::make_shared<ConvResult>();
  result->byteResults()->AppendValues(test::Hex(hex));
  return test::Engine().USCToWebContent(result);
}

TEST(WebContent, UnitsBecomeDecimalReferences) {
  EXPECT_EQ(Report("4E 2D FF 21"), "&#20013;&#65313;");
  EXPECT_EQ(Report("9A D8"), "&#39640;");
  EXPECT_EQ(Report("FF FF"), "&#65535;");
  EXPECT_EQ(Report("00 0D 00 0A"), "&#13;&#10;");
  EXPECT_EQ(Report("00 09"), "&#9;");
  EXPECT_EQ(Report("00 20"), "&#32;");
  EXPECT_EQ(Report("00 41"), "&#65;");
  EXPECT_EQ(Report("00 7E"), "&#126;");  // the last printable ASCII unit
  // DEL is a control unit and gives no &#127;: the walk goes on at 7F,
  // which, last and alone, borrows the low half 7F.
  EXPECT_EQ(Report("00 7F"), "&#32639;");
  EXPECT_EQ(Report("41 42"), "&#16706;");  // single bytes pair like any others
}

TEST(WebContent, DroppedUnitsMoveOnByOneByte) {
  // 00 01 is dropped; the walk goes on at 01, and 01 41 is U+0141.
  EXPECT_EQ(Report("00 01 41"), "&#321;");
  EXPECT_EQ(Report("00 00 00"), "");
}

TEST(WebContent, AnOddLastByteBorrowsThePreviousLowHalf) {
  EXPECT_EQ(Report("41 4E 2D"), "&#16718;&#11598;");  // 2D then 4E
  EXPECT_EQ(Report("41"), "&#65;");                   // alone: its own value
  EXPECT_EQ(Report("05"), "");
}

TEST(WebContent, EmptyOrMissingResultsGiveEmptyText) {
  EXPECT_EQ(Report(""), "");
  EXPECT_EQ(test::Engine().USCToWebContent(nullptr), "");
  // A conversion made without byte values has nothing to report.
  EXPECT_EQ(test::Engine().USCToWebContent(test::Engine().BigToUSC(test::Hex("A4 40"))), "");
  EXPECT_EQ(test::Engine().USCToWebContent(test::Engine().BigToUSCforWide("A", true)), "&#65313;");
}

}  // namespace
}  // namespace marlo
