// SPDX-License-Identifier: Apache-2.0
// Generates the five code tables in resources/ from pinned public data.
// Run through regenerate.sh, which prepares the inputs; see README.md there.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "DataSources.h"

namespace gentables {
namespace {

using Bytes = std::vector<unsigned char>;

constexpr uint16_t kGbIdeographicSpace = 0xA1A1;
constexpr uint16_t kBig5IdeographicSpace = 0xA140;

void Check(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error("generated data fails a check: " + what);
}

void PutCode(Bytes& out, uint16_t code) {
  out.push_back(code >> 8);
  out.push_back(code & 0xFF);
}

// Big5 trail bytes in Big5 order: 0x40..0x7E, then 0xA1..0xFE.
unsigned Big5TrailAt(unsigned index) { return index < 63 ? 0x40 + index : 0xA1 + index - 63; }

struct Inputs {
  CodePage gbk{"windows-936-2000"};
  CodePage big5{"windows-950-2000"};
  std::set<uint16_t> gb2312;
  std::map<char16_t, std::vector<char16_t>> toSimplified;
  std::map<char16_t, std::vector<char16_t>> toTraditional;
  std::map<char16_t, uint16_t> cnsPlane2;
  std::vector<SpecialSymbol> specialSymbols;
};

std::optional<char16_t> DecodeShared(const CodePage& page, uint16_t code) {
  const auto u = page.Decode(code);
  if (!u || IsPrivateUse(*u)) return std::nullopt;
  return u;
}

// The dictionary's candidates in order, then the character itself: the first
// one the target code set holds wins.
std::vector<char16_t> Candidates(const std::map<char16_t, std::vector<char16_t>>& dictionary,
                                 char16_t u) {
  std::vector<char16_t> list;
  if (const auto it = dictionary.find(u); it != dictionary.end()) list = it->second;
  list.push_back(u);
  return list;
}

Bytes BuildBig5ToGb2312(const Inputs& in) {
  Bytes out;
  int unmapped = 0, unmappedIdeographs = 0, ideographs = 0;
  for (unsigned lead = 0xA1; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      const uint16_t big5 = uint16_t(lead << 8 | trail);
      if (trail >= 0x7F && trail <= 0xA0) {  // not Big5 trail bytes: pass through
        PutCode(out, big5);
        continue;
      }
      uint16_t gb = kGbIdeographicSpace;
      if (const auto u = DecodeShared(in.big5, big5)) {
        for (char16_t c : Candidates(in.toSimplified, *u)) {
          const auto code = in.gbk.Encode(c);
          if (code && in.gb2312.count(*code)) {
            gb = *code;
            break;
          }
        }
      }
      const bool ideograph =
          (big5 >= 0xA440 && big5 <= 0xC67E) || (big5 >= 0xC940 && big5 <= 0xF9D5);
      ideographs += ideograph;
      if (gb == kGbIdeographicSpace) {
        ++unmapped;
        unmappedIdeographs += ideograph;
      }
      PutCode(out, gb);
    }
  }
  Check(out.size() == 35908, "Big5 to GB2312 size");
  std::printf("101 Big5->GB2312: %d of 14758 records hold A1A1, %d of %d ideographs\n", unmapped,
              unmappedIdeographs, ideographs);
  return out;
}

Bytes BuildGb2312ToBig5(const Inputs& in) {
  Bytes out;
  int unmappedIdeographs = 0, verticalForms = 0;
  for (unsigned row = 0xA7; row <= 0xFE; ++row) {
    const unsigned lead = row <= 0xAF ? row - 6 : row;  // symbol rows are stored 6 rows down
    for (unsigned cell = 0xA1; cell <= 0xFE; ++cell) {
      const uint16_t gb = uint16_t(lead << 8 | cell);
      if (row >= 0xFA && row <= 0xFD) {  // user-defined rows onto Big5 user-defined codes
        const unsigned k = (row - 0xFA) * 94 + (cell - 0xA1);
        PutCode(out, uint16_t((0xFA + k / 157) << 8 | Big5TrailAt(k % 157)));
        continue;
      }
      const bool verticalForm = lead == 0xA6 && cell >= 0xE0 && cell <= 0xF5;
      uint16_t big5 = kBig5IdeographicSpace;
      const auto u = DecodeShared(in.gbk, gb);
      if (u && (in.gb2312.count(gb) || verticalForm)) {
        for (char16_t c : Candidates(in.toTraditional, *u)) {
          const auto code = in.big5.Encode(c);
          if (code && DecodeShared(in.big5, *code)) {
            big5 = *code;
            break;
          }
        }
      }
      if (verticalForm && big5 != kBig5IdeographicSpace) ++verticalForms;
      if (lead >= 0xB0 && lead <= 0xF7 && in.gb2312.count(gb) && big5 == kBig5IdeographicSpace)
        ++unmappedIdeographs;
      PutCode(out, big5);
    }
  }
  Check(out.size() == 16544, "GB2312 to Big5 size");
  Check(verticalForms == 19, "nineteen vertical forms in row A6");
  std::printf("102 GB2312->Big5: %d of 6763 ideographs hold A140\n", unmappedIdeographs);
  return out;
}

Bytes BuildGbkUnicodeBig5(const Inputs& in) {
  Bytes out;
  std::set<uint16_t> unicodeSeen, big5Seen;
  int twoColumns = 0, threeColumns = 0;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const uint16_t gbk = uint16_t(lead << 8 | trail);
      const auto u = in.gbk.Decode(gbk);
      Check(u.has_value(), "every GBK code decodes");
      Check(unicodeSeen.insert(*u).second, "no Unicode value on two lines");
      char line[32];
      int length = std::snprintf(line, sizeof line, "%04X    %04X", gbk, unsigned(*u));
      const auto big5 = IsPrivateUse(*u) ? std::nullopt : in.big5.Encode(*u);
      if (big5 && DecodeShared(in.big5, *big5)) {
        Check(big5Seen.insert(*big5).second, "no Big5 value on two lines");
        length += std::snprintf(line + length, sizeof line - length, "    %04X", *big5);
        ++threeColumns;
      } else {
        ++twoColumns;
      }
      out.insert(out.end(), line, line + length);
      out.push_back('\r');
      out.push_back('\n');
    }
  }
  for (unsigned char c : {'\r', '\n', '\0', '\0'}) out.push_back(c);
  Check(twoColumns == 10452 && threeColumns == 13488,
        "10,452 two-column and 13,488 three-column lines");
  Check(out.size() == 443068, "GBK/Unicode/Big5 size");
  return out;
}

Bytes BuildBig5ToCns(const Inputs& in) {
  Bytes out;
  int holes = 0;
  for (unsigned lead = 0xC9; lead <= 0xF2; ++lead) {
    for (unsigned index = 0; index < 157; ++index) {
      const uint16_t big5 = uint16_t(lead << 8 | Big5TrailAt(index));
      uint16_t cns = 0;  // no CNS code
      if (const auto u = DecodeShared(in.big5, big5)) {
        if (const auto it = in.cnsPlane2.find(*u); it != in.cnsPlane2.end())
          cns = uint16_t(it->second + 0x8000);  // plane 2 form: row + 0x80, cell as is
      }
      holes += cns == 0;
      PutCode(out, cns);
    }
  }
  Check(out.size() == 13188, "Big5 to CNS size");
  std::printf("104 Big5->CNS: %d holes\n", holes);
  return out;
}

Bytes BuildSpecialSymbols(const Inputs& in) {
  Bytes out;
  auto putField = [&out](const std::string& text) {
    Check(text.size() <= 10, "replacement fits ten bytes");
    out.insert(out.end(), text.begin(), text.end());
    out.insert(out.end(), 10 - text.size(), '-');
  };
  for (const SpecialSymbol& s : in.specialSymbols) {
    PutCode(out, s.symbol);
    out.push_back(' ');
    PutCode(out, s.gbCode);
    out.push_back(' ');
    putField(s.replacement);
    out.push_back(' ');
    putField(s.replacement);
    out.push_back('\r');
    out.push_back('\n');
  }
  for (unsigned char c : {'\r', '\n', '\0', '\0'}) out.push_back(c);
  Check(in.specialSymbols.size() == 140 && out.size() == 4064, "140 special symbols, 4,064 bytes");
  return out;
}

void Write(const std::string& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace
}  // namespace gentables

int main(int argc, char** argv) {
  using namespace gentables;
  if (argc != 6) {
    std::cerr << "usage: gentables OUT_DIR TSCharacters.txt STCharacters.txt "
                 "Unihan_IRGSources.txt special_symbols.txt\n";
    return 2;
  }
  try {
    Inputs in;
    in.gb2312 = Gb2312AssignedCodes();
    Check(in.gb2312.size() == 7445, "glibc GB2312 assigns 7,445 codes");
    in.toSimplified = ReadCharacterDictionary(argv[2]);
    in.toTraditional = ReadCharacterDictionary(argv[3]);
    in.cnsPlane2 = ReadCnsPlane2Sources(argv[4]);
    in.specialSymbols = ReadSpecialSymbols(argv[5]);
    const std::string dir = argv[1];
    Write(dir + "/101-big5-to-gb2312.bin", BuildBig5ToGb2312(in));
    Write(dir + "/102-gb2312-to-big5.bin", BuildGb2312ToBig5(in));
    Write(dir + "/103-gbk-unicode-big5.txt", BuildGbkUnicodeBig5(in));
    Write(dir + "/104-big5-to-cns-plane2.bin", BuildBig5ToCns(in));
    Write(dir + "/105-symbols.txt", BuildSpecialSymbols(in));
  } catch (const std::exception& e) {
    std::cerr << "gentables: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
