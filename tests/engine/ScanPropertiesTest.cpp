// SPDX-License-Identifier: Apache-2.0
// Properties every scanning operation keeps, over random byte strings.
#include <gtest/gtest.h>

#include <fstream>

#include "engine/src/BakedTables.h"
#include "engine/src/ByteScan.h"
#include "engine/src/EmbeddedResources.h"
#include "engine/src/FormTables.h"
#include "engine/src/WidthForms.h"
#include "tests/engine/BakedResources.h"
#include "tests/engine/TestSupport.h"

namespace marlo {
namespace {

// Each byte 0x20..0x7E standing at a character start (a byte 0x81..0xFE and
// the byte after it are one character) becomes its full-width code: the
// plain rule the one-pass widening must agree with.
std::string WidenByteByByte(std::string_view text, const std::array<uint16_t, 128>& fullWidth) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t c = uint8_t(text[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) {
      out += text.substr(i++, 2);
    } else if (c < 0x80 && fullWidth[c] != 0) {
      out += char(fullWidth[c] >> 8);
      out += char(fullWidth[c] & 0xFF);
    } else {
      out += char(c);
    }
  }
  return out;
}

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
                         [](const auto& test) { return std::string(test.param.name); });

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

// Every scan variant this processor runs, out of place and in place, against
// the rules read plainly, on inputs long enough to span many 64-byte blocks
// and with pairs that straddle a block's end.
TEST(ScanProperties, EveryVariantMatchesThePlainRules) {
  const auto tables = BuildTables(test::BakedResources());
  struct Rule {
    ScanTableId table;
    CharacterParse parse;
  };
  // Among them tables whose replacement is 00 00 alone (BigToUsc), whose
  // 00 00 becomes the replacement (BigToCNS) and whose space is no pair of
  // its parse (UscToGbk).
  const Rule rules[] = {{ScanTableId::kGbkToBig, CharacterParse::kTable},
                        {ScanTableId::kUscToGbk, CharacterParse::kTable},
                        {ScanTableId::kBigToUsc, CharacterParse::kTable},
                        {ScanTableId::kBigToCns, CharacterParse::kTable},
                        {ScanTableId::kBigToGb, CharacterParse::kBig5ToGb},
                        {ScanTableId::kGbToBig, CharacterParse::kGbToBig5}};
  // The engine's one definition of each parse, a byte at a time; the
  // replaced pairs are those whose bit is clear.
  auto reference = [](std::string_view in, const uint16_t* table, const uint64_t* converted,
                      CharacterParse parse, uint64_t& replaced) {
    std::string o(in);
    auto* s = reinterpret_cast<const uint8_t*>(in.data());
    replaced = 0;
    for (size_t i = 0; i + 1 < in.size(); ++i) {
      if (!StartsPair(parse, s[i], s[i + 1])) continue;
      scan::TranslatePair(s + i, reinterpret_cast<uint8_t*>(o.data()) + i, table);
      const uint16_t index = NativePairIndex(s[i], s[i + 1]);
      replaced += (converted[index / 64] >> (index % 64) & 1) == 0;
      ++i;
    }
    return o;
  };
  std::mt19937 rng(99);
  std::vector<std::string> inputs;
  for (int round = 0; round < 300; ++round) inputs.push_back(test::RandomBytes(rng, 400));
  // Long enough for pairs noted in one run of blocks and replaced in the next.
  for (int round = 0; round < 8; ++round) inputs.push_back(test::RandomBytes(rng, 20000));
  // Spaces, the replacements and 00 00 in and out, at every place of a block.
  std::uniform_int_distribution<int> pick(0, 5);
  for (int round = 0; round < 40; ++round) {
    std::string mixed;
    while (mixed.size() < 700) {
      static const char* kCodes[] = {"\xA1\xA1", "\xA1\x40", "\x30\x00", "\0\0", "\xC8\xA4", "a"};
      mixed += std::string(kCodes[pick(rng)], pick(rng) == 5 ? 1 : 2);
    }
    inputs.push_back(mixed);
  }
  for (size_t pad = 60; pad < 70; ++pad) {
    inputs.push_back(std::string(pad, 'a') + "\xD2\xBB" + std::string(70, 'b'));
    inputs.push_back(std::string(pad, 'a') + "\xD2");
  }
  ASSERT_GE(scan::Variants().size(), 1u);
  for (const scan::ScanVariant& variant : scan::Variants()) {
    for (const Rule& rule : rules) {
      const uint16_t* table = tables->scan[size_t(rule.table)].data();
      const uint64_t* converted = tables->convertedPairs[size_t(rule.table)].data();
      const BakedTables::ReplacementCodes& codes = tables->replacementCodes[size_t(rule.table)];
      const scan::ReplacedPairs replacements{converted,
                                             {codes.target[0], codes.target[1]},
                                             {codes.source[0], codes.source[1]},
                                             codes.countTarget != 0,
                                             codes.zeroStaysZero != 0};
      for (const std::string& input : inputs) {
        SCOPED_TRACE(std::string(variant.name) + " " + test::ToHex(input));
        auto* s = reinterpret_cast<const uint8_t*>(input.data());
        std::string out(input.size(), '\0'), inPlace = input;
        auto* o = reinterpret_cast<uint8_t*>(out.data());
        auto* p = reinterpret_cast<uint8_t*>(inPlace.data());
        uint64_t replaced = 0, replacedInPlace = 0, expectedReplaced = 0;
        if (rule.parse == CharacterParse::kTable) {
          replaced = variant.byTable(s, o, input.size(), table, replacements);
          replacedInPlace = variant.byTable(p, p, input.size(), table, replacements);
        } else {
          // With the starts found on the way, as the starts scan finds them.
          const size_t blocks = input.size() / 64 + 1;
          std::vector<uint64_t> marks(blocks, ~uint64_t(0)), expectedMarks(blocks, ~uint64_t(0));
          replaced = variant.leadAndTrail(s, o, input.size(), LeastTrail(rule.parse), table,
                                          replacements, marks.data());
          replacedInPlace = variant.leadAndTrail(p, p, input.size(), LeastTrail(rule.parse), table,
                                                 replacements, nullptr);
          variant.leadAndTrailStarts(s, input.size(), LeastTrail(rule.parse), expectedMarks.data(),
                                     blocks);
          ASSERT_EQ(marks, expectedMarks);
        }
        const std::string expected =
            reference(input, table, converted, rule.parse, expectedReplaced);
        ASSERT_EQ(out, expected);
        ASSERT_EQ(inPlace, expected);
        ASSERT_EQ(replaced, expectedReplaced);
        ASSERT_EQ(replacedInPlace, expectedReplaced);
      }
    }
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
              test::Engine().GbkToUSC(WidenByteByByte(input, widenGbk))->strResult);
    ASSERT_EQ(test::Engine().BigToUSCforWide(input)->strResult,
              test::Engine().BigToUSC(WidenByteByByte(input, widenBig5))->strResult);
  }
}

// Every variant's block widening gives, for what it reads, the bytes of
// widening followed by the table scan, on text most of whose blocks it
// takes: ASCII with controls, and pairs, with a byte 0x00, 0x7F, 0x80 or
// 0xFF now and then to stop it.
TEST(ScanProperties, EveryVariantWidensBlocksAsTheTwoSteps) {
  const auto tables = BuildTables(test::BakedResources());
  struct Form {
    const std::array<uint16_t, 128>& fullWidth;
    const ScanTable& widened;
    Operation toUsc;
  };
  const Form forms[] = {{tables->widenBig5, tables->widenedBigToUsc, &ConvMarlo::BigToUSC},
                        {tables->widenGbk, tables->widenedGbkToUsc, &ConvMarlo::GbkToUSC}};
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> kind(0, 99), ascii(0x01, 0x7E), high(0x81, 0xFE),
      special(0, 3);
  // Some long enough for several runs of blocks.
  std::uniform_int_distribution<size_t> length(0, 700), longer(0, 9000);
  for (int round = 0; round < 300; ++round) {
    const bool clean = round % 3 == 0;
    std::string input(round % 10 == 0 ? longer(rng) : length(rng), '\0');
    for (char& c : input) {
      const int k = kind(rng);
      c = k == 0 && !clean ? "\0\x7F\x80\xFF"[special(rng)] : char(k < 45 ? ascii(rng) : high(rng));
    }
    const auto* s = reinterpret_cast<const uint8_t*>(input.data());
    for (const scan::ScanVariant& variant : scan::Variants()) {
      for (const Form& form : forms) {
        SCOPED_TRACE(std::string(variant.name) + " " + test::ToHex(input));
        std::string out(2 * input.size(), '\0');
        size_t written = 0;
        scan::WideningLookups lookups;
        width::PrepareWidening(form.widened.data(), form.fullWidth, lookups);
        const size_t read = variant.widenBlocks(
            s, input.size(), reinterpret_cast<uint8_t*>(out.data()), lookups, written);
        ASSERT_LE(read, input.size());
        if (clean && input.size() >= 72) {
          ASSERT_GE(read, 64u);
        }
        out.resize(written);
        const std::string widened = WidenByteByByte(input.substr(0, read), form.fullWidth);
        ASSERT_EQ(out, (test::Engine().*form.toUsc)(widened, false)->strResult);
      }
    }
  }
}

// Every variant's check of whole blocks, finished a byte at a time, counts
// what the check read a byte at a time through the Unicode tables counts:
// a byte 0x81..0xFE takes the next byte, whatever it is, and the pair is
// an error unless its code holds it; 0x80 and 0xFF are errors alone.
TEST(ScanProperties, EveryVariantChecksBlocksAsTheByteLoop) {
  const ConvMarlo::CodeTables& codes = test::Engine().Tables();
  // The rule for a pair, read plainly.
  auto holds = [&codes](SourceCode code, unsigned a, unsigned b) {
    const unsigned both = a << 8 | b;
    switch (code) {
      case SourceCode::kGb2312:
        return a >= 0xA1 && a <= 0xF7 && b >= 0xA1 && b <= 0xFE && codes.GbkToUscTable[both] != 0;
      case SourceCode::kGbk:
        return b >= 0x40 && codes.GbkToUscTable[both] != 0;
      default:
        return ((b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE)) &&
               codes.BigToUscTable[both] != 0;
    }
  };
  auto byteLoop = [&](SourceCode code, const uint8_t* p, size_t i, size_t n, CheckCount count) {
    while (i < n) {
      if (p[i] < 0x80) {
        ++i;
        continue;
      }
      ++count.characters;
      if (p[i] == 0x80 || p[i] == 0xFF || i + 1 == n) {
        ++count.errors;
        ++i;
        continue;
      }
      count.errors += !holds(code, p[i], p[i + 1]);
      i += 2;
    }
    return count;
  };
  std::mt19937 rng(23);
  std::vector<std::string> inputs;
  for (int round = 0; round < 200; ++round) inputs.push_back(test::RandomBytes(rng, 700));
  // Long enough for pairs noted in one run of blocks and looked up in the next.
  for (int round = 0; round < 8; ++round) inputs.push_back(test::RandomBytes(rng, 20000));
  for (const scan::ScanVariant& variant : scan::Variants()) {
    for (const SourceCode code : {SourceCode::kGb2312, SourceCode::kGbk, SourceCode::kBig5}) {
      const uint64_t* held = FormTables::HeldPairs(test::Engine(), code);
      for (const std::string& input : inputs) {
        SCOPED_TRACE(std::string(variant.name) + " " + test::ToHex(input));
        const auto* p = reinterpret_cast<const uint8_t*>(input.data());
        CheckCount count;
        const size_t read =
            variant.checkBlocks(p, input.size(), held, count.characters, count.errors);
        ASSERT_LE(read, input.size());
        count = byteLoop(code, p, read, input.size(), count);
        const CheckCount expected = byteLoop(code, p, 0, input.size(), {});
        ASSERT_EQ(count.characters, expected.characters);
        ASSERT_EQ(count.errors, expected.errors);
      }
    }
  }
}

// Every variant's phrase filter lets through exactly the starts the rule,
// read a place at a time, lets through: in blocks of pairs only (32 starts
// a block, two rows of sixteen) and of pairs among other bytes, with and
// without the third character, up to the last start a text's end allows.
TEST(ScanProperties, EveryVariantFiltersStartsAsThePlaceRule) {
  std::mt19937 rng(31);
  std::vector<uint32_t> words(size_t(1) << 14);
  for (uint32_t& word : words) word = uint32_t(rng()) & uint32_t(rng());  // a quarter of bits set
  // Eight whole blocks and six bytes: a start at the last block's end
  // reads to the text's end.
  const size_t blocks = 8;
  std::vector<std::string> inputs;
  for (int round = 0; round < 80; ++round) {
    std::string text(64 * blocks + 6, '\0');
    for (char& c : text) c = char(round % 2 && rng() % 4 == 0 ? rng() % 0xA1 : 0xA1 + rng() % 0x5E);
    inputs.push_back(text);
  }
  for (const bool byThree : {false, true}) {
    const PhraseFilter filter{words.data(), 32 - 14, byThree};
    for (const std::string& input : inputs) {
      const auto* s = reinterpret_cast<const uint8_t*>(input.data());
      uint64_t starts[blocks + 1] = {};
      for (size_t i = 0; i + 1 < input.size();)
        if (s[i] >= 0xA1 && s[i + 1] >= 0xA1) {
          starts[i / 64] |= uint64_t(1) << (i % 64);
          i += 2;
        } else {
          ++i;
        }
      std::vector<uint32_t> expected;
      for (size_t i = 0; i < 64 * blocks; ++i)
        if ((starts[i / 64] >> (i % 64) & 1) && filter.MayMatch(s + i))
          expected.push_back(uint32_t(i));
      ASSERT_FALSE(expected.empty());
      for (const scan::ScanVariant& variant : scan::Variants()) {
        SCOPED_TRACE(std::string(variant.name) + (byThree ? " by three " : " by two ") +
                     test::ToHex(input));
        std::vector<uint32_t> places(32 * blocks + 16);
        places.resize(variant.filterStarts(s, input.size(), starts, blocks, filter, places.data()));
        ASSERT_EQ(places, expected);
      }
    }
  }
}

}  // namespace
}  // namespace marlo

namespace marlo {
namespace {

// The variants give the same bytes by design, so a dispatch that picked a
// narrower one would pass every other test: the processor's own flags, as
// the kernel lists them, say which must run.
TEST(ScanDispatch, TheWidestVariantTheProcessorRunsIsChosen) {
#if defined(__x86_64__)
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line, flags;
  while (std::getline(cpuinfo, line))
    if (line.rfind("flags", 0) == 0) {
      flags = line + " ";
      break;
    }
  if (flags.empty()) GTEST_SKIP() << "no processor flags to read";
  const bool avx2 = flags.find(" avx2 ") != std::string::npos &&
                    flags.find(" bmi1 ") != std::string::npos &&
                    flags.find(" bmi2 ") != std::string::npos;
  const bool vbmi2 = avx2 && flags.find(" avx512f ") != std::string::npos &&
                     flags.find(" avx512bw ") != std::string::npos &&
                     flags.find(" avx512vl ") != std::string::npos &&
                     flags.find(" avx512vbmi ") != std::string::npos &&
                     flags.find(" avx512_vbmi2 ") != std::string::npos;
  EXPECT_STREQ(scan::Fastest().name, vbmi2 ? "avx512vbmi2" : avx2 ? "avx2" : "sse2");
#else
  EXPECT_STREQ(scan::Fastest().name, "plain");
#endif
}

}  // namespace
}  // namespace marlo
