// SPDX-License-Identifier: Apache-2.0
#include "engine/src/WidthForms.h"

#include <cstring>

#include "engine/ByteForms.h"
#include "engine/src/ByteScan.h"

namespace marlo::width {

size_t WidenAndScan(std::string_view text, const std::array<uint16_t, 128>& fullWidth,
                    const uint16_t* table, int& pending, bool flush, uint8_t* out) {
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  const size_t n = text.size();
  uint8_t* o = out;
  // What a widened byte comes out as once its code has been through the
  // table, ready to store: one lookup per byte instead of two.
  std::array<uint16_t, 128> widened{};
  for (size_t c = 0; c < 128; ++c) {
    const uint8_t pair[2] = {uint8_t(fullWidth[c] >> 8), uint8_t(fullWidth[c] & 0xFF)};
    if (fullWidth[c] != 0)
      scan::TranslatePair(pair, reinterpret_cast<uint8_t*>(&widened[c]), table);
  }
  // A local copy: the stores through o could otherwise alias it, and every
  // byte would reload it.
  int waiting = pending;
  // One byte of the widened text into the table scan: a byte 0x01..0x7E is
  // single, any other waits for the next byte to form a pair.
  auto emit = [&](uint8_t b) {
    if (waiting >= 0) {
      const uint8_t pair[2] = {uint8_t(waiting), b};
      scan::TranslatePair(pair, o, table);
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
    // While no byte waits, both scans agree on every character start: a
    // pair, a widened byte and a single byte go straight out.
    while (waiting < 0 && i < n) {
      const uint8_t c = s[i];
      if (c < 0x80 && fullWidth[c] != 0) {
        std::memcpy(o, &widened[c], 2);
        o += 2;
        ++i;
      } else if (IsDoubleByteLead(c) && i + 1 < n) {
        scan::TranslatePair(s + i, o, table);
        o += 2;
        i += 2;
      } else if (IsSingleByte(c)) {
        *o++ = c;
        ++i;
      } else {
        break;
      }
    }
    if (i == n) break;
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
