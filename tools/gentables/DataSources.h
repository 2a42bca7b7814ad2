// SPDX-License-Identifier: Apache-2.0
// Readers for the public data the code tables are generated from: ICU's code
// page converters, glibc's GB2312 converter, OpenCC's character dictionaries
// (as text dumps) and Unihan's IRG source field.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace gentables {

bool IsPrivateUse(char16_t u);

// One ICU converter, used strictly: no substitution, no fallback mappings.
class CodePage {
 public:
  explicit CodePage(const char* icuName);
  ~CodePage();
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;

  // The single BMP character a two-byte code decodes to, if any.
  std::optional<char16_t> Decode(uint16_t code) const;
  // The two-byte code a character encodes to round-trip, if any.
  std::optional<uint16_t> Encode(char16_t u) const;

 private:
  struct Converter;
  std::unique_ptr<Converter> converter_;
};

// Every two-byte code that glibc's GB2312 converter assigns, and the
// character it decodes that code to.
std::map<uint16_t, char16_t> Gb2312Decodings();
std::set<uint16_t> Gb2312AssignedCodes();

// Character dictionary dumped by `opencc_dict -t text`: "key<TAB>cand1 cand2…".
// Only single-character keys and candidates are kept.
std::map<char16_t, std::vector<char16_t>> ReadCharacterDictionary(const std::string& path);

// Unihan kIRG_TSource values of the form "T2-RRCC": code point → 0xRRCC.
std::map<char16_t, uint16_t> ReadCnsPlane2Sources(const std::string& path);

// Unihan_Variants.txt: for each of the named fields, code point → its
// variants in the order listed ("U+8457<kMatthews" gives U+8457). Only BMP
// characters are kept.
using VariantField = std::map<char16_t, std::vector<char16_t>>;
std::map<std::string, VariantField> ReadUnihanVariants(const std::string& path);

struct SpecialSymbol {
  uint16_t symbol;
  uint16_t gbCode;
  std::string replacement;  // raw Big5 bytes or ASCII; empty for none
};
std::vector<SpecialSymbol> ReadSpecialSymbols(const std::string& path);

}  // namespace gentables
