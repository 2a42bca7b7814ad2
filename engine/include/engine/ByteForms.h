// SPDX-License-Identifier: Apache-2.0
// The byte forms the engine reads and writes, and how each splits bytes
// into characters. Every scalar loop of the engine asks these functions;
// the vector scans compute the same rule sixty-four bytes at a time and are
// checked against them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace marlo {

// The byte forms a conversion type reads and writes: where text meets bytes
// (UTF-8 at either end, the clipboard), each side is encoded or decoded in
// its own.
enum class ByteForm : uint8_t {
  kGbk,   // code page 936, GB2312 included
  kBig5,  // code page 950
  kUcs,   // the engine's Unicode byte form
};

// How a step splits bytes into characters.
enum class CharacterParse : uint8_t {
  kBig5ToGb,  // a pair: first byte >= 0xA1 and second >= 0x40
  kGbToBig5,  // a pair: first byte >= 0xA1 and second >= 0xA1
  kTable,     // a pair: any first byte but 0x01..0x7E, whatever follows
  kWidening,  // a pair: first byte 0x81..0xFE, whatever follows (GBK and Big5 as read)
};

// 0x01..0x7E: a character of its own under every parse, and the bytes the
// Unicode byte form keeps single.
constexpr bool IsSingleByte(uint8_t b) { return uint8_t(b - 1) < 0x7E; }

// A GBK or Big5 lead byte: it and the byte after it are one character.
constexpr bool IsDoubleByteLead(uint8_t b) { return b >= 0x81 && b <= 0xFE; }

// The simplified ⇄ traditional tables pair a byte from 0xA1 up with a
// second byte from their own least trail byte up.
inline constexpr uint8_t kLeadAndTrailFirst = 0xA1;
constexpr uint8_t LeastTrail(CharacterParse parse) {
  return parse == CharacterParse::kBig5ToGb ? 0x40 : 0xA1;
}
constexpr bool IsLeadAndTrail(uint8_t a, uint8_t b, uint8_t leastTrail) {
  return a >= kLeadAndTrailFirst && b >= leastTrail;
}

// Whether a and the byte b after it are one character.
constexpr bool StartsPair(CharacterParse parse, uint8_t a, uint8_t b) {
  switch (parse) {
    case CharacterParse::kBig5ToGb:
    case CharacterParse::kGbToBig5:
      return IsLeadAndTrail(a, b, LeastTrail(parse));
    case CharacterParse::kTable:
      return !IsSingleByte(a);
    case CharacterParse::kWidening:
      return IsDoubleByteLead(a);
  }
  return false;
}

// Whether a last byte could still form a pair with a byte to come.
constexpr bool MayStartPair(CharacterParse parse, uint8_t a) { return StartsPair(parse, a, 0xFF); }

// The length of the character at s[0], with n >= 1 bytes from there on: a
// pair needs its second byte, so a lead at the very end stands alone.
constexpr size_t CharacterLength(CharacterParse parse, const uint8_t* s, size_t n) {
  return n >= 2 && StartsPair(parse, s[0], s[1]) ? 2 : 1;
}

}  // namespace marlo
