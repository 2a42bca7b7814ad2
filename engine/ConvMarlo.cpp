// SPDX-License-Identifier: Apache-2.0
#include "ConvMarlo.h"

#include <stdexcept>

#include "BakedTables.h"
#include "ByteScan.h"
#include "EmbeddedResources.h"
#include "SymbolLookups.h"
#include "TableParsers.h"
#include "WidthForms.h"

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

ConvMarlo::ConvMarlo() : tables_(&gZeroTables), symbols_(std::make_unique<SymbolLookups>()) {}

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
  cnsData_ = resources[3];
  spcData_ = resources[4];
  spcSymbols_ = std::move(spcSymbols);
  spcCount_ = spcCount;
  ready_ = true;
}

const ConvMarlo::CodeTables& ConvMarlo::Tables() const { return tables_->codes; }

const ConvMarlo::SymbolLookups& ConvMarlo::Symbols() const {
  std::call_once(symbols_->built, [this] {
    symbols_->toSpcBig = BuildSymbolExpansions(spcSymbols_, &SpecialSymbol::Column3);
    symbols_->toSpcGb = BuildSymbolExpansions(spcSymbols_, &SpecialSymbol::Column2);
  });
  return *symbols_;
}

size_t ConvMarlo::RunStep(const ConversionStep& step, std::string_view text, uint8_t* out,
                          int& pending, bool last) const {
  const uint16_t* table = tables_->scan[size_t(step.table)].data();
  switch (step.kind) {
    case StepKind::kLeadAndTrail:
      scan::Fastest().leadAndTrail(Bytes(text), out, text.size(), step.minTrail, table);
      return text.size();
    case StepKind::kTable:
      scan::Fastest().byTable(Bytes(text), out, text.size(), table);
      return text.size();
    case StepKind::kWidenAndTable: {
      const auto& fullWidth =
          step.table == ScanTableId::kBigToUsc ? tables_->widenBig5 : tables_->widenGbk;
      return width::WidenAndScan(text, fullWidth, table, pending, last, out);
    }
    case StepKind::kNarrow:
      return width::NarrowUnicodeInto(text, out);
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
    if (step.InPlace() && in.data() == out.data()) {
      RunStep(step, in, reinterpret_cast<uint8_t*>(out.data()), pending, true);
      continue;
    }
    std::string next(step.MaxOutput(in.size()), '\0');
    next.resize(RunStep(step, in, reinterpret_cast<uint8_t*>(next.data()), pending, true));
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
