// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include <vector>

#include "engine/ConvResult.h"

namespace marlo {
namespace {

TEST(ConvResult, StartsEmptyAndCreatesOneCollectionLazily) {
  ConvResult result;
  EXPECT_EQ(result.strResult, "");
  const auto first = result.byteResults();
  EXPECT_EQ(first->Count(), 0);
  EXPECT_EQ(result.byteResults(), first);
  result.setByteResults(nullptr);
  EXPECT_NE(result.byteResults(), first);
  EXPECT_EQ(result.byteResults()->Count(), 0);
}

TEST(ByteResults, PositionsAreOneBasedAndFollowAdd) {
  byteResults bytes;
  bytes.Add(0x41);
  bytes.Add(0xB0);
  bytes.Add(0x00);
  ASSERT_EQ(bytes.Count(), 3);
  EXPECT_EQ(bytes.Item(1)->Value, 0x41);
  EXPECT_EQ(bytes.Item(2)->Value, 0xB0);
  EXPECT_EQ(bytes.Item(3)->Value, 0x00);
  EXPECT_EQ(bytes.Item(0), nullptr);
  EXPECT_EQ(bytes.Item(4), nullptr);
  std::vector<uint8_t> enumerated;
  for (const byteResult& b : bytes) enumerated.push_back(b.Value);
  EXPECT_EQ(enumerated, (std::vector<uint8_t>{0x41, 0xB0, 0x00}));
  bytes.Item(2)->Value = 7;
  EXPECT_EQ(bytes.Values(), std::string("\x41\x07\x00", 3));
}

TEST(ByteResults, KeysFollowTheirMembersThroughRemoval) {
  byteResults bytes;
  bytes.Add(1);
  bytes.Add(2, "two");
  bytes.Add(3, "three");
  EXPECT_EQ(bytes.Item("two"), bytes.Item(2));
  EXPECT_EQ(bytes.Item("none"), nullptr);
  EXPECT_THROW(bytes.Add(9, "two"), std::invalid_argument);
  EXPECT_EQ(bytes.Count(), 3);

  bytes.Remove(1);
  EXPECT_EQ(bytes.Count(), 2);
  EXPECT_EQ(bytes.Item(1)->Value, 2);
  EXPECT_EQ(bytes.Item("three")->Value, 3);
  bytes.Remove("two");
  EXPECT_EQ(bytes.Item("two"), nullptr);
  EXPECT_EQ(bytes.Item(1)->Value, 3);
  EXPECT_THROW(bytes.Remove(2), std::out_of_range);
  EXPECT_THROW(bytes.Remove("two"), std::out_of_range);
  EXPECT_EQ(bytes.Count(), 1);
}

TEST(ByteResults, AppendValuesEqualsAddPerByte) {
  byteResults bulk, single;
  const std::string values("\xA4\x40\x0D\x0A\x00", 5);
  bulk.AppendValues(values);
  for (char c : values) single.Add(uint8_t(c));
  EXPECT_EQ(bulk.Values(), single.Values());
  EXPECT_EQ(bulk.Count(), 5);
}

}  // namespace
}  // namespace marlo
