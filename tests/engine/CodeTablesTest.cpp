// SPDX-License-Identifier: Apache-2.0
// Golden checks of the embedded code tables and of the tables the engine reads.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "engine/src/BakedTables.h"
#include "engine/src/EmbeddedResources.h"
#include "tests/engine/BakedResources.h"
#include "tests/engine/TestSupport.h"

namespace marlo {
namespace {

using test::Engine;

uint16_t Record(std::span<const uint8_t> data, size_t number) {
  return uint16_t(data[2 * number] << 8 | data[2 * number + 1]);
}

uint16_t Big5ToGbRecord(unsigned lead, unsigned trail) {
  return Record(LoadResource(101), (lead - 0xA1) * 191 + (trail - 0x40));
}

uint16_t GbToBig5Record(unsigned row, unsigned cell) {
  return Record(LoadResource(102), (row - 0xA7) * 94 + (cell - 0xA1));
}

bool IsBig5Trail(unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE); }

TEST(CodeTables, ResourcesHaveTheirExactSizes) {
  EXPECT_EQ(LoadResource(101).size(), 35908u);
  EXPECT_EQ(LoadResource(102).size(), 16544u);
  EXPECT_EQ(LoadResource(103).size(), 443068u);
  EXPECT_EQ(LoadResource(104).size(), 13188u);
  EXPECT_EQ(LoadResource(105).size(), 4064u);
  EXPECT_EQ(LoadResource(109).size(), 890u);  // 89 runs of GB2312 codes
  EXPECT_THROW(LoadResource(110), std::out_of_range);
}

TEST(CodeTables, Big5ToGb2312RangesAndExamples) {
  for (unsigned lead = 0xA1; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      const uint16_t gb = Big5ToGbRecord(lead, trail);
      SCOPED_TRACE(testing::Message() << std::hex << lead << trail << " -> " << gb);
      if (!IsBig5Trail(trail)) {
        ASSERT_EQ(gb, lead << 8 | trail) << "trail gap passes through";
      } else if (lead == 0xC8 || lead >= 0xFA) {
        ASSERT_EQ(gb, 0xA1A1);
      } else {
        ASSERT_TRUE(gb >> 8 >= 0xA1 && gb >> 8 <= 0xF7 && (gb & 0xFF) >= 0xA1 &&
                    (gb & 0xFF) <= 0xFE)
            << "outside GB2312";
      }
    }
  }
  EXPECT_EQ(Big5ToGbRecord(0xB3, 0x6F), 0xD5E2);  // 這 → 这
  EXPECT_EQ(Big5ToGbRecord(0xA4, 0x40), 0xD2BB);  // 一
  EXPECT_EQ(Big5ToGbRecord(0xA1, 0x41), 0xA3AC);  // ，
  EXPECT_EQ(Big5ToGbRecord(0xA1, 0x40), 0xA1A1);  // ideographic space
  // Four records once pointed outside GB2312; they hold the GB2312 forms.
  EXPECT_EQ(Big5ToGbRecord(0xBB, 0xC4), 0xCBE1);  // 酸
  EXPECT_EQ(Big5ToGbRecord(0xBB, 0xDB), 0xB4C6);  // 雌
  EXPECT_EQ(Big5ToGbRecord(0xBB, 0xEE), 0xBBEA);  // 魂
  EXPECT_EQ(Big5ToGbRecord(0xBB, 0xFA), 0xD9AF);  // 儂 → 侬
}

TEST(CodeTables, Gb2312ToBig5RowsAndExamples) {
  EXPECT_EQ(GbToBig5Record(0xD5, 0xE2), 0xB36F);      // 这 → 這
  EXPECT_EQ(GbToBig5Record(0xB0, 0xA1), 0xB0DA);      // 啊
  EXPECT_EQ(GbToBig5Record(0xA3 + 6, 0xC1), 0xA2CF);  // Ａ, a symbol row stored six down
  EXPECT_EQ(GbToBig5Record(0xA1 + 6, 0xA1), 0xA140);  // ideographic space
  for (unsigned cell = 0xA1; cell <= 0xFE; ++cell) {
    EXPECT_EQ(GbToBig5Record(0xF8, cell), 0xA140);
    EXPECT_EQ(GbToBig5Record(0xF9, cell), 0xA140);
  }
  // Rows 0xFA..0xFD run through the Big5 user-defined codes in Big5 order.
  std::vector<uint16_t> userDefined;
  for (unsigned lead = 0xFA; userDefined.size() < 4 * 94; ++lead)
    for (unsigned trail = 0x40; trail <= 0xFE && userDefined.size() < 4 * 94; ++trail)
      if (IsBig5Trail(trail)) userDefined.push_back(uint16_t(lead << 8 | trail));
  for (unsigned k = 0; k < userDefined.size(); ++k)
    ASSERT_EQ(GbToBig5Record(0xFA + k / 94, 0xA1 + k % 94), userDefined[k]) << k;
  EXPECT_EQ(GbToBig5Record(0xFB, 0xA1), 0xFAC0);
  // The nineteen vertical forms of row 0xA6 are the only mapped cells there
  // from 0xE0 on.
  int verticalForms = 0;
  for (unsigned cell = 0xE0; cell <= 0xFE; ++cell) {
    const uint16_t big5 = GbToBig5Record(0xA6 + 6, cell);
    if (big5 != 0xA140) {
      EXPECT_LE(cell, 0xF5u);
      ++verticalForms;
    }
  }
  EXPECT_EQ(verticalForms, 19);
  EXPECT_EQ(GbToBig5Record(0xA6 + 6, 0xE0), 0xA15F);
}

TEST(CodeTables, GbkUnicodeBig5Lines) {
  const auto data = LoadResource(103);
  const std::string text(data.begin(), data.end());
  ASSERT_EQ(text.substr(text.size() - 4), std::string("\r\n\0\0", 4));
  const std::regex lineFormat("[0-9A-F]{4}    [0-9A-F]{4}(    [0-9A-F]{4})?");
  std::set<unsigned> unicodes, big5s;
  std::vector<unsigned> expectedGbk;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail)
      if (trail != 0x7F) expectedGbk.push_back(lead << 8 | trail);
  size_t p = 0, lines = 0, twoColumns = 0, threeColumns = 0;
  while (true) {
    const size_t end = text.find("\r\n", p);
    const std::string line = text.substr(p, end - p);
    p = end + 2;
    if (line.empty()) break;
    ASSERT_TRUE(std::regex_match(line, lineFormat)) << line;
    ASSERT_LT(lines, expectedGbk.size());
    const auto gbk = unsigned(std::stoul(line.substr(0, 4), nullptr, 16));
    const auto unicode = unsigned(std::stoul(line.substr(8, 4), nullptr, 16));
    ASSERT_EQ(gbk, expectedGbk[lines]) << "ascending GBK order";
    ASSERT_TRUE(unicodes.insert(unicode).second) << "Unicode twice: " << line;
    if (line.size() == 20) {
      ASSERT_TRUE(big5s.insert(unsigned(std::stoul(line.substr(16), nullptr, 16))).second) << line;
      ++threeColumns;
    } else {
      ++twoColumns;
    }
    // The user-defined areas map onto the Private Use Area, in order, and
    // have no Big5 counterpart.
    const unsigned lead = gbk >> 8, trail = gbk & 0xFF;
    unsigned pua = 0;
    if (lead >= 0xAA && lead <= 0xAF && trail >= 0xA1)
      pua = 0xE000 + (lead - 0xAA) * 94 + (trail - 0xA1);
    else if (lead >= 0xF8 && trail >= 0xA1)
      pua = 0xE234 + (lead - 0xF8) * 94 + (trail - 0xA1);
    else if (lead >= 0xA1 && lead <= 0xA7 && trail <= 0xA0)
      pua = 0xE4C6 + (lead - 0xA1) * 96 + (trail - 0x40) - (trail > 0x7F);
    if (pua) {
      ASSERT_EQ(unicode, pua) << line;
      ASSERT_EQ(line.size(), 12u) << line;
    }
    ++lines;
  }
  EXPECT_EQ(lines, 23940u);
  EXPECT_EQ(twoColumns, 10452u);
  EXPECT_EQ(threeColumns, 13488u);
  EXPECT_EQ(p + 2, text.size());
  EXPECT_NE(text.find("8144    4E0F    C94D\r\n"), std::string::npos);
  // Code page 950 encodes eight box-drawing characters twice; they carry
  // their code in row 0xF9.
  for (const char* boxLine :
       {"A854    2550    F9F9", "A862    255E    F9E9", "A86E    256A    F9EA",
        "A865    2561    F9EB", "A871    256D    F9FA", "A872    256E    F9FB",
        "A873    256F    F9FD", "A874    2570    F9FC"})
    EXPECT_NE(text.find(std::string(boxLine) + "\r\n"), std::string::npos) << boxLine;
  const auto& t = Engine().Tables();
  EXPECT_EQ(t.BigToGbkTable[0xF9FA], 0xA871);
  EXPECT_EQ(t.BigToUscTable[0xF9FA], 0x256D);
  EXPECT_EQ(t.GbkToBigTable[0xA871], 0xF9FA);
}

// Common simplified characters whose OpenCC candidates Big5 lacks reach
// their Big5 form through the Taiwan forms and Unihan, and come back; those
// OpenCC leaves alone are already traditional and stay themselves, never a
// variant of the same meaning (一 is not 壹, 他 not 她).
TEST(CodeTables, SimplifiedCharactersGetTheirBig5FormAndComeBack) {
  const struct {
    uint16_t gb, big5;
  } pairs[] = {
      {0xCEAA, 0xACB0},  // 为 為
      {0xC6F4, 0xB1D2},  // 启 啟
      {0xD7C5, 0xB5DB},  // 着 著
      {0xCEB1, 0xB0B0},  // 伪 偽
      {0xD6DA, 0xB2B3},  // 众 眾
      {0xB2A7, 0xB2DA},  // 钵 缽
      {0xE3ED, 0xD9EC},  // 沩 溈
      {0xE6A3, 0xD8B5},  // 妫 媯
      {0xE7D6, 0xC5B7},  // 缰 韁
      {0xC0EF, 0xB8CC},  // 里 裡, Taiwan's form rather than 裏
      {0xD2BB, 0xA440},  // 一
      {0xCBFB, 0xA54C},  // 他
      {0xBACD, 0xA94D},  // 和
      {0xB0E6, 0xAAA9},  // 版
      {0xCDEA, 0xA7B9},  // 完
      {0xB0CB, 0xA44B},  // 八
      {0xB0D9, 0xA6CA},  // 百
      {0xD7D3, 0xA46C},  // 子
      {0xD6C3, 0xB86D},  // 置
      {0xB9DC, 0xBADE},  // 管
  };
  for (const auto& p : pairs) {
    SCOPED_TRACE(testing::Message() << std::hex << p.gb);
    const std::string gb{char(p.gb >> 8), char(p.gb & 0xFF)};
    const std::string big5{char(p.big5 >> 8), char(p.big5 & 0xFF)};
    EXPECT_EQ(Engine().GBToBig(gb)->strResult, big5);
    EXPECT_EQ(Engine().BigToGB(big5)->strResult, gb);
  }
}

// The round-trip losses of tables 101 and 102, as committed beside them
// for review, are exactly those of the embedded tables.
TEST(CodeTables, TheIrreversibleListMatchesTheTables) {
  std::ifstream file(std::string(MARLO_SOURCE_DIR) + "/resources/irreversible.txt");
  std::set<std::string> listed;
  std::string line;
  while (std::getline(file, line))
    if (!line.empty() && line[0] != '#') listed.insert(line.substr(0, line.find('\t')));
  ASSERT_FALSE(listed.empty());

  const auto& t = Engine().Tables();
  auto gbOf = [&](unsigned big5) { return Big5ToGbRecord(big5 >> 8, big5 & 0xFF); };
  auto big5Of = [&](unsigned gb) {
    const unsigned lead = gb >> 8;
    return GbToBig5Record(lead <= 0xA9 ? lead + 6 : lead, gb & 0xFF);
  };
  std::set<std::string> found;
  char text[64];
  for (unsigned gb = 0xA1A1; gb <= 0xF7FE; ++gb) {
    if ((gb & 0xFF) < 0xA1 || (gb & 0xFF) == 0xFF || (gb >> 8 >= 0xAA && gb >> 8 <= 0xAF)) continue;
    if (t.GbkToUscTable[gb] == 0 || (gb >= 0xA6E0 && gb <= 0xA6F5))
      continue;  // GBK's vertical forms
    const unsigned big5 = big5Of(gb);
    if (big5 == 0xA140 || big5 >> 8 > 0xF9) continue;
    if (const unsigned back = gbOf(big5); back != gb) {
      std::snprintf(text, sizeof text, "GB2312 %04X -> Big5 %04X -> GB2312 %04X", gb, big5, back);
      found.insert(text);
    }
  }
  EXPECT_EQ(found.size(),
            size_t(std::count_if(listed.begin(), listed.end(),
                                 [](const std::string& l) { return l.rfind("GB2312", 0) == 0; })));
  for (const std::string& entry : found) EXPECT_TRUE(listed.count(entry)) << entry;
  for (const std::string& entry : listed) {
    unsigned from = 0, middle = 0, back = 0;
    if (entry.rfind("Big5", 0) == 0) {
      ASSERT_EQ(
          std::sscanf(entry.c_str(), "Big5 %X -> GB2312 %X -> Big5 %X", &from, &middle, &back), 3);
      EXPECT_EQ(gbOf(from), middle) << entry;
      EXPECT_EQ(big5Of(middle), back) << entry;
      EXPECT_NE(back, from) << entry;
    }
  }
}

TEST(CodeTables, Big5ToCnsPlane2) {
  const auto data = LoadResource(104);
  EXPECT_EQ(Record(data, 0), 0xA121);   // Big5 0xC940
  EXPECT_EQ(Record(data, 10), 0x0000);  // Big5 0xC94A, a hole
  for (size_t k = 0; k < data.size() / 2; ++k) {
    const uint16_t cns = Record(data, k);
    if (cns == 0) continue;
    ASSERT_TRUE(cns >> 8 >= 0xA1 && cns >> 8 <= 0xFE && (cns & 0xFF) >= 0x21 &&
                (cns & 0xFF) <= 0x7E)
        << "not a plane 2 form: " << std::hex << cns;
  }
}

TEST(CodeTables, SpecialSymbolsLayout) {
  const auto data = LoadResource(105);
  const std::string text(data.begin(), data.end());
  for (size_t line = 0; line < 140; ++line) {
    const std::string l = text.substr(line * 29, 29);
    SCOPED_TRACE(line);
    ASSERT_EQ(l.substr(27), "\r\n");
    ASSERT_EQ(l[2], ' ');
    ASSERT_EQ(l[5], ' ');
    ASSERT_EQ(l[16], ' ');
    ASSERT_EQ(l.substr(6, 10), l.substr(17, 10)) << "third and fourth columns equal";
  }
  EXPECT_EQ(text.substr(140 * 29), std::string("\r\n\0\0", 4));
  EXPECT_EQ(text.substr(0, 27), test::Hex("CB DD") + " " + test::Hex("A5 A1") + " " +
                                    test::Hex("B8 54") + "-------- " + test::Hex("B8 54") +
                                    "--------");
  EXPECT_EQ(text.substr(37 * 29 + 6, 10), "DUM-------");
  EXPECT_EQ(text.substr(110 * 29 + 6, 10), test::Hex("A4 66 B3 C1 A1 5E") + "----");
}

TEST(InitMe, BuildsTheLookupTables) {
  const auto& t = Engine().Tables();
  EXPECT_EQ(t.BigToGBTable[0xA17F], 0xA17F);  // trail gap passes through
  EXPECT_EQ(t.BigToGBTable[0xC8A4], 0xA1A1);
  EXPECT_EQ(t.GBToBigTable[0xA7A1], 0xA140);
  EXPECT_EQ(t.GBToBigTable[0xB0A1], 0xB0DA);
  EXPECT_EQ(t.GbkToUscTable[0xB0A1], 0x554A);
  EXPECT_EQ(t.UscToGbkTable[0x554A], 0xB0A1);
  EXPECT_EQ(t.BigToGbkTable[0xC94D], 0x8144);
  EXPECT_EQ(t.GbkToBigTable[0x8144], 0xC94D);
  EXPECT_EQ(t.BigToUscTable[0xA145], 0);  // on no line
  EXPECT_EQ(t.BigToUscTable[0xC6A1], 0);
  // A line without a Big5 column gives the Big5 ideographic space, never the
  // Big5 code of the line above it.
  EXPECT_EQ(t.GbkToBigTable[0x8140], 0xA140);
  EXPECT_EQ(t.UscToBigTable[0x4E02], 0xA140);
  EXPECT_EQ(t.GbkToBigTable[0xAAA1], 0xA140);
}

TEST(InitMe, ParsesTheSpecialSymbols) {
  const ConvMarlo& engine = Engine();
  ASSERT_EQ(engine.SpcCount(), 140);
  const auto& s = engine.SpcSymbols();
  ASSERT_EQ(s.size(), 141u);
  EXPECT_EQ(s[0].Symbol, test::Hex("CB DD"));
  EXPECT_EQ(s[0].Column2, test::Hex("A5 A1"));
  EXPECT_EQ(s[0].Column3, test::Hex("B8 54"));
  EXPECT_EQ(s[0].Column4, s[0].Column3);
  EXPECT_EQ(s[5].Column3, "");  // "----------"
  EXPECT_EQ(s[37].Column3, "DUM");
  EXPECT_EQ(s[110].Column3, test::Hex("A4 66 B3 C1 A1 5E"));
  EXPECT_EQ(s[140].Symbol + s[140].Column2 + s[140].Column3 + s[140].Column4, "");
  EXPECT_EQ(engine.CnsData().size(), 13188u);
  EXPECT_EQ(engine.SpcData().size(), 4064u);
}

TEST(InitMe, IsRepeatableAndStartsFromZeroedTables) {
  ConvMarlo fresh;
  EXPECT_EQ(fresh.Tables().BigToUscTable[0xA440], 0);
  EXPECT_EQ(fresh.SpcCount(), 0);
  EXPECT_EQ(test::ToHex(fresh.BigToGB(test::Hex("A4 40"))->strResult), "00 00");
  fresh.InitMe();
  fresh.InitMe();
  const auto& once = Engine().Tables();
  const auto& twice = fresh.Tables();
  EXPECT_TRUE(
      once.BigToGBTable == twice.BigToGBTable && once.GBToBigTable == twice.GBToBigTable &&
      once.GbkToBigTable == twice.GbkToBigTable && once.UscToBigTable == twice.UscToBigTable &&
      once.BigToGbkTable == twice.BigToGbkTable && once.BigToUscTable == twice.BigToUscTable &&
      once.GbkToUscTable == twice.GbkToUscTable && once.UscToGbkTable == twice.UscToGbkTable);
  EXPECT_EQ(fresh.SpcSymbols().size(), 141u);
}

// The tables linked at build time must be what the resources linked beside
// them give, in every byte: a stale or misplaced blob would convert wrongly
// only for some pairs.
TEST(InitMe, LinkedTablesMatchTheEmbeddedResources) {
  const auto built = BuildTables(test::BakedResources());
  EXPECT_EQ(std::memcmp(&built->codes, &Engine().Tables(), sizeof built->codes), 0);
  // Native order: the pair's bytes as they lie index the table, whose entry
  // holds the output bytes as they lie.
  const uint16_t entry = built->scan[size_t(ScanTableId::kGbkToBig)][NativePairIndex(0xD2, 0xBB)];
  EXPECT_EQ(test::ToHex(std::string(reinterpret_cast<const char*>(&entry), 2)), "A4 40");
}

// The committed tables must be what the generator makes of its pinned inputs.
TEST(CodeTables, GeneratorReproducesTheCommittedTables) {
#ifndef MARLO_GENTABLES_EXE
  GTEST_SKIP() << "the generator was not built (ICU is not installed)";
#else
  const auto out =
      std::filesystem::temp_directory_path() / ("marlo-gentables-" + std::to_string(::getpid()));
  const std::string command = std::string(MARLO_SOURCE_DIR) +
                              "/tools/gentables/regenerate.sh --generator '" + MARLO_GENTABLES_EXE +
                              "' --out '" + out.string() + "' >/dev/null";
  const int status = std::system(command.c_str());
  if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
    std::filesystem::remove_all(out);
    GTEST_SKIP() << "the generator's pinned inputs are not installed";
  }
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
  const char* names[] = {"101-big5-to-gb2312.bin",
                         "102-gb2312-to-big5.bin",
                         "103-gbk-unicode-big5.txt",
                         "104-big5-to-cns-plane2.bin",
                         "105-symbols.txt",
                         "106-phrases-big5-to-gb2312.txt",
                         "107-phrases-gb2312-to-big5.txt",
                         "108-gbk-unicode-aliases.txt",
                         "109-gb2312-codes.txt"};
  auto read = [](const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), {});
  };
  for (int id = 101; id <= 109; ++id) {
    const auto embedded = LoadResource(id);
    EXPECT_TRUE(read(out / names[id - 101]) == std::string(embedded.begin(), embedded.end()))
        << names[id - 101];
  }
  EXPECT_TRUE(read(out / "irreversible.txt") ==
              read(std::filesystem::path(MARLO_SOURCE_DIR) / "resources/irreversible.txt"))
      << "resources/irreversible.txt";
  std::filesystem::remove_all(out);
#endif
}

}  // namespace
}  // namespace marlo
