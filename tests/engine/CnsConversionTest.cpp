// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include "tests/engine/TestSupport.h"

namespace marlo {
namespace {

using test::Engine;
using test::Hex;
using test::ToHex;

std::string Cns(std::string_view hex) { return ToHex(Engine().BigToCNS(Hex(hex))->strResult); }

struct CnsCase {
  const char* big5;
  const char* cns;
};

class BigToCnsWorkedValues : public testing::TestWithParam<CnsCase> {};

TEST_P(BigToCnsWorkedValues, Converts) { EXPECT_EQ(Cns(GetParam().big5), GetParam().cns); }

INSTANTIATE_TEST_SUITE_P(Plane1ByArithmeticAndCorrections, BigToCnsWorkedValues,
                         testing::Values(CnsCase{"A1 40", "A1 A1"}, CnsCase{"A1 41", "A1 A2"},
                                         CnsCase{"A2 AF", "A4 A1"},  // P + 0xD2
                                         CnsCase{"A3 BF", "A5 F0"},  // P + 0x30
                                         CnsCase{"A3 4F", "A5 A1"},
                                         CnsCase{"A3 7D", "A5 A1"},  // onto the next row
                                         CnsCase{"A4 40", "C4 A1"}, CnsCase{"A4 A1", "C4 E0"},
                                         CnsCase{"AC FE", "D7 D3"},  // fixed
                                         CnsCase{"AD 40", "D3 A3"},  // P − 1
                                         CnsCase{"AD BD", "D4 A1"}, CnsCase{"AE 5C", "D5 A1"},
                                         CnsCase{"AE DC", "D6 A1"}, CnsCase{"AF 7B", "D7 A1"},
                                         CnsCase{"BE 52", "EB D0"},  // fixed, before its range
                                         CnsCase{"C3 B9", "F8 E5"},  // P + 2
                                         CnsCase{"C3 BA", "F8 E4"},  // P, before its range
                                         CnsCase{"C6 7E", "FD CB"},
                                         // Each correction range's last code, as glibc's
                                         // EUC-TW converter gives it: a range ending one
                                         // code early shows here.
                                         CnsCase{"A2 DE", "A4 D0"}, CnsCase{"BE 51", "EF DB"},
                                         CnsCase{"C2 CA", "F7 B6"}, CnsCase{"C4 55", "F9 E1"}));

INSTANTIATE_TEST_SUITE_P(Plane2TableAndOtherRules, BigToCnsWorkedValues,
                         testing::Values(CnsCase{"C9 40", "A1 21"},  // first record
                                         CnsCase{"C9 4A", "00 00"},  // a hole
                                         CnsCase{"F9 D5", "A1 A1"}, CnsCase{"C7 40", "A1 A1"},
                                         CnsCase{"FA 40", "AB 2F"}, CnsCase{"FA 5F", "AB 4E"},
                                         CnsCase{"FA 60", "A1 A1"},
                                         CnsCase{"80 41", "A1 A1"},  // the letter is consumed
                                         CnsCase{"00 41", "A1 A1"}, CnsCase{"7F 41", "A1 A1"},
                                         CnsCase{"A4 0D", "A1 A1"},  // the CR is consumed
                                         CnsCase{"41 0D 0A A4", "41 0D 0A A4"}));

// The corrections apply to whole ranges: check each range's neighbours so an
// off-by-one bound shows.
TEST(BigToCns, CorrectionRangesHaveExactBounds) {
  auto cns = [](unsigned big5) {
    const std::string out =
        Engine().BigToCNS(std::string{char(big5 >> 8), char(big5 & 0xFF)})->strResult;
    return unsigned(uint8_t(out[0])) << 8 | uint8_t(out[1]);
  };
  // Consecutive Big5 codes inside one uncorrected stretch give consecutive cells.
  EXPECT_EQ(cns(0xBBC7) + 2, cns(0xBBC8));  // P + 1 starts at 0xBBC8
  EXPECT_EQ(cns(0xC1AA) + 2, cns(0xC1AB));  // P + 1 starts at 0xC1AB
  EXPECT_EQ(cns(0xC360) + 2, cns(0xC361));  // P + 1 starts at 0xC361
  EXPECT_EQ(cns(0xC456) & 0x7F7F, 0x782Du);
  EXPECT_EQ(cns(0xC2CB) & 0x7F7F, 0x7535u);
  EXPECT_EQ(cns(0xAFD0), cns(0xAFCF) + 2);  // P − 1 ends at 0xAFCF
}

}  // namespace
}  // namespace marlo
