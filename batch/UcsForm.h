// SPDX-License-Identifier: Apache-2.0
// The engine's Unicode byte form as text: a byte 0x01..0x7E is one
// character, any other byte is the high byte of a two-byte unit.
#pragma once

#include <string>
#include <string_view>

namespace marlo {

// U+0001..U+007E become that one byte, any other unit two bytes, high byte
// first. A unit outside the basic plane stays as its two surrogate units.
std::string EncodeUcsForm(std::u16string_view text);

// A dangling last byte becomes U+FFFD.
std::u16string DecodeUcsForm(std::string_view bytes);

}  // namespace marlo
