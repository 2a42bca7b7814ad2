// SPDX-License-Identifier: Apache-2.0
// Turn the embedded resources into the engine's lookup tables. Each throws
// std::runtime_error when a resource does not have its expected layout.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/CodeTables.h"

namespace marlo {

// Resource 101: rows for Big5 leads 0xA1..0xFE of 191 records (trails
// 0x40..0xFE), each record the GB2312 code, first byte first.
void FillBig5ToGbTable(std::span<const uint8_t> resource, CodeTable& table);

// Resource 102: rows 0xA7..0xFE of 94 records (cells 0xA1..0xFE), each
// record the Big5 code, first byte first.
void FillGbToBig5Table(std::span<const uint8_t> resource, CodeTable& table);

// Resource 103: 23,940 lines "GGGG    UUUU[    BBBB]" ending in CR LF.
void FillGbkUnicodeBig5Tables(std::span<const uint8_t> resource, CodeTables& tables);

// Resource 105: lines of four space-separated columns ending in CR LF; one
// record per line up to the trailing empty line. Sets count to the highest
// record index.
std::vector<SpecialSymbol> ParseSpecialSymbols(std::span<const uint8_t> resource, int32_t& count);

}  // namespace marlo
