// SPDX-License-Identifier: Apache-2.0
// Generates the five code tables in resources/ from pinned public data.
// Run through regenerate.sh, which prepares the inputs; see README.md there.
#include <algorithm>
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
  out.push_back(uint8_t(code >> 8));
  out.push_back(uint8_t(code & 0xFF));
}

// Big5 trail bytes in Big5 order: 0x40..0x7E, then 0xA1..0xFE.
unsigned Big5TrailAt(unsigned index) { return index < 63 ? 0x40 + index : 0xA1 + index - 63; }

using Dictionary = std::map<char16_t, std::vector<char16_t>>;

struct Inputs {
  CodePage gbk{"windows-936-2000"};
  CodePage big5{"windows-950-2000"};
  std::set<uint16_t> gb2312;
  Dictionary toSimplified;                     // OpenCC TSCharacters
  Dictionary toTraditional;                    // OpenCC STCharacters
  Dictionary toTaiwan;                         // OpenCC TWVariants: standard form → Taiwan form
  Dictionary fromTaiwan;                       // OpenCC TWVariantsRev
  std::map<std::string, VariantField> unihan;  // Unihan_Variants fields
  std::map<char16_t, uint16_t> cnsPlane2;
  std::vector<SpecialSymbol> specialSymbols;
};

std::optional<char16_t> DecodeShared(const CodePage& page, uint16_t code) {
  const auto u = page.Decode(code);
  if (!u || IsPrivateUse(*u)) return std::nullopt;
  return u;
}

const std::vector<char16_t>& Lookup(const Dictionary& dictionary, char16_t u) {
  static const std::vector<char16_t> none;
  const auto it = dictionary.find(u);
  return it == dictionary.end() ? none : it->second;
}

const std::vector<char16_t>& Variants(const Inputs& in, const char* field, char16_t u) {
  const auto it = in.unihan.find(field);
  Check(it != in.unihan.end(), std::string("Unihan has the field ") + field);
  return Lookup(it->second, u);
}

// Simplified → traditional, as a chain of public data; the first candidate
// that Big5 holds wins. Big5 is Taiwan's code: each candidate goes first
// through its Taiwan form (爲 → 為, 裏 → 裡). OpenCC's candidates where it
// has an entry, else the character itself: a character OpenCC leaves alone
// is already traditional (一, 他, 完). Only when Big5 holds none of those
// (着, or 为 whose only candidate is 爲) do Unihan's variants follow: a
// semantic variant is a character of the same meaning, never a better form
// of one Big5 already holds (一 is not 壹).
std::vector<char16_t> TraditionalCandidates(const Inputs& in, char16_t u) {
  std::vector<char16_t> list;
  std::vector<char16_t> forms = Lookup(in.toTraditional, u);
  if (forms.empty()) forms.push_back(u);
  for (const char16_t c : forms) {
    for (const char16_t taiwan : Lookup(in.toTaiwan, c)) list.push_back(taiwan);
    list.push_back(c);
  }
  for (const char* field : {"kTraditionalVariant", "kSemanticVariant", "kZVariant"})
    for (const char16_t c : Variants(in, field, u)) list.push_back(c);
  list.push_back(u);
  return list;
}

// Traditional → simplified, the mirror image: a Taiwan form back to OpenCC's
// standard one, then its simplified candidates, then Unihan's; the first that
// GB2312 holds wins.
std::vector<char16_t> SimplifiedCandidates(const Inputs& in, char16_t u) {
  std::vector<char16_t> list;
  std::vector<char16_t> forms = Lookup(in.fromTaiwan, u);
  forms.push_back(u);
  for (const char16_t form : forms) {
    for (const char16_t c : Lookup(in.toSimplified, form)) list.push_back(c);
    list.push_back(form);
  }
  for (const char16_t c : Variants(in, "kSimplifiedVariant", u)) list.push_back(c);
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
        for (char16_t c : SimplifiedCandidates(in, *u)) {
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
      if (gb == kGbIdeographicSpace && big5 != kBig5IdeographicSpace) {
        if (const auto u = DecodeShared(in.big5, big5))
          for (const char16_t c : SimplifiedCandidates(in, *u)) {
            const auto code = in.gbk.Encode(c);
            Check(!code || !in.gb2312.count(*code),
                  "an unmapped Big5 character has no GB2312 form in any source");
          }
      }
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
        for (char16_t c : TraditionalCandidates(in, *u)) {
          const auto code = in.big5.Encode(c);
          if (code && DecodeShared(in.big5, *code)) {
            big5 = *code;
            break;
          }
        }
      }
      if (verticalForm && big5 != kBig5IdeographicSpace) ++verticalForms;
      // An unmapped character: no source of the chain may know a Big5 form.
      if (u && in.gb2312.count(gb) && big5 == kBig5IdeographicSpace)
        for (const char16_t c : TraditionalCandidates(in, *u)) {
          const auto code = in.big5.Encode(c);  // the ideographic space maps to itself
          Check(!code || *code == kBig5IdeographicSpace || !DecodeShared(in.big5, *code),
                "an unmapped GB2312 character has no Big5 form in any source");
        }
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

// Code page 950 decodes eight box-drawing characters from two codes each
// (╭ from both A27E and F9FA); they carry their code in row 0xF9, where
// ICU's encoder picks the other for four of them.
std::map<char16_t, uint16_t> RowF9Codes(const Inputs& in) {
  std::map<char16_t, std::vector<uint16_t>> codes;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail)
      if (const auto u = DecodeShared(in.big5, uint16_t(lead << 8 | trail)))
        codes[*u].push_back(uint16_t(lead << 8 | trail));
  std::map<char16_t, uint16_t> rowF9;
  for (const auto& [u, list] : codes)
    for (const uint16_t code : list)
      if (list.size() > 1 && code >> 8 == 0xF9) rowF9[u] = code;
  Check(rowF9.size() == 8, "code page 950 encodes eight box-drawing characters twice");
  return rowF9;
}

Bytes BuildGbkUnicodeBig5(const Inputs& in) {
  Bytes out;
  const std::map<char16_t, uint16_t> rowF9 = RowF9Codes(in);
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
      // A plain code and a flag: g++ 12 at -O3 warns falsely on the optional.
      const auto f9 = rowF9.find(*u);
      const std::optional<uint16_t> encoded =
          f9 != rowF9.end() || IsPrivateUse(*u) ? std::nullopt : in.big5.Encode(*u);
      const bool hasBig5 = f9 != rowF9.end() || encoded.has_value();
      const uint16_t big5 = f9 != rowF9.end() ? f9->second : encoded.value_or(0);
      if (hasBig5 && DecodeShared(in.big5, big5)) {
        Check(big5Seen.insert(big5).second, "no Big5 value on two lines");
        length += std::snprintf(line + length, sizeof line - size_t(length), "    %04X", big5);
        ++threeColumns;
      } else {
        ++twoColumns;
      }
      out.insert(out.end(), line, line + length);
      out.push_back('\r');
      out.push_back('\n');
    }
  }
  for (const char c : {'\r', '\n', '\0', '\0'}) out.push_back(uint8_t(c));
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
  for (const char c : {'\r', '\n', '\0', '\0'}) out.push_back(uint8_t(c));
  Check(in.specialSymbols.size() == 140 && out.size() == 4064, "140 special symbols, 4,064 bytes");
  return out;
}

// The characters glibc's GB2312 decoder gives where code page 936 gives
// another (A1A4 is U+30FB there, U+00B7 here): text decoded by it must
// encode back to the same code. One of them may be a GBK character of its
// own elsewhere (U+2015 is A844). Lines "UUUU GGGG" (hex), by Unicode.
Bytes BuildGbkUnicodeAliases(const Inputs& in) {
  std::map<char16_t, uint16_t> aliases;
  for (const auto& [code, glibc] : Gb2312Decodings()) {
    const auto windows = in.gbk.Decode(code);
    if (windows && *windows != glibc) aliases[glibc] = code;
  }
  Bytes out;
  char line[16];
  for (const auto& [unicode, code] : aliases) {
    const int length = std::snprintf(line, sizeof line, "%04X %04X\n", unsigned(unicode), code);
    out.insert(out.end(), line, line + length);
  }
  std::printf("108 GB2312 Unicode aliases: %zu\n", aliases.size());
  return out;
}

// The GBK codes the GB2312-reading types (GbToBig, GbToBigToGbk) take:
// glibc's GB2312 codes and the nineteen vertical forms of row A6 that table
// 102 converts besides. Text meeting those types is encoded into these codes
// only; any other GBK code would be read as another character or split the
// pairs that follow. Lines "FROM-LAST" (hex), runs of codes within a row.
Bytes BuildGb2312Codes(const Inputs& in) {
  std::set<uint16_t> codes = in.gb2312;
  for (unsigned cell = 0xE0; cell <= 0xF5; ++cell)
    if (DecodeShared(in.gbk, uint16_t(0xA600 | cell))) codes.insert(uint16_t(0xA600 | cell));
  Check(codes.size() == 7445 + 19, "GB2312's codes and the nineteen vertical forms");
  Bytes out;
  char line[16];
  for (auto it = codes.begin(); it != codes.end();) {
    const uint16_t first = *it;
    uint16_t last = first;
    while (++it != codes.end() && *it == last + 1 && (*it >> 8) == (first >> 8)) last = *it;
    const int length = std::snprintf(line, sizeof line, "%04X-%04X\n", first, last);
    out.insert(out.end(), line, line + length);
  }
  std::printf("109 GB2312 codes: %zu in %zu runs\n", codes.size(), out.size() / 10);
  return out;
}

// The UTF-8 form of a character, for a list a person reviews.
std::string Utf8(char16_t u) {
  std::string out;
  if (u < 0x80) {
    out += char(u);
  } else if (u < 0x800) {
    out += char(0xC0 | u >> 6);
    out += char(0x80 | (u & 0x3F));
  } else {
    out += char(0xE0 | u >> 12);
    out += char(0x80 | (u >> 6 & 0x3F));
    out += char(0x80 | (u & 0x3F));
  }
  return out;
}

uint16_t At(const Bytes& table, size_t index) {
  return uint16_t(table[2 * index] << 8 | table[2 * index + 1]);
}

// Which characters do not come back after a round trip through both
// tables: the price of many-to-one choices (髮 and 發 both give 发). Kept
// beside the tables so that a change of the chain shows as a reviewed diff.
Bytes ListIrreversible(const Inputs& in, const Bytes& big5ToGb, const Bytes& gbToBig5) {
  auto gbOf = [&](uint16_t big5) {
    return At(big5ToGb, size_t((big5 >> 8) - 0xA1) * 191 + ((big5 & 0xFF) - 0x40));
  };
  auto big5Of = [&](uint16_t gb) {
    const unsigned lead = gb >> 8, row = lead <= 0xA9 ? lead + 6 : lead;
    return At(gbToBig5, size_t(row - 0xA7) * 94 + ((gb & 0xFF) - 0xA1));
  };
  auto name = [](const CodePage& page, uint16_t code) {
    const auto u = page.Decode(code);
    return u ? Utf8(*u) : std::string("?");
  };
  std::string text =
      "# Generated by tools/gentables: characters that do not survive a round trip\n"
      "# through tables 102 and 101. Do not edit.\n";
  int gbLost = 0, big5Lost = 0;
  char line[96];
  for (const uint16_t gb : in.gb2312) {
    const uint16_t big5 = big5Of(gb);
    // User-defined rows, and codes without a Big5 form, have nothing to lose.
    if (big5 >> 8 < 0xA1 || big5 >> 8 > 0xF9 || big5 == kBig5IdeographicSpace) continue;
    const uint16_t back = gbOf(big5);
    if (back == gb) continue;
    ++gbLost;
    std::snprintf(line, sizeof line, "GB2312 %04X -> Big5 %04X -> GB2312 %04X	", gb, big5, back);
    text += line + name(in.gbk, gb) + " " + name(in.big5, big5) + " " + name(in.gbk, back) + "\n";
  }
  for (unsigned lead = 0xA1; lead <= 0xF9; ++lead) {
    for (unsigned index = 0; index < 157; ++index) {
      const uint16_t big5 = uint16_t(lead << 8 | Big5TrailAt(index));
      if (!DecodeShared(in.big5, big5)) continue;
      const uint16_t gb = gbOf(big5);
      if (gb == kGbIdeographicSpace && big5 != kBig5IdeographicSpace) continue;  // unmapped
      const uint16_t back = big5Of(gb);
      if (back == big5) continue;
      ++big5Lost;
      std::snprintf(line, sizeof line, "Big5 %04X -> GB2312 %04X -> Big5 %04X	", big5, gb, back);
      text +=
          line + name(in.big5, big5) + " " + name(in.gbk, gb) + " " + name(in.big5, back) + "\n";
    }
  }
  std::printf("irreversible: %d GB2312 codes, %d Big5 codes\n", gbLost, big5Lost);
  return Bytes(text.begin(), text.end());
}

// The BMP characters of a UTF-8 line; nothing when it holds any other.
std::optional<std::u16string> DecodeUtf8(const std::string& text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    const auto c = uint8_t(text[i]);
    if (c < 0x80) {
      out += char16_t(c);
      ++i;
    } else if ((c & 0xE0) == 0xC0 && i + 1 < text.size()) {
      out += char16_t((c & 0x1F) << 6 | (text[i + 1] & 0x3F));
      i += 2;
    } else if ((c & 0xF0) == 0xE0 && i + 2 < text.size()) {
      out += char16_t((c & 0x0F) << 12 | (text[i + 1] & 0x3F) << 6 | (text[i + 2] & 0x3F));
      i += 3;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

// Phrase pairs "key<TAB>value" (UTF-8, OpenCC's chain applied to the key)
// as byte sequences: the key in the source code, the value in the target
// code. A pair is kept when the key is two or more double-byte characters,
// both sides can be written in their codes, and the value does not merely
// extend what the key's characters give. Lines "key<TAB>value<LF>", sorted
// by key.
Bytes BuildPhrases(const std::string& path, bool toSimplified, const Inputs& in,
                   const Bytes& characterTable) {
  auto inSource = [&](char16_t u) -> std::optional<uint16_t> {
    const auto code = toSimplified ? in.big5.Encode(u) : in.gbk.Encode(u);
    if (!code || *code < 0x100) return std::nullopt;
    if (toSimplified ? !DecodeShared(in.big5, *code) : !in.gb2312.count(*code)) return std::nullopt;
    return code;
  };
  auto inTarget = [&](char16_t u) -> std::optional<uint16_t> {
    const auto code = toSimplified ? in.gbk.Encode(u) : in.big5.Encode(u);
    if (!code || *code < 0x100) return std::nullopt;
    if (toSimplified ? !in.gb2312.count(*code) : !DecodeShared(in.big5, *code)) return std::nullopt;
    return code;
  };
  auto byCharacter = [&](uint16_t code) {
    const unsigned lead = code >> 8, trail = code & 0xFF;
    if (toSimplified) return At(characterTable, (lead - 0xA1) * 191 + (trail - 0x40));
    const unsigned row = lead <= 0xAF ? lead + 6 : lead;
    return At(characterTable, (row - 0xA7) * 94 + (trail - 0xA1));
  };
  std::ifstream file(path);
  Check(bool(file), "cannot read " + path);
  // Strings, not Bytes: they order the same (as unsigned bytes), and g++ 12
  // at -O3 warns falsely on comparing vectors of bytes.
  std::map<std::string, std::string> phrases;
  size_t lines = 0, lengthening = 0;
  for (std::string line; std::getline(file, line);) {
    ++lines;
    const size_t tab = line.find('\t');
    Check(tab != std::string::npos, "a phrase line without a tab in " + path);
    const auto key = DecodeUtf8(line.substr(0, tab)), value = DecodeUtf8(line.substr(tab + 1));
    if (!key || !value || key->size() < 2 || value->empty()) continue;
    Bytes keyBytes, valueBytes, plain;
    bool writable = true;
    for (const char16_t u : *key) {
      const auto code = inSource(u);
      if (!(writable = code.has_value())) break;
      PutCode(keyBytes, *code);
      PutCode(plain, byCharacter(*code));
    }
    for (const char16_t u : *value) {
      if (!writable) break;
      const auto code = inTarget(u);
      if (!(writable = code.has_value())) break;
      PutCode(valueBytes, *code);
    }
    if (!writable) continue;
    // A value that only lengthens the key's own characters (烏茲別克 →
    // 乌兹别克斯坦) doubles the tail wherever the text already holds it
    // (烏茲別克斯坦 → 乌兹别克斯坦斯坦).
    if (valueBytes.size() > plain.size() &&
        std::equal(plain.begin(), plain.end(), valueBytes.begin())) {
      ++lengthening;
      continue;
    }
    // Kept even where the value is what the characters give: in longest
    // match such a key stops a shorter one firing inside it (集合中 is not
    // 集 + 合中).
    phrases.emplace(std::string(keyBytes.begin(), keyBytes.end()),
                    std::string(valueBytes.begin(), valueBytes.end()));
  }
  Bytes out;
  for (const auto& [key, value] : phrases) {
    out.insert(out.end(), key.begin(), key.end());
    out.push_back('\t');
    out.insert(out.end(), value.begin(), value.end());
    out.push_back('\n');
  }
  std::printf("%s phrases: %zu of %zu kept, %zu that only lengthen the key dropped\n",
              toSimplified ? "Big5->GB2312" : "GB2312->Big5", phrases.size(), lines, lengthening);
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
  if (argc != 11) {
    std::cerr << "usage: gentables OUT_DIR TSCharacters.txt STCharacters.txt "
                 "Unihan_IRGSources.txt special_symbols.txt TWVariants.txt TWVariantsRev.txt "
                 "Unihan_Variants.txt t2s.phrases s2t.phrases\n";
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
    in.toTaiwan = ReadCharacterDictionary(argv[6]);
    in.fromTaiwan = ReadCharacterDictionary(argv[7]);
    in.unihan = ReadUnihanVariants(argv[8]);
    const std::string dir = argv[1];
    const Bytes big5ToGb = BuildBig5ToGb2312(in), gbToBig5 = BuildGb2312ToBig5(in);
    Write(dir + "/101-big5-to-gb2312.bin", big5ToGb);
    Write(dir + "/102-gb2312-to-big5.bin", gbToBig5);
    Write(dir + "/irreversible.txt", ListIrreversible(in, big5ToGb, gbToBig5));
    Write(dir + "/103-gbk-unicode-big5.txt", BuildGbkUnicodeBig5(in));
    Write(dir + "/104-big5-to-cns-plane2.bin", BuildBig5ToCns(in));
    Write(dir + "/105-symbols.txt", BuildSpecialSymbols(in));
    Write(dir + "/106-phrases-big5-to-gb2312.txt", BuildPhrases(argv[9], true, in, big5ToGb));
    Write(dir + "/107-phrases-gb2312-to-big5.txt", BuildPhrases(argv[10], false, in, gbToBig5));
    Write(dir + "/108-gbk-unicode-aliases.txt", BuildGbkUnicodeAliases(in));
    Write(dir + "/109-gb2312-codes.txt", BuildGb2312Codes(in));
  } catch (const std::exception& e) {
    std::cerr << "gentables: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
