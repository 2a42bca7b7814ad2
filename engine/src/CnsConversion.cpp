// SPDX-License-Identifier: Apache-2.0
// The pair rules of Big5 → CNS 11643.
#include "engine/src/BakedTables.h"

namespace marlo {

namespace {

// Position of a valid trail byte in Big5 order (0..156).
unsigned Big5TrailIndex(uint8_t b) { return b <= 0x7E ? b - 0x40u : b - 0xA1u + 63; }

uint16_t Pair(unsigned first, unsigned second) {
  return uint16_t((first & 0xFF) << 8 | (second & 0xFF));
}

// Plane 1 by arithmetic: count Big5 cells from a starting code, lay them out
// 94 to a CNS row, then correct the ranges where the two orders part.
uint16_t BigToCNSCalc(uint8_t lead, uint8_t trail) {
  const unsigned x = unsigned(lead) << 8 | trail;
  const bool level1 = x >= 0xA440;
  const unsigned startLead = level1 ? 0xA4 : 0xA1;
  const unsigned startRow = level1 ? 0x44 : 0x21;
  const unsigned n = (lead - startLead) * 157 + Big5TrailIndex(trail);
  const uint16_t p = uint16_t((startRow + n / 94) << 8 | (0x21 + n % 94));

  uint16_t r;
  if (x >= 0xA2AF && x <= 0xA2DE)
    r = uint16_t(p + 0xD2);
  else if (x >= 0xA2DF && x <= 0xA3BF)
    r = uint16_t(p + 0x30);
  else if (x >= 0xAD40 && x <= 0xAFCF)
    r = uint16_t(p - 1);
  else if (x == 0xACFE)
    r = 0x5753;
  else if (x == 0xBE52)
    r = 0x6B50;
  else if (x >= 0xBBC8 && x <= 0xBE51)
    r = uint16_t(p + 1);
  else if (x == 0xC2CB)
    r = 0x7535;
  else if (x >= 0xC1AB && x <= 0xC2CA)
    r = uint16_t(p + 1);
  else if (x == 0xC456)
    r = 0x782D;
  else if (x == 0xC3BA)
    r = p;
  else if (x == 0xC3B9)
    r = uint16_t(p + 2);
  else if (x >= 0xC361 && x <= 0xC455)
    r = uint16_t(p + 1);
  else
    r = p;

  // A correction can step off the row's 94 cells: land on a real cell.
  if ((r & 0xFF) > 0x7E)
    r = uint16_t(((r >> 8) + 1) << 8 | 0x21);
  else if ((r & 0xFF) < 0x21)
    r = uint16_t((r & 0xFF00) | 0x21);
  return Pair((r >> 8) + 0x80, (r & 0xFF) + 0x80);
}

// Plane 2 from the Big5 → CNS table; a hole gives two zero bytes.
uint16_t BigToCNSTable(std::span<const uint8_t> cnsData, uint8_t lead, uint8_t trail) {
  const size_t record = size_t(lead - 0xC9) * 157 + Big5TrailIndex(trail);
  if (2 * record + 1 >= cnsData.size()) return 0;
  return Pair(cnsData[2 * record], cnsData[2 * record + 1]);
}

// The first block of the Big5 user-defined area has a fixed place in CNS.
uint16_t BigToCNSExtra(uint8_t /*lead*/, uint8_t trail) { return Pair(0xAB, trail - 0x11u); }

}  // namespace

void FillBigToCnsPairs(std::span<const uint8_t> cnsData, CodeTable& pairs) {
  pairs.fill(Pair(0xA1, 0xA1));  // the CNS ideographic space: no CNS code
  for (unsigned index = 0; index < 157; ++index) {
    const uint8_t trail = uint8_t(index < 63 ? 0x40 + index : 0xA1 + index - 63);
    for (unsigned lead = 0xA1; lead <= 0xC6; ++lead)
      pairs[lead << 8 | trail] = BigToCNSCalc(uint8_t(lead), trail);
    for (unsigned lead = 0xC9; lead <= 0xF2; ++lead)
      pairs[lead << 8 | trail] = BigToCNSTable(cnsData, uint8_t(lead), trail);
  }
  for (unsigned trail = 0x40; trail <= 0x5F; ++trail)
    pairs[0xFA00 | trail] = BigToCNSExtra(0xFA, uint8_t(trail));
}

}  // namespace marlo
