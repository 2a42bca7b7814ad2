// SPDX-License-Identifier: Apache-2.0
#include "batch/ConversionTypes.h"

#include <gtest/gtest.h>

namespace marlo {
namespace {

TEST(ConversionTypes, NamesAndLookups) {
  EXPECT_EQ(GetConvTypeName(0), "GbToBig");
  EXPECT_EQ(GetConvTypeName(13), "GbToBigToGbk");
  EXPECT_EQ(GetConvTypeName(14), "");
  EXPECT_EQ(GetConvTypeName(-1), "");
  EXPECT_EQ(FindConversionType("bigtogb"), 1);
  EXPECT_EQ(FindConversionType("BIGTOUSCWIDE"), 11);
  EXPECT_EQ(FindConversionType("12"), 12);
  EXPECT_EQ(FindConversionType("14"), std::nullopt);
  EXPECT_EQ(FindConversionType("1x"), std::nullopt);
  EXPECT_EQ(FindConversionType(""), std::nullopt);
  for (const ConversionType& type : ConversionTypes())
    EXPECT_EQ(FindConversionType(type.identifier), type.index);
}

// Indexes 8 and 11 do not follow the engine's own order of operations.
TEST(ConversionTypes, WideTypesRunTheirOwnDirection) {
  EXPECT_EQ(OperationsOf(8), std::vector<Operation>{Operation::GbkToUSCforWide});
  EXPECT_EQ(OperationsOf(11), std::vector<Operation>{Operation::BigToUSCforWide});
  EXPECT_EQ(OperationsOf(13), (std::vector<Operation>{Operation::GBToBig, Operation::BigToGbk}));
}

}  // namespace
}  // namespace marlo
