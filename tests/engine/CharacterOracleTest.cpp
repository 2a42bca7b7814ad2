// SPDX-License-Identifier: Apache-2.0
// Every ideograph of both codes against an implementation that is not ours:
// OpenCC's own character-level answer (opencc -c s2tw / tw2s), with glibc's
// converters between the codes and Unicode. Where OpenCC's answer is one
// character that the target code holds, the engine must give it, unless the
// exceptions list says why not. The generator cannot check itself this way.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/engine/TestSupport.h"
#include "tests/support/Glibc.h"

namespace marlo {
namespace {

struct Direction {
  const char* name;
  const char* sourceCode;  // glibc's names
  const char* targetCode;
  const char* openccConfig;
  std::vector<uint16_t> (*ideographs)();
  std::string (*convert)(std::string_view);
};

std::vector<uint16_t> Gb2312Ideographs() {
  std::vector<uint16_t> codes;
  for (unsigned lead = 0xB0; lead <= 0xF7; ++lead)
    for (unsigned cell = 0xA1; cell <= 0xFE; ++cell) codes.push_back(uint16_t(lead << 8 | cell));
  return codes;
}

std::vector<uint16_t> Big5Ideographs() {
  std::vector<uint16_t> codes;
  for (unsigned lead = 0xA4; lead <= 0xF9; ++lead)
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      const unsigned code = lead << 8 | trail;
      if ((trail > 0x7E && trail < 0xA1) || (code > 0xC67E && code < 0xC940) || code > 0xF9D5)
        continue;
      codes.push_back(uint16_t(code));
    }
  return codes;
}

// The exceptions, "DIRECTION SOURCE-HEX ENGINE-HEX reason", one a line.
std::map<std::string, std::string> Exceptions() {
  std::ifstream file(std::string(MARLO_SOURCE_DIR) +
                     "/tests/engine/character-oracle-exceptions.txt");
  std::map<std::string, std::string> list;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    const size_t third = line.find(' ', line.find(' ', line.find(' ') + 1) + 1);
    list[line.substr(0, third)] = line.substr(third + 1);
  }
  return list;
}

class CharacterOracle : public testing::TestWithParam<Direction> {};

TEST_P(CharacterOracle, EveryIdeographAgreesWithOpenCC) {
  if (std::system("command -v opencc >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "opencc is not installed";
  const Direction& d = GetParam();
  const Glibc decode("UTF-8", d.sourceCode), encode(d.targetCode, "UTF-8");
  ASSERT_TRUE(decode.ok() && encode.ok());

  std::vector<std::string> sources;  // the code's bytes
  std::string lines;                 // the same characters in UTF-8, one a line
  for (const uint16_t code : d.ideographs()) {
    const std::string bytes{char(code >> 8), char(code & 0xFF)};
    if (const auto utf8 = decode(bytes)) {
      sources.push_back(bytes);
      lines += *utf8 + "\n";
    }
  }
  const auto dir = std::filesystem::temp_directory_path() /
                   ("marlo-oracle-" + std::to_string(::getpid()) + "-" + d.name);
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "in.txt") << lines;
  const std::string command = std::string("opencc -c ") + d.openccConfig + " -i '" +
                              (dir / "in.txt").string() + "' -o '" + (dir / "out.txt").string() +
                              "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::vector<std::string> answers;
  std::ifstream out(dir / "out.txt");
  for (std::string line; std::getline(out, line);) answers.push_back(line);
  std::filesystem::remove_all(dir);
  ASSERT_EQ(answers.size(), sources.size());

  const auto exceptions = Exceptions();
  size_t compared = 0, excepted = 0;
  for (size_t i = 0; i < sources.size(); ++i) {
    const auto expected = encode(answers[i]);
    if (!expected || expected->size() != 2) continue;  // not one character the target holds
    ++compared;
    const std::string got = d.convert(sources[i]);
    if (got == *expected) continue;
    const std::string key =
        std::string(d.name) + " " + test::ToHex(sources[i]) + " " + test::ToHex(got);
    if (exceptions.count(key)) {
      ++excepted;
      continue;
    }
    ADD_FAILURE() << key << ": OpenCC gives " << answers[i] << " (" << test::ToHex(*expected)
                  << ")";
  }
  EXPECT_GT(compared, sources.size() / 2);
  RecordProperty("compared", int(compared));
  RecordProperty("excepted", int(excepted));
}

const Direction kDirections[] = {
    {"GBToBig", "GB2312", "CP950", "s2tw", Gb2312Ideographs,
     [](std::string_view text) { return test::Engine().GBToBig(text)->strResult; }},
    {"BigToGB", "CP950", "GB2312", "tw2s", Big5Ideographs,
     [](std::string_view text) { return test::Engine().BigToGB(text)->strResult; }},
};

INSTANTIATE_TEST_SUITE_P(BothDirections, CharacterOracle, testing::ValuesIn(kDirections),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace marlo
