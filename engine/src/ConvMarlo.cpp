// SPDX-License-Identifier: Apache-2.0
#include "engine/ConvMarlo.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <stdexcept>

#include "engine/ConvStream.h"
#include "engine/src/BakedTables.h"
#include "engine/src/ByteScan.h"
#include "engine/src/EmbeddedResources.h"
#include "engine/src/FormTables.h"
#include "engine/src/GbkUnicodeAliases.h"
#include "engine/src/PhraseTable.h"
#include "engine/src/SymbolLookups.h"
#include "engine/src/TableParsers.h"
#include "engine/src/WidthForms.h"

extern "C" const uint8_t marlo_baked_tables_begin[];
extern "C" const uint8_t marlo_baked_tables_end[];

namespace marlo {

namespace {

// What every lookup reads before InitMe: zeros, which cost no page of the
// program until read.
BakedTables gZeroTables;

const BakedTables& LinkedTables() {
  return *reinterpret_cast<const BakedTables*>(marlo_baked_tables_begin);
}

const uint8_t* Bytes(std::string_view text) {
  return reinterpret_cast<const uint8_t*>(text.data());
}

scan::ReplacedPairs Replacements(const BakedTables& tables, ScanTableId id) {
  const BakedTables::ReplacementCodes& codes = tables.replacementCodes[size_t(id)];
  return {tables.convertedPairs[size_t(id)].data(),
          {codes.target[0], codes.target[1]},
          {codes.source[0], codes.source[1]},
          codes.countTarget != 0,
          codes.zeroStaysZero != 0};
}

}  // namespace

// Both directions' tables are read where the images linked into the
// program lie: nothing is built, and pages no text looks at stay on disk.
struct ConvMarlo::PhraseLookups {
  std::unique_ptr<PhraseTable> toGb, toBig;
};

struct ConvMarlo::EncodingLookups {
  std::once_flag built;
  std::unique_ptr<CodeTable> gbk, gb2312;  // only for an engine that encodes
};

ConvMarlo::ConvMarlo()
    : tables_(&gZeroTables),
      symbols_(std::make_unique<SymbolLookups>()),
      phrases_(std::make_unique<PhraseLookups>()),
      encoding_(std::make_unique<EncodingLookups>()) {}

ConvMarlo::~ConvMarlo() = default;

void ConvMarlo::InitMe() {
  std::span<const uint8_t> resources[kBakedResourceIds.size()];
  for (size_t i = 0; i < kBakedResourceIds.size(); ++i)
    resources[i] = LoadResource(kBakedResourceIds[i]);
  const BakedTables& linked = LinkedTables();
  if (size_t(marlo_baked_tables_end - marlo_baked_tables_begin) != sizeof(BakedTables) ||
      linked.magic != BakedTables::kMagic)
    throw std::runtime_error("the linked code tables are damaged");
  for (size_t i = 0; i < kBakedResourceIds.size(); ++i)
    if (resources[i].size() != linked.resourceSizes[i])
      throw std::runtime_error("resource " + std::to_string(kBakedResourceIds[i]) +
                               " does not match the linked code tables");
  int32_t spcCount = 0;
  auto spcSymbols = ParseSpecialSymbols(resources[4], spcCount);
  auto phrases = std::make_unique<PhraseLookups>();
  phrases->toGb = PhraseTable::FromImage(LoadPhraseImage(106), LoadResource(106));
  phrases->toBig = PhraseTable::FromImage(LoadPhraseImage(107), LoadResource(107));

  tables_ = &linked;
  symbols_ = std::make_unique<SymbolLookups>();
  phrases_ = std::move(phrases);
  encoding_ = std::make_unique<EncodingLookups>();
  cnsData_ = resources[3];
  spcData_ = resources[4];
  spcSymbols_ = std::move(spcSymbols);
  spcCount_ = spcCount;
  ready_ = true;
}

const CodeTables& ConvMarlo::Tables() const { return tables_->codes; }

const CodeTable* FormTables::Encoding(const ConvMarlo& engine, ByteForm form, bool asGb2312) {
  if (form == ByteForm::kUcs) return nullptr;
  const CodeTables& tables = engine.Tables();
  if (form == ByteForm::kBig5) return &tables.UscToBigTable;
  ConvMarlo::EncodingLookups& lookups = *engine.encoding_;
  // Copies with the aliases in them keep the encoders' per-character loop
  // one lookup.
  std::call_once(lookups.built, [&] {
    lookups.gbk = std::make_unique<CodeTable>(tables.UscToGbkTable);
    // GB2312 is GBK less the codes a GB2312 reading does not take: a
    // character only GBK holds has no code there.
    std::vector<bool> taken(0x10000);
    for (const CodeRun& run : Gb2312CodeRuns())
      for (unsigned code = run.first; code <= run.last; ++code) taken[code] = true;
    lookups.gb2312 = std::make_unique<CodeTable>();
    for (size_t c = 0; c < tables.UscToGbkTable.size(); ++c)
      if (taken[tables.UscToGbkTable[c]]) (*lookups.gb2312)[c] = tables.UscToGbkTable[c];
    for (const UnicodeAlias& alias : GbkUnicodeAliases()) {
      if ((*lookups.gbk)[alias.unicode] == 0) (*lookups.gbk)[alias.unicode] = alias.gbk;
      (*lookups.gb2312)[alias.unicode] = alias.gbk;
    }
  });
  return asGb2312 ? lookups.gb2312.get() : lookups.gbk.get();
}

const CodeTable& FormTables::Decoding(const ConvMarlo& engine, ByteForm form) {
  return form == ByteForm::kBig5 ? engine.Tables().BigToUscTable : engine.Tables().GbkToUscTable;
}

const uint64_t* FormTables::HeldPairs(const ConvMarlo& engine, SourceCode code) {
  return engine.tables_->heldPairs.at(size_t(code)).data();
}

const ConvMarlo::SymbolLookups& ConvMarlo::Symbols() const {
  std::call_once(symbols_->built, [this] {
    symbols_->toSpcBig = BuildSymbolExpansions(spcSymbols_, &SpecialSymbol::Column3);
    symbols_->toSpcGb = BuildSymbolExpansions(spcSymbols_, &SpecialSymbol::Column2);
  });
  return *symbols_;
}

const PhraseTable& ConvMarlo::Phrases(ScanTableId direction) const {
  // Before InitMe no phrase applies, as no character converts.
  static const uint8_t kNone[] = {'#'};
  static const PhraseTable kNoPhrases{std::span(kNone)};
  if (!ready_) return kNoPhrases;
  return direction == ScanTableId::kBigToGb ? *phrases_->toGb : *phrases_->toBig;
}

// The text is converted through the table whole, by the block scan; then
// only the places where a pair begins are visited, found by the block scan
// too, and where a phrase starts its value takes the place of the converted
// key. The converted text waits in the last third of the first 3n bytes
// of out (the pairs' starts after them). What is put in place never
// overtakes what is still to be read: before a phrase at i, at most i + 2m
// bytes are out, m being the bytes of the phrases so far (a value is at
// most three times its key), so 3i at most; a value is written as a whole
// word of eight bytes, which ends by 3i + 8 <= 2n + i + 4 (a key has four
// bytes or more, and i + 4 <= n), before the bytes still to be read.
size_t ConvMarlo::RunPhrases(const ConversionStep& step, std::string_view text, uint8_t* out,
                             bool last, size_t& consumed, uint64_t& replaced) const {
  const PhraseTable& phrases = Phrases(step.table);
  const PhraseFilter filter = phrases.filter();
  const uint16_t* table = tables_->scan[size_t(step.table)].data();
  const scan::ReplacedPairs replacements = Replacements(*tables_, step.table);
  const uint64_t* writable = replacements.converted;
  const scan::ScanVariant& scanner = scan::Fastest();
  const auto* s = Bytes(text);
  const size_t n = text.size();
  uint8_t* converted = out + 2 * n;
  // The pairs' starts as the table conversion found them, a word a block,
  // after the converted text: a window that begins at a character start of
  // that reading takes its starts from there instead of finding them again.
  auto* const marks = reinterpret_cast<uint64_t*>((uintptr_t(out + 3 * n) + 7) & ~uintptr_t(7));
  // The characters the table replaced, as the text reads now: the count of
  // the whole conversion, less what a phrase takes the place of or what
  // waits for the next piece, and read anew where the reading changes.
  uint64_t lost = scanner.leadAndTrail(s, converted, n, step.minTrail, table, replacements, marks);
  const size_t markedBlocks = n >= 65 ? (n - 65) / 64 + 1 : 0;
  bool marksHold = true;  // until a phrase ends inside a pair of that reading
  uint8_t* o = out;
  size_t copied = 0;  // converted[0, copied) is in its place in out
  // Between phrases are a few characters mostly: copied 64 bytes at a
  // time, which may run over into what the next value or stretch writes.
  // Fewer bytes would leave the copy's branch to chance on Chinese text.
  auto copyUpTo = [&](size_t end) {
    const size_t length = end - copied;
    if (length <= 64 && copied + 64 <= n && converted + copied >= o + 64) {
      std::memcpy(o, converted + copied, 64);
    } else if (length > 0) {  // out may be null when nothing is to be written
      std::memmove(o, converted + copied, length);
    }
    o += length;
    copied = end;
  };
  constexpr size_t kBlocks = 64;
  uint64_t starts[kBlocks + 1];
  constexpr uint32_t kWait = uint32_t(1) << 31;  // a candidate where the text may go on
  uint32_t candidates[kBlocks * 64 + 16];
  size_t stop = n;
  // Before nearEnd a place neither waits for more text nor lacks the bytes
  // the filter reads: one test a place.
  const size_t nearEnd = n - std::min(n, std::max<size_t>(6, last ? 0 : phrases.LongestKey()));
  // at: a character start from which the pairs are found, as the table
  // conversion found them from the start, or where a phrase ended.
  for (size_t at = 0, skip = 0; at + 1 < n && stop == n;) {
    const size_t first = at / 64, shift = at % 64;
    size_t blocks = n - at >= 65 ? std::min(kBlocks, (n - at - 65) / 64 + 1) : 0;
    // at is a character start of that reading: where the last window
    // ended, or where a phrase of its pairs ended.
    if (marksHold && blocks > 0 && first + blocks + (shift != 0) <= markedBlocks) {
      for (size_t b = 0; b < blocks; ++b)
        starts[b] = shift == 0 ? marks[first + b]
                               : marks[first + b] >> shift | marks[first + b + 1] << (64 - shift);
    } else {
      blocks = scanner.leadAndTrailStarts(s + at, n - at, step.minTrail, starts, kBlocks);
    }
    size_t covered = 64 * blocks;
    if (blocks == 0) {  // under 65 bytes left: found one by one
      starts[0] = starts[1] = 0;
      size_t i = at;
      while (i + 1 < n)
        if (IsLeadAndTrail(s[i], s[i + 1], step.minTrail)) {
          starts[(i - at) / 64] |= uint64_t(1) << ((i - at) % 64);
          i += 2;
        } else {
          ++i;
        }
      blocks = (n - at + 63) / 64;
      covered = n - at;
    }
    size_t next = at + covered + (starts[blocks - 1] >> 63);  // past a pair over the end
    // The places a phrase may start, their lookups begun together: the
    // processor fetches for many at once instead of one after the other.
    // Most blocks lie wholly before nearEnd: their places are tested by
    // the filter alone, many at once where the processor can.
    size_t b = std::min(blocks, (std::max(nearEnd, at) - at) / 64);
    // A key is two characters at least: a place whose next character is
    // no pair starts none.
    uint64_t keyStarts[kBlocks];
    for (size_t q = 0; q < b; ++q)
      keyStarts[q] =
          starts[q] & (starts[q] >> 2 | (q + 1 < blocks ? starts[q + 1] : ~uint64_t(0)) << 62);
    size_t count = scanner.filterStarts(s + at, n - at, keyStarts, b, filter, candidates);
    for (; b < blocks; ++b)
      for (uint64_t bits = starts[b]; bits != 0; bits &= bits - 1) {
        const size_t i = at + 64 * b + size_t(__builtin_ctzll(bits));
        if (i >= nearEnd) {
          // A phrase might reach into bytes yet to come: unless an earlier
          // phrase covers the place, wait for them.
          if (!last && i + phrases.LongestKey() > n && phrases.MayStart(s + i)) {
            candidates[count++] = uint32_t(i - at) | kWait;
            continue;
          }
          if (i + 4 > n) continue;
          if (i + 6 > n) {  // too near the end for the filter: looked up
            candidates[count++] = uint32_t(i - at);
            continue;
          }
        }
        // Noted whether it passes or not, and passed over when it does
        // not: no branch waits on the filter's answer.
        candidates[count] = uint32_t(i - at);
        count += filter.MayMatch(s + i);
      }
    // Only the places the filter let through are fetched for: few enough
    // now that fetching for every place would only crowd them out.
    for (size_t k = 0; k < count; ++k)
      if (!(candidates[k] & kWait)) phrases.Prefetch(s + at + candidates[k]);
    for (size_t k = 0; k < count; ++k) {
      const size_t i = at + (candidates[k] & ~kWait);
      if (i < skip) continue;
      if (candidates[k] & kWait) {
        stop = i;
        break;
      }
      const PhraseTable::Phrase phrase = phrases.Match(s + i, n - i);
      if (phrase.keyLength == 0) continue;
      copyUpTo(i);
      o = phrases.PutValue(phrase, o);
      copied = skip = i + phrase.keyLength;
      // Characters are read on from the phrase's end. Where the pairs
      // found from the start put a pair's second byte there instead, the
      // rest is converted and searched again from the phrase's end.
      const size_t before = skip - 1 - at;
      if (skip < at + covered && (starts[before / 64] >> (before % 64) & 1)) {
        lost -= scan::CountReplaced(s + i, n - i, step.parse, writable);
        lost += scanner.leadAndTrail(s + skip, converted + skip, n - skip, step.minTrail, table,
                                     replacements, nullptr);
        marksHold = false;
        next = skip;
        break;
      }
      lost -= scan::CountReplaced(s + i, phrase.keyLength, step.parse, writable);
    }
    at = std::max(next, skip);
  }
  copyUpTo(stop);
  consumed = stop;
  replaced += lost - scan::CountReplaced(s + stop, n - stop, step.parse, writable);
  return size_t(o - out);
}

size_t ConvMarlo::RunStep(const ConversionStep& step, std::string_view text, uint8_t* out,
                          size_t room, int& pending, bool last, size_t& consumed,
                          uint64_t& replaced) const {
  if (room < step.MaxOutput(text.size())) throw std::length_error("output full");
  consumed = text.size();
  const uint16_t* table = tables_->scan[size_t(step.table)].data();
  const scan::ReplacedPairs replacements = Replacements(*tables_, step.table);
  const uint64_t* bits = replacements.converted;
  switch (step.kind) {
    case StepKind::kLeadAndTrail:
      replaced += scan::Fastest().leadAndTrail(Bytes(text), out, text.size(), step.minTrail, table,
                                               replacements, nullptr);
      return text.size();
    case StepKind::kTable:
      replaced += scan::Fastest().byTable(Bytes(text), out, text.size(), table, replacements);
      return text.size();
    case StepKind::kWidenAndTable: {
      const bool big5 = step.table == ScanTableId::kBigToUsc;
      return width::WidenAndScan(
          text, big5 ? tables_->widenBig5 : tables_->widenGbk, table, bits,
          (big5 ? tables_->widenedBigToUsc : tables_->widenedGbkToUsc).data(), pending, last, out,
          replaced);
    }
    case StepKind::kNarrow:
      return width::NarrowUnicodeInto(text, out);
    case StepKind::kPhrases:
      return RunPhrases(step, text, out, last, consumed, replaced);
  }
  throw std::invalid_argument("unknown conversion step");
}

// An empty input gives a result untouched; any other carries a byte
// collection, filled on request. The text goes through a stream piece by
// piece and each piece's output is added to the result: the result's
// memory is written once, never cleared first, and the steps' buffers stay
// small. Room for twice the text (the widening types') is asked up front.
std::shared_ptr<ConvResult> ConvMarlo::Run(Operation operation, std::string_view text,
                                           bool IsReturnbyte) const {
  auto result = std::make_shared<ConvResult>();
  if (text.empty()) return result;
  constexpr size_t kPiece = size_t(1) << 20;
  ConvStream stream(*this, {operation});
  std::string& out = result->strResult;
  out.reserve(2 * text.size() + 16);
  for (size_t at = 0;; at += kPiece) {
    const bool last = at + kPiece >= text.size();
    out.append(stream.Feed(text.substr(std::min(at, text.size()), kPiece), last));
    if (last) break;
  }
  const auto& bytes = result->byteResults();
  if (IsReturnbyte) bytes->AppendValues(out);
  return result;
}

std::shared_ptr<ConvResult> ConvMarlo::BigToGB(std::string_view BigStr, bool IsReturnbyte) const {
  return Run(Operation::BigToGB, BigStr, IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::GBToBig(std::string_view GBStr, bool IsReturnbyte) const {
  return Run(Operation::GBToBig, GBStr, IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::GbkToBig(std::string_view GbkStr, bool IsReturnbyte) const {
  return Run(Operation::GbkToBig, GbkStr, IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::BigToGbk(std::string_view BigStr, bool IsReturnbyte) const {
  return Run(Operation::BigToGbk, BigStr, IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::USCToBig(std::string_view USCStr, bool IsReturnbyte) const {
  return Run(Operation::USCToBig, USCStr, IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::BigToUSC(std::string_view BigStr, bool IsReturnbyte) const {
  return Run(Operation::BigToUSC, BigStr, IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::GbkToUSC(std::string_view GbkStr, bool IsReturnbyte) const {
  return Run(Operation::GbkToUSC, GbkStr, IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::USCToGbk(std::string_view USCStr, bool IsReturnbyte) const {
  return Run(Operation::USCToGbk, USCStr, IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::BigToUSCforWide(std::string_view BigStr,
                                                       bool IsReturnbyte) const {
  return Run(Operation::BigToUSCforWide, BigStr, IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::GbkToUSCforWide(std::string_view GbkStr,
                                                       bool IsReturnbyte) const {
  return Run(Operation::GbkToUSCforWide, GbkStr, IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::USCToGbkforNarrow(std::string_view USCStr,
                                                         bool IsReturnbyte) const {
  return Run(Operation::USCToGbkforNarrow, USCStr, IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::USCToBigforNarrow(std::string_view USCStr,
                                                         bool IsReturnbyte) const {
  return Run(Operation::USCToBigforNarrow, USCStr, IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::BigToCNS(std::string_view BigStr, bool IsReturnbyte) const {
  return Run(Operation::BigToCNS, BigStr, IsReturnbyte);
}

}  // namespace marlo
