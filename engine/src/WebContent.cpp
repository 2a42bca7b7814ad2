// SPDX-License-Identifier: Apache-2.0
#include <charconv>

#include "engine/ConvMarlo.h"

namespace marlo {

namespace {

// The units a reader sees as text; the other control units are dropped.
bool IsReported(unsigned unit) {
  return unit >= 128 || (unit >= 32 && unit <= 126) || unit == 8 || unit == 9 || unit == 10 ||
         unit == 13;
}

}  // namespace

std::string ConvMarlo::USCToWebContent(const std::shared_ptr<ConvResult>& USCResult) const {
  if (!USCResult) return {};
  const std::string_view values = USCResult->byteResults()->Values();
  const size_t n = values.size();
  // A reported unit takes two bytes and gives at most 8 characters; only an
  // odd last byte gives one more reference.
  std::string out(4 * n + 8, '\0');
  char* o = out.data();
  // A unit is formed from the byte at i and the one after it. At an odd last
  // byte there is no byte after it: the low half of the previous unit stands
  // in, or nothing when there was no previous unit.
  int lowHalf = -1;
  size_t i = 0;
  while (i < n) {
    const unsigned high = uint8_t(values[i]);
    if (i + 1 < n) lowHalf = uint8_t(values[i + 1]);
    const unsigned unit = lowHalf < 0 ? high : (high << 8 | unsigned(lowHalf));
    if (!IsReported(unit)) {
      ++i;  // the dropped unit's low byte starts the next one
      continue;
    }
    *o++ = '&';
    *o++ = '#';
    o = std::to_chars(o, o + 5, unit).ptr;
    *o++ = ';';
    i += 2;
  }
  out.resize(size_t(o - out.data()));
  return out;
}

}  // namespace marlo
