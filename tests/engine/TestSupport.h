// SPDX-License-Identifier: Apache-2.0
// Helpers shared by the engine tests.
#pragma once

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include "engine/ConvMarlo.h"

namespace marlo::test {

// "A4 40 0D" → the three bytes.
inline std::string Hex(std::string_view text) {
  std::istringstream in{std::string(text)};
  std::string bytes, pair;
  while (in >> pair) bytes.push_back(char(std::stoul(pair, nullptr, 16)));
  return bytes;
}

inline std::string ToHex(std::string_view bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (const char byte : bytes) {
    const auto c = uint8_t(byte);
    if (!out.empty()) out.push_back(' ');
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

// One engine for a whole test program: InitMe is the expensive part.
inline const ConvMarlo& Engine() {
  static const ConvMarlo* engine = [] {
    auto* e = new ConvMarlo;
    e->InitMe();
    return e;
  }();
  return *engine;
}

// Random bytes biased towards the interesting ranges: lead bytes, trail
// bytes, ASCII, CR LF, 0x00 and 0x7F.
inline std::string RandomBytes(std::mt19937& rng, size_t maxLength) {
  std::uniform_int_distribution<size_t> length(0, maxLength);
  std::uniform_int_distribution<int> kind(0, 9), any(0, 255), ascii(0x20, 0x7E), high(0x81, 0xFE);
  std::string s(length(rng), '\0');
  for (char& c : s) {
    switch (kind(rng)) {
      case 0:
        c = char(any(rng));
        break;
      case 1:
        c = "\r\n\0\x7F\xFF\x80"[std::uniform_int_distribution<int>(0, 5)(rng)];
        break;
      case 2:
      case 3:
      case 4:
        c = char(ascii(rng));
        break;
      default:
        c = char(high(rng));
        break;
    }
  }
  return s;
}

}  // namespace marlo::test
