// SPDX-License-Identifier: Apache-2.0
#include "engine/FormCoding.h"

#include <gtest/gtest.h>

#include "tests/engine/TestSupport.h"

namespace marlo {
namespace {

std::string Utf8Of(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | c >> 6);
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xE0 | c >> 12);
    out += char(0x80 | (c >> 6 & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
  return out;
}

// Every character a table form holds survives UTF-8 → form → UTF-8, and
// the form's bytes decode to it.
TEST(Utf8Ends, EveryCharacterTheTablesHoldRoundTrips) {
  const auto& t = test::Engine().Tables();
  for (const auto& [form, table] : {std::pair{ByteForm::kBig5, &t.BigToUscTable},
                                    std::pair{ByteForm::kGbk, &t.GbkToUscTable}}) {
    size_t held = 0;
    for (unsigned code = 0x8140; code <= 0xFEFE; ++code) {
      const char16_t u = (*table)[code];
      if (!u) continue;
      ++held;
      const std::string utf8 = Utf8Of(u);
      uint64_t replaced = 0;
      const std::string bytes = EncodeFromUtf8(test::Engine(), form, utf8, false, &replaced);
      ASSERT_EQ(replaced, 0u) << std::hex << code;
      ASSERT_EQ(bytes.size(), 2u) << std::hex << code;
      ASSERT_EQ(DecodeToUtf8(test::Engine(), form, bytes), utf8) << std::hex << code;
      const std::string pair{char(code >> 8), char(code & 0xFF)};
      ASSERT_EQ(DecodeToUtf8(test::Engine(), form, pair), utf8) << std::hex << code;
    }
    EXPECT_GT(held, 13000u);
  }
  // The UCS form holds the whole basic plane and the rest as surrogates;
  // only a unit whose high byte is 0x01..0x7E (中 is 4E 2D) reads back as
  // two characters, which the form cannot tell apart.
  const std::string all = "A\u00E9\u9AD8\uFF21\U0001F600\x7F";
  EXPECT_EQ(DecodeToUtf8(test::Engine(), ByteForm::kUcs,
                         EncodeFromUtf8(test::Engine(), ByteForm::kUcs, all, false)),
            all);
}

TEST(Utf8Ends, WhatAFormCannotHoldIsReplacedAndCounted) {
  uint64_t replaced = 0;
  EXPECT_EQ(
      EncodeFromUtf8(test::Engine(), ByteForm::kBig5, "a\u00E9\u3000\u4E02", false, &replaced),
      "a\xA1\x40\xA1\x40\xA1\x40");  // é, then 丂 (GBK only): both A140
  EXPECT_EQ(replaced, 2u);
  EXPECT_EQ(EncodeFromUtf8(test::Engine(), ByteForm::kGbk, "\U0001F600x", false, &replaced),
            "\xA1\xA1x");
  EXPECT_EQ(replaced, 1u);
  // A code the tables lack, and a byte that starts nothing, read as U+FFFD.
  EXPECT_EQ(DecodeToUtf8(test::Engine(), ByteForm::kBig5, "\xFA\x40\x80z"), "\uFFFD\uFFFDz");
}

// glibc's GB2312 decoder gives U+30FB for A1A4 and U+2015 for A1AA, where
// code page 936 gives U+00B7 and U+2014; text it decoded comes back to the
// same codes. U+2015 is a GBK character of its own (A844), which it stays
// unless the bytes are read as GB2312.
TEST(Utf8Ends, OtherGb2312DecodersCharactersComeBackToTheirCodes) {
  const struct {
    bool readAsGb2312;
    const char* expected;
  } cases[] = {{true, "\xA1\xA4\xA1\xAA\xA1\xA4\xA1\xAA"},
               {false, "\xA1\xA4\xA8\x44\xA1\xA4\xA1\xAA"}};
  for (const auto& c : cases) {
    Utf8ToForm encoder(test::Engine(), ByteForm::kGbk, false, c.readAsGb2312);
    EXPECT_EQ(encoder.Feed("\u30FB\u2015\u00B7\u2014", true), c.expected) << c.readAsGb2312;
    EXPECT_EQ(encoder.replaced(), 0u);
  }
}

// A byte-order mark at the start is no character, however the start comes
// in pieces; one later in the text is U+FEFF, which GBK lacks. Broken
// sequences are counted apart from what the form lacks, at their offsets.
TEST(Utf8Ends, ALeadingByteOrderMarkIsDroppedAndOffsetsCountIt) {
  const std::string text = "\xEF\xBB\xBF\xE4\xB8\xAD\xEF\xBB\xBF";  // BOM 中 BOM
  for (size_t cut = 0; cut <= text.size(); ++cut) {
    Utf8ToForm encoder(test::Engine(), ByteForm::kGbk, false);
    std::string out(encoder.Feed(std::string_view(text).substr(0, cut), false));
    out += encoder.Feed(std::string_view(text).substr(cut), true);
    EXPECT_EQ(out, "\xD6\xD0\xA1\xA1") << cut;
    EXPECT_EQ(encoder.replaced(), 1u) << cut;
  }
  Utf8ToForm lossy(test::Engine(), ByteForm::kGbk, true);
  EXPECT_EQ(lossy.Feed("\xEF\xBB\xBF\xFF\xF0\x9F\x98\x80", true), "\xA1\xA1\xA1\xA1");
  EXPECT_EQ(lossy.invalid(), 1u);
  EXPECT_EQ(lossy.replaced(), 1u);
  try {
    Utf8ToForm strict(test::Engine(), ByteForm::kGbk, false);
    strict.Feed(
        "\xEF\xBB\xBF"
        "ab\xFF",
        true);
    ADD_FAILURE() << "no error";
  } catch (const Utf8Error& e) {
    EXPECT_EQ(e.offset(), 5u);  // the offset in the file, mark included
  }
}

TEST(Utf8Ends, InvalidInputFailsAtItsOffsetOrBecomesReplacement) {
  const struct {
    const char* input;
    uint64_t offset;
  } cases[] = {{"ab\xFF", 2},        {"\xC0\x80", 0},         {"x\xE4\xB8", 1},
               {"\xED\xA0\x80", 0},  {"\xF5\x80\x80\x80", 0}, {"\xE4\xB8\xAD\x80", 3},
               {"z\xED\xB0\x80", 1},  // a lone low surrogate
               {"\xE0\x80\x80", 0}};  // three bytes for what needs one
  for (const auto& c : cases) {
    try {
      EncodeFromUtf8(test::Engine(), ByteForm::kGbk, c.input, false);
      ADD_FAILURE() << "no error for " << c.input;
    } catch (const Utf8Error& e) {
      EXPECT_EQ(e.offset(), c.offset) << c.input;
    }
    uint64_t replaced = 0;
    const std::string lossy =
        EncodeFromUtf8(test::Engine(), ByteForm::kGbk, c.input, true, &replaced);
    EXPECT_EQ(replaced, 0u) << c.input;  // broken input is counted apart
  }
}

// A piece boundary anywhere, also inside a multi-byte sequence, gives the
// bytes of the whole text at once.
// Half a surrogate pair in the UCS form is no character: U+FFFD, and the
// next character stays.
TEST(Utf8Ends, TheUcsFormDecodesHalfASurrogatePairAsReplacement) {
  const struct {
    std::string bytes, utf8;
  } cases[] = {
      {"\xD8\x3D\xDE\x01", "\U0001F601"},
      {"\xD8\x3D", "\uFFFD"},
      {"\xD8\x3D"
       "A",
       "\uFFFDA"},
      {"\xDE\x01"
       "A",
       "\uFFFDA"},
      {"\xD8\x3D\xD8\x3D\xDE\x01", "\uFFFD\U0001F601"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecodeToUtf8(test::Engine(), ByteForm::kUcs, c.bytes), c.utf8)
        << test::ToHex(c.bytes);
}

TEST(Utf8Ends, StreamingEqualsWholeAtEverySplit) {
  const std::string text = "Big5 這是「中文」，€ \U0001F600 ok\r\n末";
  for (const ByteForm form : {ByteForm::kBig5, ByteForm::kGbk, ByteForm::kUcs}) {
    const std::string whole = EncodeFromUtf8(test::Engine(), form, text, true);
    const std::string back = DecodeToUtf8(test::Engine(), form, whole);
    for (size_t cut = 0; cut <= text.size(); ++cut) {
      for (size_t cut2 = cut; cut2 <= std::min(text.size(), cut + 4); ++cut2) {
        Utf8ToForm encoder(test::Engine(), form, true);
        std::string pieces(encoder.Feed(text.substr(0, cut), false));
        pieces += encoder.Feed(text.substr(cut, cut2 - cut), false);
        pieces += encoder.Feed(text.substr(cut2), true);
        ASSERT_EQ(pieces, whole) << int(form) << " cut " << cut << "," << cut2;
      }
    }
    for (size_t cut = 0; cut <= whole.size(); ++cut) {
      FormToUtf8 decoder(test::Engine(), form);
      std::string pieces(decoder.Feed(whole.substr(0, cut), false));
      pieces += decoder.Feed(whole.substr(cut), true);
      ASSERT_EQ(pieces, back) << int(form) << " cut " << cut;
    }
  }
}

}  // namespace
}  // namespace marlo
