// SPDX-License-Identifier: Apache-2.0
#include "WidthForms.h"

#include <cstring>

#include "ByteScan.h"

namespace marlo::width {

namespace {

constexpr uint16_t kFullWidthExclamation = 0xFF01;  // U+FF01..U+FF5E mirror 0x21..0x7E

}  // namespace

namespace {

// Widens text[i, end) byte by byte, from a character start; returns where it
// stopped (end, or end + 1 when a pair straddles end).
uint8_t* WidenBytes(const uint8_t* s, size_t& i, size_t end, size_t n, uint8_t* o,
                    const std::array<uint16_t, 128>& fullWidth) {
  while (i < end) {
    const uint8_t c = s[i];
    if (c >= 0x81 && c <= 0xFE && i + 1 < n) {
      *o++ = c;
      *o++ = s[i + 1];
      i += 2;
    } else if (c < 0x80 && fullWidth[c] != 0) {
      *o++ = uint8_t(fullWidth[c] >> 8);
      *o++ = uint8_t(fullWidth[c] & 0xFF);
      ++i;
    } else {
      *o++ = c;
      ++i;
    }
  }
  return o;
}

// Calls block(i, end, widenable) for consecutive blocks that start at
// character starts, where widenable marks the bytes 0x20..0x7E standing at a
// character start. The last, shorter block comes with exact = false and
// must be walked byte by byte.
template <typename Block>
void ForEachBlock(const uint8_t* s, size_t n, Block block) {
  size_t i = 0;
  while (i + 64 <= n) {
    const uint64_t leads = scan::ByteRangeMask64(s + i, 0x81, 0xFE);
    const uint64_t starts = scan::PairStarts(leads);
    const uint64_t singles = ~(starts | starts << 1);
    const uint64_t widenable = scan::ByteRangeMask64(s + i, 0x20, 0x7E) & singles;
    // A pair whose lead byte ends the block is taken whole.
    const size_t end = (starts >> 63) && i + 65 <= n ? i + 65 : i + 64;
    block(i, end, widenable, true);
    i = end;
  }
  if (i < n) block(i, n, ~uint64_t(0), false);
}

}  // namespace

size_t WidenedSize(std::string_view text, const std::array<uint16_t, 128>& fullWidth) {
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  const size_t n = text.size();
  size_t widened = 0;
  ForEachBlock(s, n, [&](size_t i, size_t end, uint64_t widenable, bool exact) {
    if (exact) {
      for (; widenable != 0; widenable &= widenable - 1)
        widened += fullWidth[s[i + size_t(__builtin_ctzll(widenable))]] != 0;
      return;
    }
    for (size_t k = i; k < end; ++k) {
      const uint8_t c = s[k];
      if (c >= 0x81 && c <= 0xFE && k + 1 < n)
        ++k;
      else if (c < 0x80 && fullWidth[c] != 0)
        ++widened;
    }
  });
  return n + widened;
}

void WidenInto(std::string_view text, const std::array<uint16_t, 128>& fullWidth, uint8_t* o) {
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  const size_t n = text.size();
  ForEachBlock(s, n, [&](size_t i, size_t end, uint64_t widenable, bool exact) {
    if (!exact) {
      o = WidenBytes(s, i, end, n, o, fullWidth);
      return;
    }
    // Copy the stretches between widenable bytes whole.
    size_t from = i;
    for (; widenable != 0; widenable &= widenable - 1) {
      const size_t at = i + size_t(__builtin_ctzll(widenable));
      const uint16_t wide = fullWidth[s[at]];
      if (wide == 0) continue;
      std::memcpy(o, s + from, at - from);
      o += at - from;
      *o++ = uint8_t(wide >> 8);
      *o++ = uint8_t(wide & 0xFF);
      from = at + 1;
    }
    std::memcpy(o, s + from, end - from);
    o += end - from;
  });
}

std::string Widen(std::string_view text, const std::array<uint16_t, 128>& fullWidth) {
  std::string out(WidenedSize(text, fullWidth), '\0');
  WidenInto(text, fullWidth, reinterpret_cast<uint8_t*>(out.data()));
  return out;
}

size_t WidenAndScan(std::string_view text, const std::array<uint16_t, 128>& fullWidth,
                    const uint16_t* table, int& pending, bool flush, uint8_t* out) {
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  const size_t n = text.size();
  uint8_t* o = out;
  // One byte of the widened text into the table scan: a byte 0x01..0x7E is
  // single, any other waits for the next byte to form a pair.
  auto emit = [&](uint8_t b) {
    if (pending >= 0) {
      const uint8_t pair[2] = {uint8_t(pending), b};
      scan::TranslatePair(pair, o, table);
      o += 2;
      pending = -1;
    } else if (uint8_t(b - 1) < 0x7E) {
      *o++ = b;
    } else {
      pending = b;
    }
  };
  size_t i = 0;
  while (i < n) {
    const uint8_t c = s[i];
    const bool lead = c >= 0x81 && c <= 0xFE && i + 1 < n;
    const uint16_t wide = c < 0x80 ? fullWidth[c] : 0;
    if (pending < 0 && lead) {  // a pair, aligned: both scans agree
      scan::TranslatePair(s + i, o, table);
      o += 2;
      i += 2;
    } else if (pending < 0 && wide) {  // a widened byte: its code's pair
      const uint8_t pair[2] = {uint8_t(wide >> 8), uint8_t(wide & 0xFF)};
      scan::TranslatePair(pair, o, table);
      o += 2;
      ++i;
    } else if (lead) {  // after a byte that waits, the scans disagree
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
  if (flush && pending >= 0) {  // the scan copies a last byte without a partner
    *o++ = uint8_t(pending);
    pending = -1;
  }
  return size_t(o - out);
}

size_t NarrowUnicodeInto(std::string_view usc, uint8_t* out) {
  const auto* s = reinterpret_cast<const uint8_t*>(usc.data());
  const size_t n = usc.size();
  uint8_t* o = out;
  size_t i = 0;
  while (i + 1 < n) {
    const uint8_t a = s[i];
    if (a >= 0x01 && a <= 0x7E) {
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
