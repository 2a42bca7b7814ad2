#include "ConvMarlo.h"

#include "ByteScan.h"
#include "EmbeddedResources.h"
#include "TableParsers.h"

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
    : tables_(std::make_unique<CodeTables>()), pairs_(std::make_unique<PairMaps>()) {}

ConvMarlo::~ConvMarlo() = default;

void ConvMarlo::InitMe() {
  const auto big5ToGb = LoadResource(101);
  const auto gbToBig5 = LoadResource(102);
  const auto gbkUnicodeBig5 = LoadResource(103);
  cnsData_ = LoadResource(104);
  spcData_ = LoadResource(105);

  auto tables = std::make_unique<CodeTables>();
  FillBig5ToGbTable(big5ToGb, tables->BigToGBTable);
  FillGbToBig5Table(gbToBig5, tables->GBToBigTable);
  FillGbkUnicodeBig5Tables(gbkUnicodeBig5, *tables);
  spcSymbols_ = ParseSpecialSymbols(spcData_, spcCount_);
  tables_ = std::move(tables);
  BuildPairMaps();
}

void ConvMarlo::BuildPairMaps() {
  auto pairs = std::make_unique<PairMaps>();
  for (unsigned a = 0xA1; a <= 0xFF; ++a) {
    for (unsigned b = 0x40; b <= 0xFF; ++b) {
      const uint16_t both = uint16_t(a << 8 | b);
      const bool passThrough = a == 0xFF || b == 0xFF;
      pairs->bigToGb[both] = passThrough ? both : tables_->BigToGBTable[both];
      if (b >= 0xA1) {
        const unsigned row = a <= 0xAF ? a + 6 : a;  // the symbol rows are stored six rows down
        pairs->gbToBig[both] = passThrough ? both : tables_->GBToBigTable[row << 8 | b];
      }
    }
  }
  pairs_ = std::move(pairs);
}

std::shared_ptr<ConvResult> ConvMarlo::BigToGB(std::string_view BigStr, bool IsReturnbyte) const {
  return Convert(BigStr, IsReturnbyte, [this](const uint8_t* s, uint8_t* o, size_t n) {
    scan::ScanLeadAndTrail(s, o, n, 0x40, pairs_->bigToGb.data());
  });
}

std::shared_ptr<ConvResult> ConvMarlo::GBToBig(std::string_view GBStr, bool IsReturnbyte) const {
  return Convert(GBStr, IsReturnbyte, [this](const uint8_t* s, uint8_t* o, size_t n) {
    scan::ScanLeadAndTrail(s, o, n, 0xA1, pairs_->gbToBig.data());
  });
}

}  // namespace marlo
