// SPDX-License-Identifier: Apache-2.0
#include "batch/InputCheck.h"

#include <cstdio>
#include <cstring>

#include "batch/ConversionTypes.h"

namespace marlo {

namespace {

// The length of a valid UTF-8 sequence at p, or 0.
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

bool IsBig5Trail(unsigned t) { return (t >= 0x40 && t <= 0x7E) || (t >= 0xA1 && t <= 0xFE); }

}  // namespace

const char* SourceCodeName(SourceCode code) {
  switch (code) {
    case SourceCode::kGb2312:
      return "GB2312";
    case SourceCode::kGbk:
      return "GBK";
    case SourceCode::kBig5:
      return "Big5";
    case SourceCode::kUcs:
      return "UCS-2";
    case SourceCode::kUtf8:
      return "UTF-8";
  }
  return "";
}

SourceCode SourceCodeOf(int32_t type) {
  if (type == 0 || type == 13) return SourceCode::kGb2312;  // GBToBig reads GB2312 rows only
  switch (ConversionTypes()[size_t(type)].source) {
    case ByteForm::kGbk:
      return SourceCode::kGbk;
    case ByteForm::kBig5:
      return SourceCode::kBig5;
    case ByteForm::kUcs:
      return SourceCode::kUcs;
  }
  return SourceCode::kGbk;
}

// Only characters beyond ASCII count: in a mostly English file a wrong code
// shows in its few Chinese characters all the same.
CheckCount CountErrors(const ConvMarlo& engine, SourceCode code, std::string_view bytes) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t n = bytes.size();
  const auto& tables = engine.Tables();
  CheckCount count;
  if (code == SourceCode::kUcs) {
    for (size_t i = 0; i < n; ++count.characters) {
      if (p[i] >= 0x01 && p[i] <= 0x7E) {
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
    if (lead == 0x80 || lead == 0xFF || i + 1 == n) {
      ++count.errors;
      ++i;
      continue;
    }
    const unsigned trail = p[i + 1];
    const uint16_t pair = uint16_t(lead << 8 | trail);
    bool valid = false;
    switch (code) {
      case SourceCode::kBig5:
        valid = IsBig5Trail(trail) && tables.BigToUscTable[pair] != 0;
        break;
      case SourceCode::kGbk:
        valid = trail >= 0x40 && tables.GbkToUscTable[pair] != 0;
        break;
      case SourceCode::kGb2312:
        valid = lead >= 0xA1 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE &&
                tables.GbkToUscTable[pair] != 0;
        break;
      default:
        break;
    }
    count.errors += !valid;
    i += 2;
  }
  return count;
}

const char* LikelyCode(const ConvMarlo& engine, SourceCode expected, std::string_view bytes) {
  // UTF-8 first: its sequences are the hardest to meet by chance.
  for (const SourceCode code :
       {SourceCode::kUtf8, SourceCode::kBig5, SourceCode::kGb2312, SourceCode::kGbk}) {
    if (code == expected) continue;
    if (expected == SourceCode::kGb2312 && code == SourceCode::kGbk) continue;
    const CheckCount count = CountErrors(engine, code, bytes);
    if (count.characters && count.share() < kNotThisCode) return SourceCodeName(code);
  }
  return nullptr;
}

std::string CheckMessage(const ConvMarlo& engine, int32_t type, std::string_view bytes) {
  const SourceCode code = SourceCodeOf(type);
  const std::string_view checked = bytes.substr(0, kCheckedBytes);
  const CheckCount count = CountErrors(engine, code, checked);
  if (count.share() <= kNotThisCode) return {};
  char share[32];
  std::snprintf(share, sizeof share, "%.1f%%", count.share() * 100.0);
  std::string message = std::string("看起來不是 ") + SourceCodeName(code) + " 文本: " + share +
                        " 的非 ASCII 字符無效";
  if (const char* likely = LikelyCode(engine, code, checked))
    message += std::string(",像是 ") + likely + " 文本";
  return message;
}

}  // namespace marlo
