// SPDX-License-Identifier: Apache-2.0
#include "ConvMarlo.h"

#include "ByteScan.h"
#include "DerivedLookups.h"
#include "EmbeddedResources.h"
#include "TableParsers.h"
#include "WidthForms.h"

namespace marlo {

namespace {

const uint8_t* Bytes(std::string_view text) {
  return reinterpret_cast<const uint8_t*>(text.data());
}

// Runs one length-preserving scan into a new result. An empty input gives a
// result untouched; any other carries a byte collection, filled on request.
template <typename Scan>
std::shared_ptr<ConvResult> Convert(std::string_view source, bool IsReturnbyte, Scan scan) {
  auto result = std::make_shared<ConvResult>();
  if (source.empty()) return result;
  std::string out(source.size(), '\0');
  scan(Bytes(source), reinterpret_cast<uint8_t*>(out.data()), source.size());
  const auto& bytes = result->byteResults();
  if (IsReturnbyte) bytes->AppendValues(out);
  result->strResult = std::move(out);
  return result;
}

}  // namespace

ConvMarlo::ConvMarlo()
    : tables_(std::make_unique<CodeTables>()), lookups_(std::make_unique<DerivedLookups>()) {
  // Before InitMe the tables are all zero; the lookups agree with them.
  BuildDerivedLookups();
}

ConvMarlo::~ConvMarlo() = default;

void ConvMarlo::InitMe() {
  const auto big5ToGb = LoadResource(101);
  const auto gbToBig5 = LoadResource(102);
  const auto gbkUnicodeBig5 = LoadResource(103);
  const auto cnsData = LoadResource(104);
  const auto spcData = LoadResource(105);

  // Build everything aside first, so a malformed resource leaves the engine
  // as it was.
  auto tables = std::make_unique<CodeTables>();
  FillBig5ToGbTable(big5ToGb, tables->BigToGBTable);
  FillGbToBig5Table(gbToBig5, tables->GBToBigTable);
  FillGbkUnicodeBig5Tables(gbkUnicodeBig5, *tables);
  int32_t spcCount = 0;
  auto spcSymbols = ParseSpecialSymbols(spcData, spcCount);

  tables_ = std::move(tables);
  cnsData_ = cnsData;
  spcData_ = spcData;
  spcSymbols_ = std::move(spcSymbols);
  spcCount_ = spcCount;
  BuildDerivedLookups();
  ready_ = true;
}

void ConvMarlo::BuildDerivedLookups() {
  auto lookups = std::make_unique<DerivedLookups>();
  for (unsigned a = 0xA1; a <= 0xFF; ++a) {
    for (unsigned b = 0x40; b <= 0xFF; ++b) {
      const uint16_t both = uint16_t(a << 8 | b);
      const bool passThrough = a == 0xFF || b == 0xFF;
      lookups->bigToGb[both] = passThrough ? both : tables_->BigToGBTable[both];
      if (b >= 0xA1) {
        const unsigned row = a <= 0xAF ? a + 6 : a;  // the symbol rows are stored six rows down
        lookups->gbToBig[both] = passThrough ? both : tables_->GBToBigTable[row << 8 | b];
      }
    }
  }
  FillBigToCnsPairs(lookups->bigToCns);
  lookups->widenBig5 = width::FullWidthCodes(tables_->UscToBigTable, tables_->BigToUscTable);
  lookups->widenGbk = width::FullWidthCodes(tables_->UscToGbkTable, tables_->GbkToUscTable);
  lookups->toSpcBig = BuildSymbolExpansions(spcSymbols_, &SpecialSymbol::Column3);
  lookups->toSpcGb = BuildSymbolExpansions(spcSymbols_, &SpecialSymbol::Column2);
  lookups_ = std::move(lookups);
}

std::shared_ptr<ConvResult> ConvMarlo::BigToGB(std::string_view BigStr, bool IsReturnbyte) const {
  return Convert(BigStr, IsReturnbyte, [this](const uint8_t* s, uint8_t* o, size_t n) {
    scan::ScanLeadAndTrail(s, o, n, 0x40, lookups_->bigToGb.data());
  });
}

std::shared_ptr<ConvResult> ConvMarlo::GBToBig(std::string_view GBStr, bool IsReturnbyte) const {
  return Convert(GBStr, IsReturnbyte, [this](const uint8_t* s, uint8_t* o, size_t n) {
    scan::ScanLeadAndTrail(s, o, n, 0xA1, lookups_->gbToBig.data());
  });
}

std::shared_ptr<ConvResult> ConvMarlo::ConvByTable(std::string_view text, bool IsReturnbyte,
                                                   const CodeTable& table) const {
  return Convert(text, IsReturnbyte, [&table](const uint8_t* s, uint8_t* o, size_t n) {
    scan::ScanByTable(s, o, n, table.data());
  });
}

std::shared_ptr<ConvResult> ConvMarlo::GbkToBig(std::string_view GbkStr, bool IsReturnbyte) const {
  return ConvByTable(GbkStr, IsReturnbyte, tables_->GbkToBigTable);
}

std::shared_ptr<ConvResult> ConvMarlo::BigToGbk(std::string_view BigStr, bool IsReturnbyte) const {
  return ConvByTable(BigStr, IsReturnbyte, tables_->BigToGbkTable);
}

std::shared_ptr<ConvResult> ConvMarlo::USCToBig(std::string_view USCStr, bool IsReturnbyte) const {
  return ConvByTable(USCStr, IsReturnbyte, tables_->UscToBigTable);
}

std::shared_ptr<ConvResult> ConvMarlo::BigToUSC(std::string_view BigStr, bool IsReturnbyte) const {
  return ConvByTable(BigStr, IsReturnbyte, tables_->BigToUscTable);
}

std::shared_ptr<ConvResult> ConvMarlo::GbkToUSC(std::string_view GbkStr, bool IsReturnbyte) const {
  return ConvByTable(GbkStr, IsReturnbyte, tables_->GbkToUscTable);
}

std::shared_ptr<ConvResult> ConvMarlo::USCToGbk(std::string_view USCStr, bool IsReturnbyte) const {
  return ConvByTable(USCStr, IsReturnbyte, tables_->UscToGbkTable);
}

namespace {

// Widening and the table scan in one pass, into one allocation.
std::shared_ptr<ConvResult> WidenAndConvert(std::string_view text, bool IsReturnbyte,
                                            const std::array<uint16_t, 128>& fullWidth,
                                            const ConvMarlo::CodeTable& table) {
  auto result = std::make_shared<ConvResult>();
  if (text.empty()) return result;
  std::string out(2 * text.size() + 1, '\0');
  int pending = -1;
  out.resize(width::WidenAndScan(text, fullWidth, table.data(), pending, true,
                                 reinterpret_cast<uint8_t*>(out.data())));
  const auto& bytes = result->byteResults();
  if (IsReturnbyte) bytes->AppendValues(out);
  result->strResult = std::move(out);
  return result;
}

}  // namespace

std::shared_ptr<ConvResult> ConvMarlo::BigToUSCforWide(std::string_view BigStr,
                                                       bool IsReturnbyte) const {
  return WidenAndConvert(BigStr, IsReturnbyte, lookups_->widenBig5, tables_->BigToUscTable);
}

std::shared_ptr<ConvResult> ConvMarlo::GbkToUSCforWide(std::string_view GbkStr,
                                                       bool IsReturnbyte) const {
  return WidenAndConvert(GbkStr, IsReturnbyte, lookups_->widenGbk, tables_->GbkToUscTable);
}

std::shared_ptr<ConvResult> ConvMarlo::USCToGbkforNarrow(std::string_view USCStr,
                                                         bool IsReturnbyte) const {
  return USCToGbk(width::NarrowUnicode(USCStr), IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::USCToBigforNarrow(std::string_view USCStr,
                                                         bool IsReturnbyte) const {
  return USCToBig(width::NarrowUnicode(USCStr), IsReturnbyte);
}

std::shared_ptr<ConvResult> ConvMarlo::BigToCNS(std::string_view BigStr, bool IsReturnbyte) const {
  return ConvByTable(BigStr, IsReturnbyte, lookups_->bigToCns);
}

}  // namespace marlo
