// SPDX-License-Identifier: Apache-2.0
// Half-width ⇄ full-width on bytes. Engine-internal.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/ConvMarlo.h"
#include "engine/src/ByteScan.h"

namespace marlo::width {

// U+FF01..U+FF5E mirror the ASCII bytes 0x21..0x7E; U+3000 is the wide space.
inline constexpr uint16_t kFullWidthExclamation = 0xFF01;
inline constexpr uint16_t kIdeographicSpace = 0x3000;

// Widening followed by the table scan (ScanByTable, native table), in one pass: the
// bytes of the two-step composition, without the widened text in between.
// widened is the table made by FillWidenedScanTable (BakedTables.h) from
// the two. pending
// carries the table scan's byte that waits for a partner from one piece to
// the next (-1 for none); text must end at a character start of the
// widening, unless flush, which ends the text. out needs room for
// 2 * text.size() + 1 bytes. Adds to replaced the pairs whose bit in
// converted (the table's, by native index) is clear. Returns the output
// length.
size_t WidenAndScan(std::string_view text, const std::array<uint16_t, 128>& fullWidth,
                    const uint16_t* table, const uint64_t* converted, const uint16_t* widened,
                    int& pending, bool flush, uint8_t* out, uint64_t& replaced);

// The block widening's lookups for the widened table and the full-width
// codes it was made from.
void PrepareWidening(const uint16_t* widened, const std::array<uint16_t, 128>& fullWidth,
                     scan::WideningLookups& lookups);

// Replaces each unit 0xFF01..0xFF5E of the Unicode byte form by the single
// byte 0x21..0x7E.
std::string NarrowUnicode(std::string_view usc);
// The same into a buffer of at least usc.size() bytes; returns the length.
size_t NarrowUnicodeInto(std::string_view usc, uint8_t* out);

}  // namespace marlo::width
