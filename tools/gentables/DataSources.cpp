// SPDX-License-Identifier: Apache-2.0
#include "DataSources.h"

#include <iconv.h>
#include <unicode/ucnv.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace gentables {

namespace {

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error(what); }

std::ifstream OpenInput(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("cannot open input " + path);
  return in;
}

// Decodes exactly one UTF-8 encoded BMP character; nothing if the text is
// anything else (several characters, or a supplementary one).
std::optional<char16_t> SingleBmpCharacter(const std::string& utf8) {
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  const size_t n = utf8.size();
  if (n == 1 && s[0] < 0x80) return s[0];
  if (n == 2 && (s[0] & 0xE0) == 0xC0) return char16_t(((s[0] & 0x1F) << 6) | (s[1] & 0x3F));
  if (n == 3 && (s[0] & 0xF0) == 0xE0)
    return char16_t(((s[0] & 0x0F) << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F));
  return std::nullopt;
}

}  // namespace

bool IsPrivateUse(char16_t u) { return u >= 0xE000 && u <= 0xF8FF; }

struct CodePage::Converter {
  UConverter* handle = nullptr;
};

CodePage::CodePage(const char* icuName) : converter_(std::make_unique<Converter>()) {
  UErrorCode error = U_ZERO_ERROR;
  converter_->handle = ucnv_open(icuName, &error);
  if (U_FAILURE(error)) Fail(std::string("ICU has no converter ") + icuName);
  ucnv_setToUCallBack(converter_->handle, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                      &error);
  ucnv_setFromUCallBack(converter_->handle, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &error);
  ucnv_setFallback(converter_->handle, false);
  if (U_FAILURE(error)) Fail(std::string("cannot set up converter ") + icuName);
}

CodePage::~CodePage() { ucnv_close(converter_->handle); }

std::optional<char16_t> CodePage::Decode(uint16_t code) const {
  const char in[2] = {char(code >> 8), char(code & 0xFF)};
  UChar out[4];
  UErrorCode error = U_ZERO_ERROR;
  ucnv_reset(converter_->handle);
  const int32_t n = ucnv_toUChars(converter_->handle, out, 4, in, 2, &error);
  if (U_FAILURE(error) || n != 1) return std::nullopt;
  return char16_t(out[0]);
}

std::optional<uint16_t> CodePage::Encode(char16_t u) const {
  const UChar in = u;
  unsigned char out[4];
  UErrorCode error = U_ZERO_ERROR;
  ucnv_reset(converter_->handle);
  const int32_t n =
      ucnv_fromUChars(converter_->handle, reinterpret_cast<char*>(out), 4, &in, 1, &error);
  if (U_FAILURE(error) || n != 2) return std::nullopt;
  return uint16_t(out[0] << 8 | out[1]);
}

std::map<uint16_t, char16_t> Gb2312Decodings() {
  iconv_t cd = iconv_open("UCS-2BE", "GB2312");
  if (cd == iconv_t(-1)) Fail("glibc has no GB2312 converter");
  std::map<uint16_t, char16_t> codes;
  for (unsigned lead = 0xA1; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      char in[2] = {char(lead), char(trail)};
      unsigned char out[8];
      char* inPtr = in;
      char* outPtr = reinterpret_cast<char*>(out);
      size_t inLeft = 2, outLeft = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1) && inLeft == 0 &&
          outLeft == sizeof out - 2)
        codes[uint16_t(lead << 8 | trail)] = char16_t(out[0] << 8 | out[1]);
    }
  }
  iconv_close(cd);
  return codes;
}

std::set<uint16_t> Gb2312AssignedCodes() {
  std::set<uint16_t> codes;
  for (const auto& [code, unicode] : Gb2312Decodings()) codes.insert(code);
  return codes;
}

std::map<char16_t, std::vector<char16_t>> ReadCharacterDictionary(const std::string& path) {
  std::ifstream in = OpenInput(path);
  std::map<char16_t, std::vector<char16_t>> dictionary;
  std::string line;
  while (std::getline(in, line)) {
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) Fail("malformed dictionary line in " + path + ": " + line);
    const auto key = SingleBmpCharacter(line.substr(0, tab));
    if (!key) continue;
    std::istringstream candidates(line.substr(tab + 1));
    std::string candidate;
    auto& list = dictionary[*key];
    while (candidates >> candidate)
      if (const auto c = SingleBmpCharacter(candidate)) list.push_back(*c);
  }
  if (dictionary.empty()) Fail("empty dictionary " + path);
  return dictionary;
}

std::map<char16_t, uint16_t> ReadCnsPlane2Sources(const std::string& path) {
  std::ifstream in = OpenInput(path);
  std::map<char16_t, uint16_t> sources;
  std::string line;
  while (std::getline(in, line)) {
    // U+4E42<TAB>kIRG_TSource<TAB>T2-2121
    std::istringstream fields(line);
    std::string codePoint, field, value;
    if (!(fields >> codePoint >> field >> value) || field != "kIRG_TSource") continue;
    if (value.size() != 7 || value.compare(0, 3, "T2-") != 0) continue;
    const unsigned long u = std::stoul(codePoint.substr(2), nullptr, 16);
    if (u > 0xFFFF) continue;
    sources[char16_t(u)] = uint16_t(std::stoul(value.substr(3), nullptr, 16));
  }
  if (sources.empty()) Fail("no T2 sources in " + path);
  return sources;
}

std::map<std::string, VariantField> ReadUnihanVariants(const std::string& path) {
  std::ifstream in = OpenInput(path);
  std::map<std::string, VariantField> fields;
  std::string line;
  while (std::getline(in, line)) {
    // U+4E3A<TAB>kTraditionalVariant<TAB>U+70BA U+7232
    if (line.empty() || line[0] == '#') continue;
    std::istringstream parts(line);
    std::string codePoint, field, value;
    if (!(parts >> codePoint >> field) || codePoint.compare(0, 2, "U+") != 0) continue;
    const unsigned long u = std::stoul(codePoint.substr(2), nullptr, 16);
    if (u > 0xFFFF) continue;
    auto& variants = fields[field][char16_t(u)];
    while (parts >> value) {
      if (value.compare(0, 2, "U+") != 0) continue;
      const unsigned long v = std::stoul(value.substr(2), nullptr, 16);  // stops at "<"
      if (v <= 0xFFFF) variants.push_back(char16_t(v));
    }
  }
  if (fields.empty()) Fail("no variants in " + path);
  return fields;
}

std::vector<SpecialSymbol> ReadSpecialSymbols(const std::string& path) {
  std::ifstream in = OpenInput(path);
  std::vector<SpecialSymbol> symbols;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    size_t index;
    std::string symbol, gbCode, replacement;
    if (!(fields >> index >> symbol >> gbCode >> replacement) || index != symbols.size())
      Fail("malformed special symbol line: " + line);
    SpecialSymbol record{
        uint16_t(std::stoul(symbol, nullptr, 16)), uint16_t(std::stoul(gbCode, nullptr, 16)), {}};
    if (replacement.front() == '"') {
      record.replacement = replacement.substr(1, replacement.size() - 2);
    } else if (replacement != "-") {
      for (size_t i = 0; i + 1 < replacement.size(); i += 2)
        record.replacement.push_back(char(std::stoul(replacement.substr(i, 2), nullptr, 16)));
    }
    symbols.push_back(record);
  }
  return symbols;
}

}  // namespace gentables
