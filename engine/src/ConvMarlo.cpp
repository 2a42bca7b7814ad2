// SPDX-License-Identifier: Apache-2.0
#include "engine/ConvMarlo.h"

#include <cstring>
#include <mutex>
#include <stdexcept>

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

}  // namespace

struct ConvMarlo::PhraseLookups {
  std::once_flag built;
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
  std::span<const uint8_t> resources[5];
  for (int i = 0; i < 5; ++i) resources[i] = LoadResource(101 + i);
  const BakedTables& linked = LinkedTables();
  if (size_t(marlo_baked_tables_end - marlo_baked_tables_begin) != sizeof(BakedTables) ||
      linked.magic != BakedTables::kMagic)
    throw std::runtime_error("the linked code tables are damaged");
  for (int i = 0; i < 5; ++i)
    if (resources[i].size() != linked.resourceSizes[size_t(i)])
      throw std::runtime_error("resource " + std::to_string(101 + i) +
                               " does not match the linked code tables");
  int32_t spcCount = 0;
  auto spcSymbols = ParseSpecialSymbols(resources[4], spcCount);

  tables_ = &linked;
  symbols_ = std::make_unique<SymbolLookups>();
  phrases_ = std::make_unique<PhraseLookups>();
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
  std::call_once(phrases_->built, [this] {
    // Before InitMe no phrase applies, as no character converts.
    static const uint8_t kNone[] = {'#'};
    phrases_->toGb = std::make_unique<PhraseTable>(ready_ ? LoadResource(106) : std::span(kNone));
    phrases_->toBig = std::make_unique<PhraseTable>(ready_ ? LoadResource(107) : std::span(kNone));
  });
  return direction == ScanTableId::kBigToGb ? *phrases_->toGb : *phrases_->toBig;
}

// Walks the characters; a pair that starts a phrase is replaced by the
// phrase's value, and the stretches between are converted by the block scan.
size_t ConvMarlo::RunPhrases(const ConversionStep& step, std::string_view text, uint8_t* out,
                             bool last, size_t& consumed) const {
  const PhraseTable& phrases = Phrases(step.table);
  const uint16_t* table = tables_->scan[size_t(step.table)].data();
  const auto* s = Bytes(text);
  const size_t n = text.size();
  uint8_t* o = out;
  size_t i = 0, stretch = 0;
  const scan::ScanVariant& scanner = scan::Fastest();
  auto flush = [&](size_t end) {
    scanner.leadAndTrail(s + stretch, o, end - stretch, step.minTrail, table);
    o += end - stretch;
  };
  size_t stop = n;
  while (i + 1 < n) {
    if (!IsLeadAndTrail(s[i], s[i + 1], step.minTrail)) {
      ++i;
      continue;
    }
    if (phrases.MayStart(s + i)) {
      // A phrase might reach into bytes yet to come: wait for them.
      if (!last && i + phrases.LongestKey() > n) {
        stop = i;
        break;
      }
      if (const PhraseTable::Entry* entry = phrases.Match(s + i, n - i)) {
        flush(i);
        std::memcpy(o, entry->value.data(), entry->value.size());
        o += entry->value.size();
        i += entry->key.size();
        stretch = i;
        continue;
      }
    }
    i += 2;
  }
  flush(stop);
  consumed = stop;
  return size_t(o - out);
}

size_t ConvMarlo::RunStep(const ConversionStep& step, std::string_view text, uint8_t* out,
                          int& pending, bool last, size_t& consumed) const {
  consumed = text.size();
  const uint16_t* table = tables_->scan[size_t(step.table)].data();
  switch (step.kind) {
    case StepKind::kLeadAndTrail:
      scan::Fastest().leadAndTrail(Bytes(text), out, text.size(), step.minTrail, table);
      return text.size();
    case StepKind::kTable:
      scan::Fastest().byTable(Bytes(text), out, text.size(), table);
      return text.size();
    case StepKind::kWidenAndTable: {
      const bool big5 = step.table == ScanTableId::kBigToUsc;
      return width::WidenAndScan(
          text, big5 ? tables_->widenBig5 : tables_->widenGbk, table,
          (big5 ? tables_->widenedBigToUsc : tables_->widenedGbkToUsc).data(), pending, last, out);
    }
    case StepKind::kNarrow:
      return width::NarrowUnicodeInto(text, out);
    case StepKind::kPhrases:
      return RunPhrases(step, text, out, last, consumed);
  }
  throw std::invalid_argument("unknown conversion step");
}

// An empty input gives a result untouched; any other carries a byte
// collection, filled on request.
std::shared_ptr<ConvResult> ConvMarlo::Run(Operation operation, std::string_view text,
                                           bool IsReturnbyte) const {
  auto result = std::make_shared<ConvResult>();
  if (text.empty()) return result;
  std::string out;
  std::string_view in = text;
  for (const ConversionStep& step : StepsOf(operation)) {
    int pending = -1;
    size_t consumed = 0;
    if (step.InPlace() && in.data() == out.data()) {
      RunStep(step, in, reinterpret_cast<uint8_t*>(out.data()), pending, true, consumed);
      continue;
    }
    std::string next(step.MaxOutput(in.size()), '\0');
    next.resize(
        RunStep(step, in, reinterpret_cast<uint8_t*>(next.data()), pending, true, consumed));
    out = std::move(next);
    in = out;
  }
  const auto& bytes = result->byteResults();
  if (IsReturnbyte) bytes->AppendValues(out);
  result->strResult = std::move(out);
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
