// SPDX-License-Identifier: Apache-2.0
// Both UTF-8 ends of every type against glibc's converters, an
// implementation that is not ours: every Unicode scalar value through
// --from-utf8, every code of the type's source through --to-utf8. Where the
// engine's byte forms depart from glibc's on purpose, the table beside the
// encoders (engine/src/byte-form-departures.txt) says which code and why; a
// departure it does not list fails, and so does a listed one that no longer
// departs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "batch/ConversionPipeline.h"
#include "batch/ConversionTypes.h"
#include "batch/InputCheck.h"
#include "engine/ConvMarlo.h"
#include "engine/ConvStream.h"
#include "engine/FormCoding.h"
#include "tests/engine/TestSupport.h"
#include "tests/support/Glibc.h"

namespace marlo {
namespace {

// glibc's name for each of the engine's codes. Code page 936 and 950 are
// what the engine's GBK and Big5 are.
const char* GlibcName(const std::string& code) {
  if (code == "GB2312") return "GB2312";
  if (code == "GBK") return "CP936";
  if (code == "Big5") return "CP950";
  return nullptr;
}

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    out += kDigits[uint8_t(c) >> 4];
    out += kDigits[uint8_t(c) & 15];
  }
  return out.empty() ? "-" : out;
}

std::string ScalarName(char32_t c) {
  char name[12];
  std::snprintf(name, sizeof name, "U+%04X", unsigned(c));
  return name;
}

std::string Utf8(char32_t c) {
  std::string out;
  AppendUtf8(out, c);
  return out;
}

// The user-defined codes map into the Private Use Area differently in
// every converter; the engine's are its tables' own (code pages 936 and 950
// as ICU reads them), and they are not compared.
bool IsPrivateUse(char32_t c) { return c >= 0xE000 && c <= 0xF8FF; }
bool IsPrivateUse(const std::string& utf8) {
  return utf8.size() == 3 && uint8_t(utf8[0]) >= 0xEE && uint8_t(utf8[0]) <= 0xEF &&
         (uint8_t(utf8[0]) == 0xEE || uint8_t(utf8[1]) < 0xA4);
}

// "encode GBK U+30FB A1A4" and "decode Big5 F9FA U+256D", with the reason
// after them: what the engine gives where glibc gives another answer.
struct Departures {
  std::map<std::string, std::string> encode;  // "GBK U+30FB" → "A1A4" ("-": none)
  std::map<std::string, std::string> decode;  // "Big5 F9FA" → "U+256D"
};

const Departures& ListedDepartures() {
  static const Departures listed = [] {
    Departures departures;
    std::ifstream file(std::string(MARLO_SOURCE_DIR) + "/engine/src/byte-form-departures.txt");
    for (std::string line; std::getline(file, line);) {
      if (line.empty() || line[0] == '#') continue;
      std::istringstream words(line);
      std::string direction, code, from, to, reason;
      words >> direction >> code >> from >> to;
      std::getline(words, reason);
      EXPECT_FALSE(reason.empty()) << "a departure without its reason: " << line;
      (direction == "encode" ? departures.encode : departures.decode)[code + " " + from] = to;
    }
    EXPECT_FALSE(departures.encode.empty());
    return departures;
  }();
  return listed;
}

// Every Unicode scalar value but U+0000 (which pairs with the next byte in
// some scans), each on a line.
std::vector<char32_t> Scalars() {
  std::vector<char32_t> all;
  for (char32_t c = 1; c <= 0x10FFFF; ++c)
    if ((c < 0xD800 || c > 0xDFFF) && c != '\n') all.push_back(c);
  return all;
}

// What glibc, with the listed departures, makes of each scalar in one code;
// nullopt where the code lacks it.
std::vector<std::optional<std::string>> ReferenceEncodings(const std::string& code, ByteForm form,
                                                           const std::vector<char32_t>& scalars) {
  const Glibc encode(GlibcName(code), "UTF-8");
  Utf8ToForm engine(test::Engine(), form, false, code == "GB2312");
  EXPECT_TRUE(encode.ok()) << code;
  const auto& departures = ListedDepartures().encode;
  std::vector<std::optional<std::string>> codes;
  codes.reserve(scalars.size());
  for (const char32_t c : scalars) {
    if (IsPrivateUse(c)) {
      const uint64_t replaced = engine.replaced();
      const std::string own(engine.Feed(Utf8(c), false));
      codes.push_back(engine.replaced() == replaced ? std::optional(own) : std::nullopt);
      continue;
    }
    const auto glibc = encode(Utf8(c));
    const auto listed = departures.find(code + " " + ScalarName(c));
    if (listed == departures.end()) {
      codes.push_back(glibc);
      continue;
    }
    EXPECT_NE(Hex(glibc.value_or("")), listed->second)
        << "listed, but no longer departs from glibc: " << code << " " << ScalarName(c);
    if (listed->second == "-")
      codes.push_back(std::nullopt);
    else
      codes.push_back(std::string{char(std::stoul(listed->second, nullptr, 16) >> 8),
                                  char(std::stoul(listed->second, nullptr, 16) & 0xFF)});
  }
  return codes;
}

class Utf8Ends : public testing::TestWithParam<ConvType> {};

TEST_P(Utf8Ends, EveryScalarFromUtf8IsEncodedAsGlibcEncodesIt) {
  const ConvType type = GetParam();
  const ConversionType& info = TypeInfo(type);
  const ByteForm form = FormEncodedFromUtf8(type);
  const std::string code = EncodedCodeName(type, form);
  static std::map<std::string, std::vector<std::optional<std::string>>> references;
  static const std::vector<char32_t> scalars = Scalars();
  if (!references.count(code)) references[code] = ReferenceEncodings(code, form, scalars);
  const auto& reference = references[code];

  // The narrow types narrow full-width ASCII before encoding, and the types
  // that read the UCS form take UTF-8 straight into their target form.
  const bool narrows =
      std::count(info.operations.begin(), info.operations.end(), Operation::USCToGbkforNarrow) +
          std::count(info.operations.begin(), info.operations.end(), Operation::USCToBigforNarrow) >
      0;
  const bool bypasses = info.source == ByteForm::kUcs;
  const std::string replacement = form == ByteForm::kBig5 ? "\xA1\x40" : "\xA1\xA1";
  std::string input, expectedInput;
  uint64_t expectedReplaced = 0;
  for (size_t i = 0; i < scalars.size(); ++i) {
    const char32_t c = scalars[i];
    input += Utf8(c) + "\n";
    const bool narrowed = narrows && c >= 0xFF01 && c <= 0xFF5E;
    const auto& encoded =
        narrowed ? std::optional<std::string>(std::string(1, char(c - 0xFEE0))) : reference[i];
    expectedReplaced += !encoded;
    expectedInput += encoded.value_or(replacement) + "\n";
  }
  ConversionPipeline pipeline(test::Engine(), type, {/*fromUtf8=*/true, false, false},
                              /*checkInput=*/false, /*strict=*/false);
  const std::string got(pipeline.Feed(input, true));
  std::string expected = expectedInput;
  if (!bypasses) {
    ConvStream steps(test::Engine(), info.operations);
    expected = std::string(steps.Feed(expectedInput, true));
  }
  EXPECT_EQ(pipeline.replaced(), expectedReplaced) << code;

  // A character cut by the end of a piece is decoded another way than one
  // within it: each character of the basic plane once so, cut after its
  // first byte.
  int cutFailures = 0;
  for (size_t i = 0; i < scalars.size() && scalars[i] < 0x10000 && cutFailures < 20; ++i) {
    if (IsPrivateUse(scalars[i]) || scalars[i] == 0xFEFF) continue;
    const std::string utf8 = Utf8(scalars[i]);
    Utf8ToForm encoder(test::Engine(), form, false, code == "GB2312");
    std::string one(encoder.Feed(utf8.substr(0, 1), false));
    one += encoder.Feed(utf8.substr(1), true);
    if (one == reference[i].value_or(replacement) && encoder.replaced() == !reference[i]) continue;
    ADD_FAILURE() << code << " " << ScalarName(scalars[i])
                  << " cut after its first byte: " << Hex(one) << ", replaced "
                  << encoder.replaced();
    ++cutFailures;
  }
  if (got == expected) return;

  // Which characters: the encoder alone, one character at a time.
  int shown = 0;
  for (size_t i = 0; i < scalars.size() && shown < 20; ++i) {
    Utf8ToForm encoder(test::Engine(), form, false, code == "GB2312");
    // After a character, so that U+FEFF is no byte-order mark.
    const std::string one(encoder.Feed("a" + Utf8(scalars[i]), true).substr(1));
    const std::string want = reference[i].value_or(replacement);
    if (one != want && !(narrows && scalars[i] >= 0xFF01 && scalars[i] <= 0xFF5E)) {
      ADD_FAILURE() << GetConvTypeName(type) << ": " << code << " " << ScalarName(scalars[i])
                    << ": the engine gives " << Hex(one) << ", glibc " << Hex(want);
      ++shown;
    }
  }
  size_t at = 0;
  while (at < got.size() && at < expected.size() && got[at] == expected[at]) ++at;
  ADD_FAILURE() << GetConvTypeName(type) << ": the output departs at byte " << at << " of "
                << expected.size() << " (got " << got.size() << ")";
}

TEST_P(Utf8Ends, EveryCodeOfTheSourceToUtf8IsDecodedAsGlibcDecodesIt) {
  const ConvType type = GetParam();
  const ConversionType& info = TypeInfo(type);
  if (!WritesUtf8(type)) {
    EXPECT_THROW(
        ConversionPipeline(test::Engine(), type, {false, /*toUtf8=*/true, false}, false, false),
        std::invalid_argument);
    return;
  }
  // The source's codes, one a line: those glibc reads in the type's source
  // code, or every unit of the UCS form that is one unit.
  const SourceCode source = SourceCodeOf(type);
  std::vector<std::string> codes;
  std::vector<std::string> sourceTexts;  // the codes in UTF-8, for a bypassing type
  if (source == SourceCode::kUcs) {
    for (char32_t c = 0x80; c < 0x10000; ++c)
      if ((c < 0xD800 || c > 0xDFFF) && !IsSingleByte(uint8_t(c >> 8))) {
        codes.push_back({char(c >> 8), char(c & 0xFF)});
        sourceTexts.push_back(Utf8(c));
      }
  } else {
    const Glibc decode("UTF-8", GlibcName(SourceCodeName(source)));
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
        const std::string pair{char(lead), char(trail)};
        if (const auto text = decode(pair)) {
          codes.push_back(pair);
          sourceTexts.push_back(*text);
        }
      }
  }
  ASSERT_GT(codes.size(), 6000u) << "too few codes: is glibc's converter there?";
  std::string input;
  for (const std::string& one : codes) input += one + "\n";

  ConversionPipeline pipeline(test::Engine(), type, {false, /*toUtf8=*/true, false}, false, false);
  std::vector<std::string> got;
  {
    std::istringstream lines{std::string(pipeline.Feed(input, true))};
    for (std::string line; std::getline(lines, line);) got.push_back(line);
  }
  ASSERT_EQ(got.size(), codes.size()) << "lines lost or gained";

  // A type that writes the UCS form decodes its source straight; any other
  // decodes its target, which the engine's steps wrote.
  const bool bypasses = info.target == ByteForm::kUcs;
  const ByteForm decodedForm = FormDecodedToUtf8(type);
  const std::string decodedCode =
      SourceCodeName(decodedForm == ByteForm::kBig5 ? SourceCode::kBig5 : SourceCode::kGbk);
  const Glibc decode("UTF-8", GlibcName(decodedCode));
  std::vector<std::string> target;
  if (!bypasses) {
    ConvStream steps(test::Engine(), info.operations);
    std::istringstream lines{std::string(steps.Feed(input, true))};
    for (std::string line; std::getline(lines, line);) target.push_back(line);
    ASSERT_EQ(target.size(), codes.size());
  }
  const auto& departures = ListedDepartures().decode;
  int failures = 0;
  for (size_t i = 0; i < codes.size() && failures < 20; ++i) {
    const std::string bytes = bypasses ? codes[i] : target[i];
    std::optional<std::string> want;
    if (bypasses && source == SourceCode::kUcs)
      want = sourceTexts[i];
    else
      want = decode(bytes);
    const auto listed = departures.find(decodedCode + " " + Hex(bytes));
    if (listed != departures.end()) {
      const std::string listedText =
          Utf8(char32_t(std::stoul(listed->second.substr(2), nullptr, 16)));
      EXPECT_NE(want.value_or(""), listedText)
          << "listed, but no longer departs from glibc: " << decodedCode << " " << Hex(bytes);
      want = listedText;
    }
    const std::string replacement = "\xEF\xBF\xBD";
    if (got[i] == want.value_or(replacement)) continue;
    // A user-defined code: in the Private Use Area, or nothing, on both sides.
    if ((IsPrivateUse(got[i]) || got[i] == replacement) && (!want || IsPrivateUse(*want))) continue;
    ADD_FAILURE() << GetConvTypeName(type) << ": " << decodedCode << " " << Hex(bytes) << " (from "
                  << Hex(codes[i]) << ") gives " << got[i] << ", glibc "
                  << want.value_or("nothing");
    ++failures;
  }
}

std::vector<ConvType> AllTypes() {
  std::vector<ConvType> types;
  for (const ConversionType& type : ConversionTypes()) types.push_back(type.type);
  return types;
}

INSTANTIATE_TEST_SUITE_P(EveryType, Utf8Ends, testing::ValuesIn(AllTypes()),
                         [](const testing::TestParamInfo<ConvType>& test) {
                           return GetConvTypeName(test.param);
                         });

}  // namespace
}  // namespace marlo
