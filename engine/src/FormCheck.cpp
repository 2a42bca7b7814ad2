// SPDX-License-Identifier: Apache-2.0
#include "engine/FormCheck.h"

#include "engine/src/BakedTables.h"
#include "engine/src/ByteScan.h"
#include "engine/src/FormTables.h"

namespace marlo {

size_t Utf8Sequence(const uint8_t* p, size_t n) {
  const unsigned b = p[0];
  size_t length;
  if (b >= 0xC2 && b <= 0xDF)
    length = 2;
  else if (b >= 0xE0 && b <= 0xEF)
    length = 3;
  else if (b >= 0xF0 && b <= 0xF4)
    length = 4;
  else
    return 0;
  if (length > n) return 0;
  for (size_t k = 1; k < length; ++k)
    if ((p[k] & 0xC0) != 0x80) return 0;
  if (b == 0xE0 && p[1] < 0xA0) return 0;   // overlong
  if (b == 0xED && p[1] >= 0xA0) return 0;  // surrogate
  if (b == 0xF0 && p[1] < 0x90) return 0;
  if (b == 0xF4 && p[1] >= 0x90) return 0;
  return length;
}

namespace {

// Walks the UTF-8 sequences from 0x80 up, handing each one's length (0 for
// an invalid byte) to visit until it returns false.
template <typename Visit>
void EachUtf8Sequence(const uint8_t* p, size_t n, Visit visit) {
  for (size_t i = 0; i < n;) {
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    const size_t length = Utf8Sequence(p + i, n - i);
    if (!visit(length)) return;
    i += length ? length : 1;
  }
}

}  // namespace

bool IsUtf8BeyondAscii(std::string_view bytes) {
  bool valid = true, beyondAscii = false;
  EachUtf8Sequence(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                   [&](size_t length) {
                     beyondAscii = true;
                     valid = length != 0;
                     return valid;
                   });
  return beyondAscii && valid;
}

CheckCount CountErrors(const ConvMarlo& engine, SourceCode code, std::string_view bytes) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t n = bytes.size();
  CheckCount count;
  if (code == SourceCode::kUcs) {
    for (size_t i = 0; i < n; ++count.characters) {
      if (IsSingleByte(p[i])) {
        ++i;
      } else if (i + 1 < n) {
        i += 2;
      } else {
        ++count.errors;  // an odd byte left at the end
        ++i;
      }
    }
    return count;
  }
  if (code == SourceCode::kUtf8) {
    EachUtf8Sequence(p, n, [&](size_t length) {
      ++count.characters;
      count.errors += length == 0;
      return true;
    });
    return count;
  }
  const uint64_t* held = FormTables::HeldPairs(engine, code);
  size_t i = scan::Fastest().checkBlocks(p, n, held, count.characters, count.errors);
  while (i < n) {
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    ++count.characters;
    if (!IsDoubleByteLead(p[i]) || i + 1 == n) {
      ++count.errors;
      ++i;
      continue;
    }
    const uint16_t index = NativePairIndex(p[i], p[i + 1]);
    count.errors += ~held[index / 64] >> (index % 64) & 1;
    i += 2;
  }
  return count;
}

}  // namespace marlo
