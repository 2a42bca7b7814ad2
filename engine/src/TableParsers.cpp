// SPDX-License-Identifier: Apache-2.0
#include "engine/src/TableParsers.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace marlo {

namespace {

constexpr size_t kGbkUnicodeBig5Lines = 23940;
constexpr uint16_t kBig5IdeographicSpace = 0xA140;

[[noreturn]] void Malformed(int id, const std::string& why) {
  throw std::runtime_error("code table " + std::to_string(id) + " is malformed: " + why);
}

// Fills table[row << 8 | cell] from consecutive two-byte records.
void FillRecords(std::span<const uint8_t> resource, int id, unsigned firstRow, unsigned lastRow,
                 unsigned firstCell, unsigned lastCell, CodeTable& table) {
  const size_t records = size_t(lastRow - firstRow + 1) * (lastCell - firstCell + 1);
  if (resource.size() < 2 * records) Malformed(id, "too short");
  size_t p = 0;
  for (unsigned row = firstRow; row <= lastRow; ++row) {
    for (unsigned cell = firstCell; cell <= lastCell; ++cell, p += 2)
      table[row << 8 | cell] = uint16_t(resource[p] << 8 | resource[p + 1]);
  }
}

// The bytes from p up to the next CR LF; p moves past the CR LF.
std::string_view NextLine(std::span<const uint8_t> resource, size_t& p, int id) {
  const size_t start = p;
  while (p + 1 < resource.size() && !(resource[p] == '\r' && resource[p + 1] == '\n')) ++p;
  if (p + 1 >= resource.size()) Malformed(id, "a line has no end");
  const std::string_view line(reinterpret_cast<const char*>(resource.data()) + start, p - start);
  p += 2;
  return line;
}

uint16_t HexCode(std::string_view line, size_t at, int id) {
  uint16_t value = 0;
  for (size_t k = at; k < at + 4; ++k) {
    const char c = line[k];
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = unsigned(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = unsigned(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = unsigned(c - 'a' + 10);
    } else {
      Malformed(id, "not a hexadecimal code: " + std::string(line));
    }
    value = uint16_t(unsigned(value) << 4 | unsigned(digit));
  }
  return value;
}

// A column ends at the first '-' or space; neither can be a Big5 trail byte,
// so scanning bytes finds the same ends as scanning characters.
std::string Column(std::string_view line, int n) {
  size_t at = 0;
  for (int found = 0; found < n; ++found) {
    at = line.find(' ', found == 0 ? 0 : at + 1);
    if (at == std::string_view::npos) return {};
  }
  const size_t start = at + 1;
  const size_t end = line.find_first_of("- ", start);
  if (end == std::string_view::npos) return {};
  return std::string(line.substr(start, end - start));
}

// The first character: a lead byte 0x81..0xFE and the byte after it, or one byte.
std::string FirstCharacter(std::string_view line) {
  if (line.empty()) return {};
  const size_t length =
      uint8_t(line[0]) >= 0x81 && uint8_t(line[0]) <= 0xFE && line.size() >= 2 ? 2 : 1;
  return std::string(line.substr(0, length));
}

}  // namespace

void FillBig5ToGbTable(std::span<const uint8_t> resource, CodeTable& table) {
  FillRecords(resource, 101, 0xA1, 0xFE, 0x40, 0xFE, table);
}

void FillGbToBig5Table(std::span<const uint8_t> resource, CodeTable& table) {
  FillRecords(resource, 102, 0xA7, 0xFE, 0xA1, 0xFE, table);
}

void FillGbkUnicodeBig5Tables(std::span<const uint8_t> resource, CodeTables& tables) {
  size_t p = 0;
  for (size_t n = 0; n < kGbkUnicodeBig5Lines; ++n) {
    const std::string_view line = NextLine(resource, p, 103);
    if (line.size() != 12 && line.size() != 20) Malformed(103, "line of odd length");
    const uint16_t gbk = HexCode(line, 0, 103);
    const uint16_t unicode = HexCode(line, 8, 103);
    // A character without a Big5 code converts to the Big5 ideographic space.
    const bool hasBig5 = line.size() == 20;
    const uint16_t big5 = hasBig5 ? HexCode(line, 16, 103) : kBig5IdeographicSpace;
    tables.GbkToBigTable[gbk] = big5;
    tables.UscToBigTable[unicode] = big5;
    if (hasBig5) {
      tables.BigToGbkTable[big5] = gbk;
      tables.BigToUscTable[big5] = unicode;
    }
    tables.GbkToUscTable[gbk] = unicode;
    tables.UscToGbkTable[unicode] = gbk;
  }
}

std::vector<SpecialSymbol> ParseSpecialSymbols(std::span<const uint8_t> resource, int32_t& count) {
  if (resource.empty()) Malformed(105, "empty");
  count = static_cast<int32_t>((resource.size() - 1) / 29);
  std::vector<SpecialSymbol> symbols;
  symbols.reserve(size_t(count) + 1);
  size_t p = 0;
  for (int32_t i = 0; i <= count; ++i) {
    const std::string_view line = NextLine(resource, p, 105);
    symbols.push_back({FirstCharacter(line), Column(line, 1), Column(line, 2), Column(line, 3)});
  }
  return symbols;
}

}  // namespace marlo
