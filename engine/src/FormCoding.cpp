// SPDX-License-Identifier: Apache-2.0
#include "engine/FormCoding.h"

#include <algorithm>
#include <cstring>

#include "engine/src/FormTables.h"

namespace marlo {

namespace {

constexpr uint16_t kGbkReplacement = 0xA1A1;   // the ideographic space: what the tables
constexpr uint16_t kBig5Replacement = 0xA140;  // give for a character they lack
constexpr char32_t kReplacementCharacter = 0xFFFD;

char* AppendUtf8(char* o, char32_t c) {
  if (c < 0x80) {
    *o++ = char(c);
  } else if (c < 0x800) {
    *o++ = char(0xC0 | c >> 6);
    *o++ = char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *o++ = char(0xE0 | c >> 12);
    *o++ = char(0x80 | (c >> 6 & 0x3F));
    *o++ = char(0x80 | (c & 0x3F));
  } else {
    *o++ = char(0xF0 | c >> 18);
    *o++ = char(0x80 | (c >> 12 & 0x3F));
    *o++ = char(0x80 | (c >> 6 & 0x3F));
    *o++ = char(0x80 | (c & 0x3F));
  }
  return o;
}

// The bytes that stand for themselves in a form: ASCII in GBK and Big5,
// 0x01..0x7E in the UCS form.
bool StandsAlone(uint8_t b, bool ucs) { return ucs ? IsSingleByte(b) : b < 0x80; }

// Grows the buffer, never shrinks it: no zero-filling on every piece.
void Reserve(std::string& buffer, size_t size) {
  if (buffer.size() < size) buffer.resize(size);
}

// Copies the bytes that stand alone, eight ASCII bytes at a time; returns
// how many. The output has room for them.
size_t CopyAlone(const uint8_t* p, size_t n, bool ucs, char* o) {
  size_t i = 0;
  if (!ucs) {
    uint64_t word;
    while (i + 8 <= n) {
      std::memcpy(&word, p + i, 8);
      if (word & 0x8080808080808080ull) break;
      std::memcpy(o + i, &word, 8);
      i += 8;
    }
  }
  while (i < n && StandsAlone(p[i], ucs)) {
    o[i] = char(p[i]);
    ++i;
  }
  return i;
}

}  // namespace

Utf8Error::Utf8Error(uint64_t offset)
    : std::runtime_error("invalid UTF-8 at byte " + std::to_string(offset)), offset_(offset) {}

Utf8ToForm::Utf8ToForm(const ConvMarlo& engine, ByteForm form, bool lossy, bool readAsGb2312)
    : table_(FormTables::Encoding(engine, form, readAsGb2312)),
      replacement_(form == ByteForm::kBig5 ? kBig5Replacement : kGbkReplacement),
      lossy_(lossy) {}

// A character U+0800..U+FFFF but a surrogate, the common case.
inline void Utf8ToForm::PutBmp(char16_t c) {
  if (!table_) {  // never a single byte of the UCS form
    *o_++ = char(c >> 8);
    *o_++ = char(c & 0xFF);
    return;
  }
  const uint16_t code = (*table_)[c];
  // A character in GBK but not in Big5 also maps to A140 in the tables.
  const bool held = code != 0 && (code != replacement_ || c == 0x3000);
  const uint16_t put = held ? code : replacement_;
  replaced_ += !held;
  *o_++ = char(put >> 8);
  *o_++ = char(put & 0xFF);
}

void Utf8ToForm::Put(char32_t c) {
  if (!table_) {
    auto unit = [this](char16_t u) {
      if (IsSingleByte(uint8_t(u)) && u < 0x80) {
        *o_++ = char(u);
      } else {
        *o_++ = char(u >> 8);
        *o_++ = char(u & 0xFF);
      }
    };
    if (c < 0x10000) {
      unit(char16_t(c));
    } else {
      unit(char16_t(0xD800 + ((c - 0x10000) >> 10)));
      unit(char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
    return;
  }
  if (c < 0x80) {
    *o_++ = char(c);
  } else if (c < 0x10000) {
    PutBmp(char16_t(c));
  } else {  // beyond the basic plane: no table holds it
    ++replaced_;
    *o_++ = char(replacement_ >> 8);
    *o_++ = char(replacement_ & 0xFF);
  }
}

void Utf8ToForm::Invalid(uint64_t at) {
  if (!lossy_) throw Utf8Error(at);
  // Counted apart: broken input is not a character the form lacks.
  ++invalid_;
  const uint16_t put = table_ ? replacement_ : uint16_t(kReplacementCharacter);
  *o_++ = char(put >> 8);
  *o_++ = char(put & 0xFF);
}

// Decodes whole characters; returns the bytes used. An unfinished sequence
// at the end waits for the next piece unless this is the last one. Stops
// once `enough` bytes are used (for completing a held-back sequence). base
// is the input offset of p[0].
size_t Utf8ToForm::Decode(const uint8_t* p, size_t n, bool last, size_t enough, uint64_t base) {
  const bool ucs = table_ == nullptr;
  const auto put = [this](char32_t c) { Put(c); };
  const auto invalid = [this, base](size_t at) { Invalid(base + at); };
  size_t i = 0;
  while (i < n && i < enough) {
    // Most of Chinese text: a run of three-byte sequences of the basic
    // plane. The members live in locals here: every byte stored through the
    // output pointer could otherwise be them, and they would be read again.
    if (table_) {
      const CodeTable& table = *table_;
      const uint16_t replacement = replacement_;
      char* o = o_;
      uint64_t replaced = 0;
      unsigned lead;
      while (i + 2 < n && i < enough && (lead = p[i], lead >= 0xE1 && lead <= 0xEF) &&
             lead != 0xED && (p[i + 1] & 0xC0) == 0x80 && (p[i + 2] & 0xC0) == 0x80) {
        const char16_t c =
            char16_t((lead & 0x0Fu) << 12 | (p[i + 1] & 0x3Fu) << 6 | (p[i + 2] & 0x3Fu));
        const uint16_t code = table[c];
        // A character in GBK but not in Big5 also maps to A140 in the tables.
        const bool held = code != 0 && (code != replacement || c == 0x3000);
        const uint16_t written = held ? code : replacement;
        replaced += !held;
        o[0] = char(written >> 8);
        o[1] = char(written & 0xFF);
        o += 2;
        i += 3;
      }
      o_ = o;
      replaced_ += replaced;
      if (i >= n || i >= enough) break;
    } else if (const unsigned lead = p[i]; (lead >= 0xE1 && lead <= 0xEF && lead != 0xED) &&
                                           i + 2 < n && (p[i + 1] & 0xC0) == 0x80 &&
                                           (p[i + 2] & 0xC0) == 0x80) {
      PutBmp(char16_t((lead & 0x0Fu) << 12 | (p[i + 1] & 0x3Fu) << 6 | (p[i + 2] & 0x3Fu)));
      i += 3;
      continue;
    }
    if (const size_t run = StandsAlone(p[i], ucs) ? CopyAlone(p + i, n - i, ucs, o_) : 0) {
      o_ += run;
      i += run;
      continue;
    }
    const unsigned b = p[i];
    size_t length;
    char32_t c, least;
    if (b < 0x80) {  // U+0000 or U+007F in the UCS form
      put(b);
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      length = 2, c = b & 0x1F, least = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3, c = b & 0x0F, least = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4, c = b & 0x07, least = 0x10000;
    } else {
      invalid(i);
      ++i;
      continue;
    }
    size_t k = 1;
    for (; k < length && i + k < n && (p[i + k] & 0xC0) == 0x80; ++k)
      c = c << 6 | (p[i + k] & 0x3F);
    if (k < length) {
      if (i + k == n && !last) break;  // the rest comes with the next piece
      invalid(i);
      i += k;
      continue;
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      invalid(i);
      i += length;
      continue;
    }
    put(c);
    i += length;
  }
  return i;
}

std::string_view Utf8ToForm::Feed(std::string_view piece, bool last) {
  if (!started_) {
    // A byte-order mark says "UTF-8", nothing more: it is no character of
    // the text. It may come split over the first pieces.
    static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    first_ = pending_;
    first_.append(piece);
    pending_.clear();
    if (first_.size() < kByteOrderMark.size() && !last && kByteOrderMark.starts_with(first_)) {
      pending_.swap(first_);
      return {};
    }
    started_ = true;
    piece = first_;
    if (piece.starts_with(kByteOrderMark)) {
      piece.remove_prefix(kByteOrderMark.size());
      offset_ = kByteOrderMark.size();
    }
  }
  // A character takes at most twice its UTF-8 length in any form.
  Reserve(out_, 2 * piece.size() + 32);
  o_ = out_.data();
  size_t start = 0;
  if (!pending_.empty()) {
    // At most three bytes are held back, so three more finish the character.
    std::string tail = pending_;
    tail.append(piece.substr(0, std::min<size_t>(3, piece.size())));
    const bool tailIsAll = piece.size() <= 3;
    const size_t used = Decode(reinterpret_cast<const uint8_t*>(tail.data()), tail.size(),
                               last && tailIsAll, pending_.size(), offset_);
    if (used < pending_.size()) {  // the piece was too short to finish it
      pending_ = tail;
      return {out_.data(), size_t(o_ - out_.data())};
    }
    start = used - pending_.size();
    offset_ += used;
    pending_.clear();
  }
  const size_t used = Decode(reinterpret_cast<const uint8_t*>(piece.data()) + start,
                             piece.size() - start, last, SIZE_MAX, offset_);
  offset_ += used;
  pending_.assign(piece.substr(start + used));
  return {out_.data(), size_t(o_ - out_.data())};
}

FormToUtf8::FormToUtf8(const ConvMarlo& engine, ByteForm form)
    : table_(form == ByteForm::kUcs ? nullptr : &FormTables::Decoding(engine, form)) {}

void FormToUtf8::FlushHighSurrogate() {
  if (!highSurrogate_) return;
  highSurrogate_ = 0;
  o_ = AppendUtf8(o_, kReplacementCharacter);
}

void FormToUtf8::PutUnit(char16_t unit) {
  if (highSurrogate_) {
    const char16_t high = highSurrogate_;
    highSurrogate_ = 0;
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
      o_ = AppendUtf8(o_, 0x10000 + (char32_t(high - 0xD800) << 10) + (unit - 0xDC00));
      return;
    }
    o_ = AppendUtf8(o_, kReplacementCharacter);
  }
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    highSurrogate_ = unit;
  } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
    o_ = AppendUtf8(o_, kReplacementCharacter);
  } else {
    o_ = AppendUtf8(o_, unit);
  }
}

std::string_view FormToUtf8::Feed(std::string_view piece, bool last) {
  // Two bytes give at most three of UTF-8, a lone byte three.
  Reserve(out_, 3 * piece.size() + 16);
  o_ = out_.data();
  std::string joined;
  if (!pending_.empty()) {  // one byte at most
    joined = pending_;
    joined.append(piece);
    piece = joined;
    pending_.clear();
  }
  const auto* p = reinterpret_cast<const uint8_t*>(piece.data());
  const size_t n = piece.size();
  const bool ucs = table_ == nullptr;
  size_t i = 0;
  while (i < n) {
    if (StandsAlone(p[i], ucs)) {
      FlushHighSurrogate();  // a high surrogate alone before plain text
      const size_t run = CopyAlone(p + i, n - i, ucs, o_);
      o_ += run;
      i += run;
      continue;
    }
    // A run of a table form's pairs: the tables hold no surrogates, and
    // nothing waits. Locals, as the output pointer could alias the members.
    if (!ucs && IsDoubleByteLead(p[i]) && i + 1 < n) {
      const CodeTable& table = *table_;
      char* o = o_;
      uint64_t missing = 0;
      while (i + 1 < n && IsDoubleByteLead(p[i])) {
        const uint16_t unit = table[uint16_t(p[i] << 8 | p[i + 1])];
        if (unit >= 0x800) {  // most of them: three bytes
          o[0] = char(0xE0 | unit >> 12);
          o[1] = char(0x80 | (unit >> 6 & 0x3F));
          o[2] = char(0x80 | (unit & 0x3F));
          o += 3;
        } else {
          missing += unit == 0;
          o = AppendUtf8(o, unit ? unit : kReplacementCharacter);
        }
        i += 2;
      }
      o_ = o;
      replaced_ += missing;
      continue;
    }
    const bool startsPair = ucs || IsDoubleByteLead(p[i]);
    if (!startsPair) {  // 0x80 or 0xFF alone
      PutUnit(char16_t(kReplacementCharacter));
      ++i;
      continue;
    }
    if (i + 1 == n) {
      if (!last) {
        pending_.assign(1, char(p[i]));
        break;
      }
      PutUnit(char16_t(kReplacementCharacter));
      ++i;
      continue;
    }
    const uint16_t code = uint16_t(p[i] << 8 | p[i + 1]);
    if (ucs) {
      PutUnit(char16_t(code));
    } else {
      const uint16_t unit = (*table_)[code];
      replaced_ += unit == 0;
      PutUnit(unit ? char16_t(unit) : char16_t(kReplacementCharacter));
    }
    i += 2;
  }
  if (last) FlushHighSurrogate();
  return {out_.data(), size_t(o_ - out_.data())};
}

void AppendUtf8(std::string& out, char32_t c) {
  char bytes[4];
  out.append(bytes, size_t(AppendUtf8(bytes, c) - bytes));
}

std::string EncodeFromUtf8(const ConvMarlo& engine, ByteForm form, std::string_view text,
                           bool lossy, uint64_t* replaced) {
  Utf8ToForm encoder(engine, form, lossy);
  std::string out(encoder.Feed(text, true));
  if (replaced) *replaced = encoder.replaced();
  return out;
}

std::string DecodeToUtf8(const ConvMarlo& engine, ByteForm form, std::string_view bytes) {
  FormToUtf8 decoder(engine, form);
  return std::string(decoder.Feed(bytes, true));
}

std::string EncodeUcsForm(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    if (unit < 0x80 && IsSingleByte(uint8_t(unit))) {
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
    if (IsSingleByte(high))
      text.push_back(char16_t(high));
    else if (i + 1 < bytes.size())
      text.push_back(char16_t(high << 8 | uint8_t(bytes[++i])));
    else
      text.push_back(u'\uFFFD');
  }
  return text;
}

}  // namespace marlo
