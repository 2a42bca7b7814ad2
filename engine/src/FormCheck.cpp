// SPDX-License-Identifier: Apache-2.0
#include "engine/FormCheck.h"

#include "engine/src/FormTables.h"

namespace marlo {

namespace {

// Big5's second bytes: the ranges its tables are made of.
bool IsBig5Trail(unsigned t) { return (t >= 0x40 && t <= 0x7E) || (t >= 0xA1 && t <= 0xFE); }

}  // namespace

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

CheckCount CountErrors(const ConvMarlo& engine, SourceCode code, std::string_view bytes) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t n = bytes.size();
  const ConvMarlo::CodeTable& big5 = FormTables::Decoding(engine, ByteForm::kBig5);
  const ConvMarlo::CodeTable& gbk = FormTables::Decoding(engine, ByteForm::kGbk);
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
  size_t i = 0;
  while (i < n) {
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    ++count.characters;
    if (code == SourceCode::kUtf8) {
      const size_t length = Utf8Sequence(p + i, n - i);
      count.errors += length == 0;
      i += length ? length : 1;
      continue;
    }
    const unsigned lead = p[i];
    if (!IsDoubleByteLead(uint8_t(lead)) || i + 1 == n) {
      ++count.errors;
      ++i;
      continue;
    }
    const unsigned trail = p[i + 1];
    const uint16_t pair = uint16_t(lead << 8 | trail);
    bool valid = false;
    switch (code) {
      case SourceCode::kBig5:
        valid = IsBig5Trail(trail) && big5[pair] != 0;
        break;
      case SourceCode::kGbk:
        valid = trail >= 0x40 && gbk[pair] != 0;
        break;
      case SourceCode::kGb2312:
        valid = lead >= 0xA1 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE && gbk[pair] != 0;
        break;
      default:
        break;
    }
    count.errors += !valid;
    i += 2;
  }
  return count;
}

}  // namespace marlo
