// SPDX-License-Identifier: Apache-2.0
#include "batch/UcsForm.h"

namespace marlo {

std::string EncodeUcsForm(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    if (unit >= 0x01 && unit <= 0x7E) {
      bytes.push_back(char(unit));
    } else {
      bytes.push_back(char(unit >> 8));
      bytes.push_back(char(unit & 0xFF));
    }
  }
  return bytes;
}

std::u16string DecodeUcsForm(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto high = uint8_t(bytes[i]);
    if (high >= 0x01 && high <= 0x7E)
      text.push_back(char16_t(high));
    else if (i + 1 < bytes.size())
      text.push_back(char16_t(high << 8 | uint8_t(bytes[++i])));
    else
      text.push_back(u'\uFFFD');
  }
  return text;
}

}  // namespace marlo
