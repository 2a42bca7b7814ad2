// SPDX-License-Identifier: Apache-2.0
// The types the engine's tables are made of, shared by the engine's front
// class, its table builders and its form check: none of them needs the
// others to name a table.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace marlo {

// A 256 × 256 table indexed by (first byte << 8) | second byte; an entry
// holds a two-byte code, first byte in the high half, 0 for nothing.
using CodeTable = std::array<uint16_t, 256 * 256>;

struct CodeTables {
  CodeTable BigToGBTable;  // Big5 lead 0xA1..0xFE, trail 0x40..0xFE → GB2312
  CodeTable GBToBigTable;  // stored row 0xA7..0xFE, cell 0xA1..0xFE → Big5
  CodeTable GbkToBigTable;
  CodeTable UscToBigTable;
  CodeTable BigToGbkTable;
  CodeTable BigToUscTable;
  CodeTable GbkToUscTable;
  CodeTable UscToGbkTable;
};

// One line of the special-symbol table, as bytes.
struct SpecialSymbol {
  std::string Symbol;
  std::string Column2;
  std::string Column3;
  std::string Column4;
};

// The source codes the form check knows.
enum class SourceCode : uint8_t { kGb2312, kGbk, kBig5, kUcs, kUtf8 };

}  // namespace marlo
