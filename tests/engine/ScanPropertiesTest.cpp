// SPDX-License-Identifier: Apache-2.0
// Properties every scanning operation keeps, over random byte strings.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "BakedTables.h"
#include "WidthForms.h"

namespace marlo {
namespace {

using Operation = std::shared_ptr<ConvResult> (ConvMarlo::*)(std::string_view, bool) const;

struct Scan {
  const char* name;
  Operation operation;
  enum { kSameLength, kWidens, kNarrows } length;
};

const Scan kScans[] = {
    {"BigToGB", &ConvMarlo::BigToGB, Scan::kSameLength},
    {"GBToBig", &ConvMarlo::GBToBig, Scan::kSameLength},
    {"GbkToBig", &ConvMarlo::GbkToBig, Scan::kSameLength},
    {"BigToGbk", &ConvMarlo::BigToGbk, Scan::kSameLength},
    {"USCToBig", &ConvMarlo::USCToBig, Scan::kSameLength},
    {"BigToUSC", &ConvMarlo::BigToUSC, Scan::kSameLength},
    {"GbkToUSC", &ConvMarlo::GbkToUSC, Scan::kSameLength},
    {"USCToGbk", &ConvMarlo::USCToGbk, Scan::kSameLength},
    {"BigToUSCforWide", &ConvMarlo::BigToUSCforWide, Scan::kWidens},
    {"GbkToUSCforWide", &ConvMarlo::GbkToUSCforWide, Scan::kWidens},
    {"USCToGbkforNarrow", &ConvMarlo::USCToGbkforNarrow, Scan::kNarrows},
    {"USCToBigforNarrow", &ConvMarlo::USCToBigforNarrow, Scan::kNarrows},
    {"BigToCNS", &ConvMarlo::BigToCNS, Scan::kSameLength},
};

class ScanProperties : public testing::TestWithParam<Scan> {};

TEST_P(ScanProperties, LengthAndByteValuesHoldOnRandomInput) {
  const Scan& scan = GetParam();
  std::mt19937 rng(1234);
  for (int round = 0; round < 1500; ++round) {
    const std::string input = test::RandomBytes(rng, 64);
    SCOPED_TRACE(test::ToHex(input));
    const auto plain = (test::Engine().*scan.operation)(input, false);
    const auto withBytes = (test::Engine().*scan.operation)(input, true);
    ASSERT_EQ(withBytes->strResult, plain->strResult);
    ASSERT_EQ(withBytes->byteResults()->Values(), withBytes->strResult);
    ASSERT_EQ(plain->byteResults()->Count(), 0);
    const size_t n = plain->strResult.size();
    switch (scan.length) {
      case Scan::kSameLength:
        ASSERT_EQ(n, input.size());
        break;
      case Scan::kWidens:
        ASSERT_GE(n, input.size());
        break;
      case Scan::kNarrows:
        ASSERT_LE(n, input.size());
        break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryScan, ScanProperties, testing::ValuesIn(kScans),
                         [](const auto& info) { return std::string(info.param.name); });

// The word-at-a-time copy must not change what a byte means next to a
// character, whatever its offset.
TEST(ScanProperties, AsciiPaddingOfEveryLength) {
  for (size_t pad = 0; pad < 32; ++pad) {
    const std::string ascii(pad, 'a');
    const std::string tail = std::string("\x00\x41", 2) + ascii + "\x7F";
    const auto out = test::Engine().GbkToBig(ascii + "\xD2\xBB" + ascii + tail)->strResult;
    ASSERT_EQ(out, ascii + "\xA4\x40" + ascii + std::string("\x00\x00", 2) + ascii + "\x7F") << pad;
  }
}

// The block scan of the table directions against the rules read plainly, on
// inputs long enough to span several 64-byte blocks.
TEST(ScanProperties, TableScanMatchesThePlainRules) {
  const auto& tables = test::Engine().Tables();
  auto reference = [](std::string_view s, const ConvMarlo::CodeTable& table) {
    std::string o(s);
    size_t i = 0;
    while (i + 1 < s.size()) {
      const uint8_t a = uint8_t(s[i]);
      if (a >= 0x01 && a <= 0x7E) {
        ++i;
        continue;
      }
      const uint16_t v = table[a << 8 | uint8_t(s[i + 1])];
      o[i] = char(v >> 8);
      o[i + 1] = char(v & 0xFF);
      i += 2;
    }
    return o;
  };
  std::mt19937 rng(99);
  for (int round = 0; round < 600; ++round) {
    const std::string input = test::RandomBytes(rng, 400);
    SCOPED_TRACE(test::ToHex(input));
    ASSERT_EQ(test::Engine().GbkToBig(input)->strResult, reference(input, tables.GbkToBigTable));
    ASSERT_EQ(test::Engine().USCToGbk(input)->strResult, reference(input, tables.UscToGbkTable));
  }
  // A pair whose lead byte ends a block takes its trail from the next one.
  for (size_t pad = 60; pad < 70; ++pad) {
    const std::string input = std::string(pad, 'a') + "\xD2\xBB" + std::string(70, 'b');
    ASSERT_EQ(test::Engine().GbkToBig(input)->strResult, reference(input, tables.GbkToBigTable));
    const std::string endsInLead = std::string(pad, 'a') + "\xD2";
    ASSERT_EQ(test::Engine().GbkToBig(endsInLead)->strResult, endsInLead);
  }
}

// The one-pass wide conversions give exactly the bytes of widening followed
// by the table scan, also where a byte that starts no character (0x00, 0x7F,
// 0x80, 0xFF) pushes the table scan off the widened characters.
TEST(ScanProperties, WideningInOnePassEqualsTheTwoSteps) {
  const auto& t = test::Engine().Tables();
  const auto widenGbk = FullWidthCodes(t.UscToGbkTable, t.GbkToUscTable);
  const auto widenBig5 = FullWidthCodes(t.UscToBigTable, t.BigToUscTable);
  std::mt19937 rng(17);
  for (int round = 0; round < 800; ++round) {
    std::string input = test::RandomBytes(rng, 300);
    if (round % 2) input += " A\x80 B\xFF~";
    SCOPED_TRACE(test::ToHex(input));
    ASSERT_EQ(test::Engine().GbkToUSCforWide(input)->strResult,
              test::Engine().GbkToUSC(width::Widen(input, widenGbk))->strResult);
    ASSERT_EQ(test::Engine().BigToUSCforWide(input)->strResult,
              test::Engine().BigToUSC(width::Widen(input, widenBig5))->strResult);
  }
}

}  // namespace
}  // namespace marlo
