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

#include "ConvResult.h"

namespace marlo {

// One line of the special-symbol table, as bytes.
struct SpecialSymbol {
  std::string Symbol;
  std::string Column2;
  std::string Column3;
  std::string Column4;
};

class ConvMarlo {
 public:
  // A 256 × 256 table indexed by (first byte << 8) | second byte; an entry
  // holds a two-byte code, first byte in the high half, 0 for nothing.
  using CodeTable = std::array<uint16_t, 256 * 256>;

  struct CodeTables {
    CodeTable BigToGBTable;  // Big5 lead 0xA1..0xFE, trail 0x40..0xFE → GB2312
    CodeTable GBToBigTable;  // stored row 0xA7..0xFE, cell 0xA1..0xFE → Big5
    CodeTable GbkToBigTable;
    CodeTable UscToBigTable;
    CodeTable BigToGbkTable;
    CodeTable BigToUscTable;
    CodeTable GbkToUscTable;
    CodeTable UscToGbkTable;
  };

  ConvMarlo();
  ~ConvMarlo();
  ConvMarlo(const ConvMarlo&) = delete;
  ConvMarlo& operator=(const ConvMarlo&) = delete;

  // Builds every table from the embedded resources. Calling it again
  // rebuilds them and reaches the same state. Throws std::runtime_error on a
  // malformed resource.
  void InitMe();

  // Big5 → GB2312, traditional characters to simplified ones.
  std::shared_ptr<ConvResult> BigToGB(std::string_view BigStr, bool IsReturnbyte = false) const;
  // GB2312 → Big5, simplified characters to traditional ones.
  std::shared_ptr<ConvResult> GBToBig(std::string_view GBStr, bool IsReturnbyte = false) const;

  const CodeTables& Tables() const { return *tables_; }
  std::span<const uint8_t> CnsData() const { return cnsData_; }
  std::span<const uint8_t> SpcData() const { return spcData_; }
  const std::vector<SpecialSymbol>& SpcSymbols() const { return spcSymbols_; }
  int32_t SpcCount() const { return spcCount_; }

 private:
  // Lookups derived from the tables so each scan step is one array read:
  // the 0xFF pass-through and the GB2312 row shift are folded in.
  struct PairMaps {
    CodeTable bigToGb;
    CodeTable gbToBig;
  };

  void BuildPairMaps();

  std::unique_ptr<CodeTables> tables_;
  std::unique_ptr<PairMaps> pairs_;
  std::span<const uint8_t> cnsData_;
  std::span<const uint8_t> spcData_;
  std::vector<SpecialSymbol> spcSymbols_;
  int32_t spcCount_ = 0;
};

}  // namespace marlo
