// SPDX-License-Identifier: Apache-2.0
// The encoder and the decoder of each byte form: UTF-8 or UTF-16 text into
// GBK, Big5 or the Unicode byte form and back, through the engine's own
// Unicode tables, so every character the tables hold round-trips exactly
// and there is no second source of character knowledge. The UTF-8 ones work
// piece by piece, holding back an unfinished character for the next piece.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/ByteForms.h"
#include "engine/ConvMarlo.h"

namespace marlo {

// Invalid UTF-8 at a byte offset of the input; the words for it are the
// caller's.
class Utf8Error : public std::runtime_error {
 public:
  explicit Utf8Error(uint64_t offset);
  uint64_t offset() const { return offset_; }

 private:
  uint64_t offset_;
};

// UTF-8 → GBK, Big5 or the UCS form. A character the form cannot hold
// becomes the form's own replacement (GBK A1A1, Big5 A140), and is counted.
// An invalid sequence throws Utf8Error with its byte offset, unless lossy,
// when it becomes U+FFFD (in GBK or Big5, their replacement), counted apart.
// A byte-order mark at the start is dropped.
// Into GBK, the characters other GB2312 decoders give for a code (U+30FB
// for A1A4) encode to that code where GBK lacks them, and always when the
// bytes are read as GB2312 (U+2015 is A844 in GBK, but A1AA in GB2312).
// Read as GB2312, only the codes a GB2312 reading takes are written: a
// character GBK alone holds is replaced and counted, as its code would be
// read as another character, or split the pairs after it.
class Utf8ToForm {
 public:
  Utf8ToForm(const ConvMarlo& engine, ByteForm form, bool lossy, bool readAsGb2312 = false);
  // The encoded bytes final after this piece; valid until the next call.
  std::string_view Feed(std::string_view piece, bool last);
  uint64_t replaced() const { return replaced_; }
  uint64_t invalid() const { return invalid_; }

 private:
  void Put(char32_t c);
  void PutBmp(char16_t c);
  void Invalid(uint64_t at);
  size_t Decode(const uint8_t* p, size_t n, bool last, size_t enough, uint64_t base);

  const ConvMarlo::CodeTable* table_;  // Unicode → code; null for the UCS form
  uint16_t replacement_;
  bool lossy_;
  std::string pending_;  // an unfinished sequence from the last piece
  std::string out_;
  char* o_ = nullptr;    // where the next output byte goes
  uint64_t offset_ = 0;  // input bytes consumed before pending_
  uint64_t replaced_ = 0;
  uint64_t invalid_ = 0;
  bool started_ = false;  // the start was looked at for a byte-order mark
  std::string first_;     // the first piece, with what came before it
};

// GBK, Big5 or the UCS form → UTF-8. A code the tables do not hold, and a
// byte that starts no character, become U+FFFD; the codes are counted.
class FormToUtf8 {
 public:
  FormToUtf8(const ConvMarlo& engine, ByteForm form);
  std::string_view Feed(std::string_view piece, bool last);
  // Pairs the tables hold no character for, so far.
  uint64_t replaced() const { return replaced_; }

 private:
  void PutUnit(char16_t unit);
  void FlushHighSurrogate();

  const ConvMarlo::CodeTable* table_;  // code → Unicode; null for the UCS form
  std::string pending_;
  std::string out_;
  char* o_ = nullptr;
  char16_t highSurrogate_ = 0;
  uint64_t replaced_ = 0;
};

// Appends one character as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// Whole texts at once.
std::string EncodeFromUtf8(const ConvMarlo& engine, ByteForm form, std::string_view text,
                           bool lossy, uint64_t* replaced = nullptr);
std::string DecodeToUtf8(const ConvMarlo& engine, ByteForm form, std::string_view bytes);

// The Unicode byte form from UTF-16 and back: a byte 0x01..0x7E is one
// character, any other byte the high byte of a two-byte unit.
// U+0001..U+007E become that one byte, any other unit two bytes, high byte
// first. A unit outside the basic plane stays as its two surrogate units.
std::string EncodeUcsForm(std::u16string_view text);

// A dangling last byte becomes U+FFFD.
std::u16string DecodeUcsForm(std::string_view bytes);

}  // namespace marlo
