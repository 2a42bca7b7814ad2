// SPDX-License-Identifier: Apache-2.0
#include "batch/ConversionTypes.h"

#include <gtest/gtest.h>

namespace marlo {
namespace {

TEST(ConversionTypes, NamesAndLookups) {
  using enum ConvType;
  EXPECT_EQ(GetConvTypeName(kGbToBig), "GbToBig");
  EXPECT_EQ(GetConvTypeName(kGbToBigToGbk), "GbToBigToGbk");
  EXPECT_EQ(ConvTypeAt(13), kGbToBigToGbk);
  EXPECT_EQ(ConvTypeAt(14), std::nullopt);
  EXPECT_EQ(ConvTypeAt(-1), std::nullopt);
  EXPECT_EQ(FindConversionType("bigtogb"), kBigToGb);
  EXPECT_EQ(FindConversionType("BIGTOUSCWIDE"), kBigToUscWide);
  EXPECT_EQ(FindConversionType("12"), kBigToCns);
  EXPECT_EQ(FindConversionType("14"), std::nullopt);
  EXPECT_EQ(FindConversionType("1x"), std::nullopt);
  EXPECT_EQ(FindConversionType(""), std::nullopt);
  for (const ConversionType& type : ConversionTypes()) {
    EXPECT_EQ(FindConversionType(type.identifier), type.type);
    EXPECT_EQ(&TypeInfo(type.type), &type);  // listed in the order of the enum
  }
}

// Indexes 8 and 11 do not follow the engine's own order of operations.
TEST(ConversionTypes, WideTypesRunTheirOwnDirection) {
  using enum ConvType;
  EXPECT_EQ(OperationsOf(kGbkToUscWide), std::vector<Operation>{Operation::GbkToUSCforWide});
  EXPECT_EQ(OperationsOf(kBigToUscWide), std::vector<Operation>{Operation::BigToUSCforWide});
  EXPECT_EQ(OperationsOf(kGbToBigToGbk),
            (std::vector<Operation>{Operation::GBToBig, Operation::BigToGbk}));
}

}  // namespace
}  // namespace marlo
