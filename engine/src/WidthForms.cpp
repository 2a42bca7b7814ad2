// SPDX-License-Identifier: Apache-2.0
#include "engine/src/WidthForms.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/ByteForms.h"
#include "engine/src/ByteScan.h"

namespace marlo::width {

void PrepareWidening(const uint16_t* widened, const std::array<uint16_t, 128>& fullWidth,
                     scan::WideningLookups& lookups) {
  lookups.wide = widened;
  for (unsigned c = 0; c < 256; ++c) lookups.lengths[c] = c < 0x80 && fullWidth[c] == 0 ? 1 : 2;
  lookups.twoByteBits = {};
  std::array<uint8_t, 16> firstBefore{}, secondBefore{};
  for (unsigned row = 0; row < 8; ++row) {
    for (unsigned column = 0; column < 16; ++column) {
      const unsigned c = row * 16 + column;
      const uint8_t single[2] = {uint8_t(c), 0};
      uint8_t code[2];
      scan::TranslatePair(single, code, widened);
      lookups.firstRows[row][column] = code[0] ^ firstBefore[column];
      lookups.secondRows[row][column] = code[1] ^ secondBefore[column];
      firstBefore[column] = code[0];
      secondBefore[column] = code[1];
      if (lookups.lengths[c] == 2) lookups.twoByteBits[column] |= uint8_t(1 << row);
    }
  }
}

size_t WidenAndScan(std::string_view text, const std::array<uint16_t, 128>& fullWidth,
                    const uint16_t* table, const uint64_t* converted, const uint16_t* widened,
                    int& pending, bool flush, uint8_t* out, uint64_t& replaced) {
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  const size_t n = text.size();
  uint8_t* o = out;
  scan::WideningLookups lookups;
  PrepareWidening(widened, fullWidth, lookups);
  // A local copy: the stores through o could otherwise alias it, and every
  // byte would reload it.
  int waiting = pending;
  // One byte of the widened text into the table scan: a byte 0x01..0x7E is
  // single, any other waits for the next byte to form a pair.
  auto emit = [&](uint8_t b) {
    if (waiting >= 0) {
      const uint8_t pair[2] = {uint8_t(waiting), b};
      replaced += scan::TranslateCountingPair(pair, o, table, converted);
      o += 2;
      waiting = -1;
    } else if (IsSingleByte(b)) {
      *o++ = b;
    } else {
      waiting = b;
    }
  };
  size_t i = 0;
  while (i < n) {
    // Ordinary text goes by whole blocks, where nothing can wait.
    if (waiting < 0) {
      size_t written = 0;
      const size_t read = scan::Fastest().widenBlocks(s + i, n - i, o, lookups, written);
      // There every byte 0x81..0xFE starts a pair, as the check reads them,
      // and no byte 0x80 or 0xFF stands alone: its missing pairs are the
      // replaced ones.
      uint64_t characters = 0, missing = 0;
      const size_t counted =
          scan::Fastest().checkBlocks(s + i, read, converted, characters, missing);
      replaced += missing + scan::CountReplaced(s + i + counted, read - counted,
                                                CharacterParse::kWidening, converted);
      i += read;
      o += written;
    }
    // The rest of a block that stopped them, a byte at a time.
    const size_t limit = std::min(n, i + 64);
    while (i < limit) {
      // While no byte waits, both scans agree on every character start: a
      // pair, a widened byte and a single byte go straight out.
      while (waiting < 0 && i < limit) {
        const uint8_t c = s[i];
        if (c < 0x80 && fullWidth[c] != 0) {
          const uint8_t single[2] = {c, 0};  // the byte after may lie past the end
          scan::TranslatePair(single, o, widened);
          o += 2;
          ++i;
        } else if (IsDoubleByteLead(c) && i + 1 < n) {
          replaced += scan::TranslateCountingPair(s + i, o, table, converted);
          o += 2;
          i += 2;
        } else if (IsSingleByte(c)) {
          *o++ = c;
          ++i;
        } else {
          break;
        }
      }
      if (i >= limit) break;
      // A byte that makes the table scan wait, or the characters after one.
      const uint8_t c = s[i];
      const bool lead = IsDoubleByteLead(c) && i + 1 < n;
      const uint16_t wide = c < 0x80 ? fullWidth[c] : 0;
      if (lead) {
        emit(c);
        emit(s[i + 1]);
        i += 2;
      } else if (wide) {
        emit(uint8_t(wide >> 8));
        emit(uint8_t(wide & 0xFF));
        ++i;
      } else {
        emit(c);
        ++i;
      }
    }
  }
  if (flush && waiting >= 0) {  // the scan copies a last byte without a partner
    *o++ = uint8_t(waiting);
    waiting = -1;
  }
  pending = waiting;
  return size_t(o - out);
}

size_t NarrowUnicodeInto(std::string_view usc, uint8_t* out) {
  const auto* s = reinterpret_cast<const uint8_t*>(usc.data());
  const size_t n = usc.size();
  uint8_t* o = out;
  size_t i = 0;
  while (i + 1 < n) {
    const uint8_t a = s[i];
    if (IsSingleByte(a)) {
      *o++ = a;
      ++i;
      continue;
    }
    const uint16_t unit = uint16_t(a << 8 | s[i + 1]);
    if (unit >= kFullWidthExclamation && unit <= kFullWidthExclamation + 0x5D) {
      *o++ = uint8_t(0x21 + unit - kFullWidthExclamation);
    } else {
      *o++ = a;
      *o++ = s[i + 1];
    }
    i += 2;
  }
  if (i < n) *o++ = s[i];
  return size_t(o - out);
}

std::string NarrowUnicode(std::string_view usc) {
  std::string out(usc.size(), '\0');
  out.resize(NarrowUnicodeInto(usc, reinterpret_cast<uint8_t*>(out.data())));
  return out;
}

}  // namespace marlo::width
