// SPDX-License-Identifier: Apache-2.0
// The conversion engine: table lookups between GB2312, Big5, GBK, CNS 11643
// and the engine's Unicode byte form. Every operation takes and returns raw
// bytes. Call InitMe once before converting; the operations are const and
// only read the tables afterwards.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CodeTables.h"
#include "engine/ConvResult.h"
#include "engine/Operations.h"

namespace marlo {

struct BakedTables;
class PhraseTable;

class ConvMarlo {
 public:
  // The table types, as the engine's callers have long named them.
  using CodeTable = marlo::CodeTable;
  using CodeTables = marlo::CodeTables;

  ConvMarlo();
  ~ConvMarlo();
  ConvMarlo(const ConvMarlo&) = delete;
  ConvMarlo& operator=(const ConvMarlo&) = delete;

  // Checks the embedded resources and takes up the tables made from them
  // when the program was built. Calling it again reaches the same state.
  // Throws std::runtime_error on a malformed resource.
  void InitMe();
  // True once InitMe has succeeded; before that every table is zero.
  bool IsReady() const noexcept { return ready_; }

  // Runs one operation on a whole text.
  std::shared_ptr<ConvResult> Run(Operation operation, std::string_view text,
                                  bool IsReturnbyte = false) const;
  // Runs one step of an operation on whole characters of text into out,
  // which holds room bytes and may be text's own bytes where
  // step.InPlace(). Room for fewer than step.MaxOutput(text.size()) bytes
  // is refused before anything is written (std::length_error, "output
  // full"): the scans write without looking. pending carries the widening
  // step's byte that waits for a partner across pieces (-1 for none); last
  // says text ends the stream. consumed is how much of text was converted:
  // all of it, but for a phrase step that holds back the characters a
  // phrase might still span. Adds to replaced the characters of the
  // consumed text that the step's table could not write in its target code
  // and replaced (by the target's ideographic space, or 00 00 where the
  // table holds nothing). Returns the output length.
  size_t RunStep(const ConversionStep& step, std::string_view text, uint8_t* out, size_t room,
                 int& pending, bool last, size_t& consumed, uint64_t& replaced) const;

  // Big5 → GB2312, traditional characters to simplified ones.
  std::shared_ptr<ConvResult> BigToGB(std::string_view BigStr, bool IsReturnbyte = false) const;
  // GB2312 → Big5, simplified characters to traditional ones.
  std::shared_ptr<ConvResult> GBToBig(std::string_view GBStr, bool IsReturnbyte = false) const;

  // The code changes, the character stays: GBK ⇄ Big5.
  std::shared_ptr<ConvResult> GbkToBig(std::string_view GbkStr, bool IsReturnbyte = false) const;
  std::shared_ptr<ConvResult> BigToGbk(std::string_view BigStr, bool IsReturnbyte = false) const;

  // Big5 and GBK ⇄ the Unicode byte form: a byte 0x01..0x7E stands alone,
  // any other byte starts a two-byte unit, high byte first.
  std::shared_ptr<ConvResult> USCToBig(std::string_view USCStr, bool IsReturnbyte = false) const;
  std::shared_ptr<ConvResult> BigToUSC(std::string_view BigStr, bool IsReturnbyte = false) const;
  std::shared_ptr<ConvResult> GbkToUSC(std::string_view GbkStr, bool IsReturnbyte = false) const;
  std::shared_ptr<ConvResult> USCToGbk(std::string_view USCStr, bool IsReturnbyte = false) const;

  // Widen ASCII and the space to their full-width forms first, so every
  // character comes out as a two-byte unit. The output grows by one byte per
  // widened byte.
  std::shared_ptr<ConvResult> BigToUSCforWide(std::string_view BigStr,
                                              bool IsReturnbyte = false) const;
  std::shared_ptr<ConvResult> GbkToUSCforWide(std::string_view GbkStr,
                                              bool IsReturnbyte = false) const;
  // Narrow full-width ASCII units (U+FF01..U+FF5E) to single bytes first.
  // The output is shorter than the input by one byte per narrowed unit.
  std::shared_ptr<ConvResult> USCToGbkforNarrow(std::string_view USCStr,
                                                bool IsReturnbyte = false) const;
  std::shared_ptr<ConvResult> USCToBigforNarrow(std::string_view USCStr,
                                                bool IsReturnbyte = false) const;

  // Big5 → CNS 11643 planes 1 and 2 (plane 2 codes have a second byte below 0x80).
  std::shared_ptr<ConvResult> BigToCNS(std::string_view BigStr, bool IsReturnbyte = false) const;

  // Replace every special symbol standing at a character start of a Big5
  // text by its Big5 replacement text (BigToSpcBig) or its GB2312 code
  // (BigToSpcGB). The text is changed in place and a copy returned.
  std::string BigToSpcBig(std::string& BigStr) const;
  std::string BigToSpcGB(std::string& BigStr) const;
  // Whether the whole text is exactly one special symbol, or one of their
  // GB2312 codes.
  bool BigInSpc(std::string_view BigStr) const;
  bool GBInSpc(std::string_view GBStr) const;

  // The byte values of a Unicode result as HTML decimal character
  // references ("&#20013;"). Reads only the result's byte collection.
  std::string USCToWebContent(const std::shared_ptr<ConvResult>& USCResult) const;

  // The tables by code value; all zero before InitMe.
  const CodeTables& Tables() const;
  std::span<const uint8_t> CnsData() const { return cnsData_; }
  std::span<const uint8_t> SpcData() const { return spcData_; }
  const std::vector<SpecialSymbol>& SpcSymbols() const { return spcSymbols_; }
  int32_t SpcCount() const { return spcCount_; }

 private:
  // The special-symbol replacements, worked out on first use.
  struct SymbolLookups;
  const SymbolLookups& Symbols() const;
  // The phrase tables, read where their images are linked in.
  struct PhraseLookups;
  // The encoders' GBK tables with the other decoders' characters in them,
  // made on first use.
  struct EncodingLookups;
  friend struct FormTables;
  const PhraseTable& Phrases(ScanTableId direction) const;
  size_t RunPhrases(const ConversionStep& step, std::string_view text, uint8_t* out, bool last,
                    size_t& consumed, uint64_t& replaced) const;
  std::string ReplaceSpecialSymbols(std::string& text, bool toGb) const;

  const BakedTables* tables_;
  std::unique_ptr<SymbolLookups> symbols_;
  std::unique_ptr<PhraseLookups> phrases_;
  std::unique_ptr<EncodingLookups> encoding_;
  std::span<const uint8_t> cnsData_;
  std::span<const uint8_t> spcData_;
  std::vector<SpecialSymbol> spcSymbols_;
  int32_t spcCount_ = 0;
  bool ready_ = false;
};

}  // namespace marlo
