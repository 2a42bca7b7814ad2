// SPDX-License-Identifier: Apache-2.0
// How well bytes fit a code: the bytes that form no character of it, or a
// pair its tables lack. A file that is really UTF-8 or GBK under a Big5 type
// converts into garbage without a word otherwise.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/ConvMarlo.h"

namespace marlo {

struct CheckCount {
  uint64_t characters = 0;
  uint64_t errors = 0;  // a lead byte without a valid second byte, a pair the tables lack…
  double share() const { return characters ? double(errors) / double(characters) : 0.0; }
  CheckCount& operator+=(const CheckCount& other) {
    characters += other.characters;
    errors += other.errors;
    return *this;
  }
};

// Only characters beyond ASCII count: in a mostly English file a wrong code
// shows in its few Chinese characters all the same.
CheckCount CountErrors(const ConvMarlo& engine, SourceCode code, std::string_view bytes);

// The length of a valid UTF-8 sequence at p (n bytes from there on) that
// starts with a byte from 0x80 up, or 0.
size_t Utf8Sequence(const uint8_t* p, size_t n);

// Whether bytes are valid UTF-8 with a character beyond ASCII: what
// CountErrors under UTF-8 tells, but it stops at the first invalid
// sequence, which in a file of another code comes within a few bytes.
bool IsUtf8BeyondAscii(std::string_view bytes);

}  // namespace marlo
