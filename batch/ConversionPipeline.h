// SPDX-License-Identifier: Apache-2.0
// One conversion type's whole chain over a stream: the check of the input
// against the type's code, UTF-8 at either end, and the engine's steps.
// marlo-convert's filter and the batch run both convert through it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "batch/ConversionTypes.h"
#include "batch/Failure.h"
#include "engine/ConvMarlo.h"
#include "engine/ConvStream.h"
#include "engine/FormCoding.h"

namespace marlo {

// UTF-8 at either end (marlo-convert's --from-utf8, --to-utf8, --lossy).
struct TextEnds {
  bool fromUtf8 = false;
  bool toUtf8 = false;
  bool lossy = false;  // invalid UTF-8 becomes U+FFFD instead of failing the file
  // GbkToBig reads GBK by its characters (--from gbk --to big5): GB2312's
  // simplified characters take their traditional forms as GbToBig gives
  // them, instead of the ideographic space.
  bool gbkByCharacter = false;
};

// The window's choices beyond the type; marlo-convert has an option for each.
struct ConversionChoices {
  bool detectUtf8 = false;  // a source that is UTF-8 is read as UTF-8 (--from-utf8)
  bool toUtf8 = false;      // the output is written as UTF-8 (--to-utf8)
  bool phrases = false;     // phrase by phrase, for the types that take it (--phrases)
};

// The input is refused: invalid UTF-8, or (strict) not the type's code; or
// the engine has no tables (made so). The failure's path is left to the
// caller, who knows it.
class InputError : public std::runtime_error {
 public:
  explicit InputError(Failure failure);
  const Failure& failure() const { return failure_; }

 private:
  Failure failure_;
};

class ConversionPipeline {
 public:
  // checkInput compares the input's start (its first kCheckedBytes) with
  // the type's source code; strict refuses it, and holds the output back
  // until that start has been judged, so a refused input gives no bytes.
  // Strict also refuses an input in which a character is replaced, at the
  // piece that replaces it.
  // phrases converts simplified ⇄ traditional phrase by phrase first;
  // secondThread lets it use a thread of its own (see ConvStream).
  ConversionPipeline(const ConvMarlo& engine, ConvType type, const TextEnds& ends, bool checkInput,
                     bool strict, bool phrases = false, bool secondThread = false);

  // Converts the next piece; returns the bytes final after it, valid until
  // the next call. The last piece passes last = true. Throws InputError.
  std::string_view Feed(std::string_view piece, bool last);

  // Set once the checked start of the input shows another code.
  const std::optional<CodeVerdict>& verdict() const { return verdict_; }
  // Characters the form UTF-8 went into could not hold (FormEncodedFromUtf8).
  uint64_t replaced() const { return fromUtf8_ ? fromUtf8_->replaced() : 0; }
  // Characters the type's tables could not write in its target code and
  // replaced (ReplacingCodeName names it), where UTF-8 goes through them or
  // around them alike.
  uint64_t unconverted() const;
  // Invalid UTF-8 sequences replaced (lossy).
  uint64_t invalid() const { return fromUtf8_ ? fromUtf8_->invalid() : 0; }

 private:
  void Check(std::string_view piece, bool last);
  void RefuseReplaced() const;

  const ConvMarlo& engine_;
  ConvType type_;
  bool strict_;
  bool bypassed_;  // UTF-8 goes around the type's steps (see FormEncodedFromUtf8)
  bool checked_;
  std::string head_;      // the checked start of the input
  std::string held_;      // strict: output waiting for the verdict
  std::string released_;  // what the last Feed returned, when it was held
  std::optional<CodeVerdict> verdict_;
  ConvStream stream_;
  std::optional<Utf8ToForm> fromUtf8_;
  std::optional<FormToUtf8> toUtf8_;
  // Where UTF-8 bypasses the UCS form, the wide types' ASCII is widened and
  // the narrow types' full-width ASCII narrowed in UTF-8.
  std::string_view Widen(std::string_view utf8);
  std::string_view NarrowUtf8(std::string_view utf8, bool last);
  std::array<std::string, 128> widened_;  // UTF-8 of each ASCII byte's wide form
  bool widen_ = false;
  bool narrow_ = false;
  std::string widenOut_, narrowOut_, narrowHeld_;
};

}  // namespace marlo
