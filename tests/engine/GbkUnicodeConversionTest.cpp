// SPDX-License-Identifier: Apache-2.0
// GBK ⇄ Big5 and the Unicode directions, with their width wrappers.
#include <gtest/gtest.h>

#include "tests/engine/TestSupport.h"

namespace marlo {
namespace {

using test::Engine;
using test::Hex;
using test::ToHex;

using Operation = std::shared_ptr<ConvResult> (ConvMarlo::*)(std::string_view, bool) const;

std::string Convert(Operation operation, std::string_view hex) {
  return ToHex((Engine().*operation)(Hex(hex), false)->strResult);
}

TEST(GbkBig, ChangesTheCodeNotTheCharacter) {
  EXPECT_EQ(Convert(&ConvMarlo::BigToGbk, "C9 4D"), "81 44");
  EXPECT_EQ(Convert(&ConvMarlo::BigToGbk, "A4 40"), "D2 BB");
  EXPECT_EQ(Convert(&ConvMarlo::GbkToBig, "81 44"), "C9 4D");
  EXPECT_EQ(Convert(&ConvMarlo::GbkToBig, "D2 BB"), "A4 40");
  EXPECT_EQ(Convert(&ConvMarlo::GbkToBig, "41 0D 0A"), "41 0D 0A");
}

TEST(GbkBig, EveryNonSingleByteStartsAPairWithoutPassThrough) {
  EXPECT_EQ(Convert(&ConvMarlo::BigToGbk, "A1 45"), "00 00");  // on no line of the table
  EXPECT_EQ(Convert(&ConvMarlo::BigToGbk, "00 41"), "00 00");  // the letter is consumed
  EXPECT_EQ(Convert(&ConvMarlo::BigToGbk, "7F 41 42"), "00 00 42");
  EXPECT_EQ(Convert(&ConvMarlo::GbkToBig, "B0 0D 0A"), "00 00 0A");  // the CR is swallowed
  EXPECT_EQ(Convert(&ConvMarlo::GbkToBig, "FF FF"), "00 00");        // no special case for 0xFF
  EXPECT_EQ(Convert(&ConvMarlo::GbkToBig, "41 B0"), "41 B0");  // a last lone lead byte is copied
  EXPECT_EQ(Convert(&ConvMarlo::GbkToBig, "81 40"), "A1 40");  // 丂 has no Big5 code
}

TEST(Unicode, PlainDirections) {
  EXPECT_EQ(Convert(&ConvMarlo::GbkToUSC, "B0 A1"), "55 4A");
  EXPECT_EQ(Convert(&ConvMarlo::GbkToUSC, "41"), "41");
  EXPECT_EQ(Convert(&ConvMarlo::GbkToUSC, "A3 C1"), "FF 21");
  EXPECT_EQ(Convert(&ConvMarlo::GbkToUSC, "AA A1"), "E0 00");  // user-defined → Private Use Area
  EXPECT_EQ(Convert(&ConvMarlo::BigToUSC, "A4 40"), "4E 00");
  EXPECT_EQ(Convert(&ConvMarlo::USCToGbk, "9F A5"), "FD 9B");
  EXPECT_EQ(Convert(&ConvMarlo::USCToGbk, "00 41"), "00 00");
  EXPECT_EQ(Convert(&ConvMarlo::USCToGbk, "55 4A"), "55 4A");  // two single bytes, not a unit
  EXPECT_EQ(Convert(&ConvMarlo::USCToGbk, "00 B0"), "A1 E3");
  EXPECT_EQ(Convert(&ConvMarlo::USCToBig, "FF 21"), "A2 CF");
  EXPECT_EQ(Convert(&ConvMarlo::USCToBig, "E0 00"), "A1 40");  // no Big5 counterpart
}

TEST(Unicode, WideningMakesEveryCharacterAUnit) {
  EXPECT_EQ(Convert(&ConvMarlo::GbkToUSCforWide, "41"), "FF 21");
  EXPECT_EQ(Convert(&ConvMarlo::GbkToUSC, "41"), "41");
  EXPECT_EQ(Convert(&ConvMarlo::BigToUSCforWide, "41 20 A4 40"), "FF 21 30 00 4E 00");
  // A trail byte in the ASCII range belongs to its character and stays.
  EXPECT_EQ(Convert(&ConvMarlo::BigToUSCforWide, "A4 61"), Convert(&ConvMarlo::BigToUSC, "A4 61"));
  // Control bytes have no full-width form.
  EXPECT_EQ(Convert(&ConvMarlo::GbkToUSCforWide, "0D 0A"), "0D 0A");
  for (int c = 0x20; c <= 0x7E; ++c) {
    const std::string wide = Engine().GbkToUSCforWide(std::string(1, char(c)))->strResult;
    // Each form is used only where it maps back to the same character.
    if (wide.size() == 2) {
      EXPECT_EQ(uint8_t(wide[0]) << 8 | uint8_t(wide[1]), c == 0x20 ? 0x3000 : 0xFF01 + c - 0x21);
    }
  }
}

TEST(Unicode, NarrowingShortensFullWidthAscii) {
  EXPECT_EQ(Convert(&ConvMarlo::USCToGbkforNarrow, "FF 21 FF 5E 55 4A"), "41 7E 55 4A");
  EXPECT_EQ(Convert(&ConvMarlo::USCToBigforNarrow, "FF 21 9A D8"), "41 B0 AA");
  EXPECT_EQ(Convert(&ConvMarlo::USCToBigforNarrow, "FF 5F"),
            Convert(&ConvMarlo::USCToBig, "FF 5F"));
  EXPECT_EQ(Convert(&ConvMarlo::USCToGbkforNarrow, "FF"), "FF");  // a dangling byte is kept
}

TEST(Unicode, WideThenNarrowRoundTripsAscii) {
  const std::string ascii = "Hello, World! 0123456789 ~{}";
  const auto wide = Engine().GbkToUSCforWide(ascii);
  EXPECT_EQ(wide->strResult.size(), 2 * ascii.size());
  EXPECT_EQ(Engine().USCToGbkforNarrow(wide->strResult)->strResult.find("Hello,"), 0u);
}

// The block-wise widening against a plain byte loop, on inputs long enough
// to span several 64-byte blocks.
TEST(Unicode, WideningMatchesAPlainByteLoop) {
  const auto& t = Engine().Tables();
  auto plainWiden = [&t](std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
      const uint8_t c = uint8_t(s[i]);
      if (c >= 0x81 && c <= 0xFE && i + 1 < s.size()) {
        out += s.substr(i++, 2);
        continue;
      }
      const uint16_t wide = c == 0x20 ? 0x3000 : uint16_t(0xFF01 + c - 0x21);
      const uint16_t code = c >= 0x20 && c <= 0x7E ? t.UscToGbkTable[wide] : 0;
      if (code != 0 && t.GbkToUscTable[code] == wide) {
        out += char(code >> 8);
        out += char(code & 0xFF);
      } else {
        out += char(c);
      }
    }
    return out;
  };
  std::mt19937 rng(31);
  for (int round = 0; round < 500; ++round) {
    const std::string input = test::RandomBytes(rng, 500);
    ASSERT_EQ(ToHex(Engine().GbkToUSCforWide(input)->strResult),
              ToHex(Engine().GbkToUSC(plainWiden(input))->strResult))
        << ToHex(input);
  }
}

}  // namespace
}  // namespace marlo
