// SPDX-License-Identifier: Apache-2.0
#include "ConvStream.h"

#include <functional>
#include <memory>
#include <stdexcept>

#include "ByteScan.h"

#include "DerivedLookups.h"
#include "WidthForms.h"

namespace marlo {

namespace {

bool IsPrintable(char c) { return uint8_t(c) >= 0x01 && uint8_t(c) <= 0x7E; }

bool StartsPair(CharacterParse parse, uint8_t a, uint8_t b) {
  switch (parse) {
    case CharacterParse::kBig5ToGb:
      return a >= 0xA1 && b >= 0x40;
    case CharacterParse::kGbToBig5:
      return a >= 0xA1 && b >= 0xA1;
    case CharacterParse::kTable:
      return a == 0x00 || a >= 0x7F;
    case CharacterParse::kWidening:
      return a >= 0x81 && a <= 0xFE;
  }
  return false;
}

// Whether a last byte could still form a pair with a byte to come.
bool MayStartPair(CharacterParse parse, uint8_t a) {
  switch (parse) {
    case CharacterParse::kBig5ToGb:
    case CharacterParse::kGbToBig5:
      return a >= 0xA1;
    case CharacterParse::kTable:
      return a == 0x00 || a >= 0x7F;
    case CharacterParse::kWidening:
      return a >= 0x81 && a <= 0xFE;
  }
  return true;
}

}  // namespace

std::shared_ptr<ConvResult> RunOperation(const ConvMarlo& engine, Operation operation,
                                         std::string_view text, bool IsReturnbyte) {
  switch (operation) {
    case Operation::BigToGB:
      return engine.BigToGB(text, IsReturnbyte);
    case Operation::GBToBig:
      return engine.GBToBig(text, IsReturnbyte);
    case Operation::GbkToBig:
      return engine.GbkToBig(text, IsReturnbyte);
    case Operation::BigToGbk:
      return engine.BigToGbk(text, IsReturnbyte);
    case Operation::USCToBig:
      return engine.USCToBig(text, IsReturnbyte);
    case Operation::BigToUSC:
      return engine.BigToUSC(text, IsReturnbyte);
    case Operation::GbkToUSC:
      return engine.GbkToUSC(text, IsReturnbyte);
    case Operation::USCToGbk:
      return engine.USCToGbk(text, IsReturnbyte);
    case Operation::BigToUSCforWide:
      return engine.BigToUSCforWide(text, IsReturnbyte);
    case Operation::GbkToUSCforWide:
      return engine.GbkToUSCforWide(text, IsReturnbyte);
    case Operation::USCToGbkforNarrow:
      return engine.USCToGbkforNarrow(text, IsReturnbyte);
    case Operation::USCToBigforNarrow:
      return engine.USCToBigforNarrow(text, IsReturnbyte);
    case Operation::BigToCNS:
      return engine.BigToCNS(text, IsReturnbyte);
  }
  throw std::invalid_argument("unknown operation");
}

size_t WholeCharacterPrefix(CharacterParse parse, std::string_view bytes) {
  // Under every parse a byte 0x01..0x7E never starts a pair, so the second
  // of two such bytes in a row is a whole character: cut right after it.
  constexpr size_t kLookBack = 256;
  for (size_t p = bytes.size(); p >= 2 && bytes.size() - p < kLookBack; --p)
    if (IsPrintable(bytes[p - 1]) && IsPrintable(bytes[p - 2])) return p;
  const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i + 1 < n) i += StartsPair(parse, s[i], s[i + 1]) ? 2 : 1;
  if (i == n - 1 && MayStartPair(parse, s[i])) return i;
  return n;
}

// A growing output buffer that is never cleared: converted bytes overwrite it.
class OutputBuffer {
 public:
  uint8_t* Reserve(size_t size) {
    if (size > capacity_) {
      bytes_.reset(new uint8_t[size]);
      capacity_ = size;
    }
    return bytes_.get();
  }
  std::string_view View(size_t size) const {
    return {reinterpret_cast<const char*>(bytes_.get()), size};
  }

 private:
  std::unique_ptr<uint8_t[]> bytes_;
  size_t capacity_ = 0;
};

struct ConvStream::Step {
  CharacterParse parse;
  // Converts whole characters into out; returns the output length. last
  // says the text ends the stream.
  std::function<size_t(std::string_view, OutputBuffer&, bool)> convert;
  std::string pending;  // input bytes held back for the next piece
  OutputBuffer output;
};

ConvStream::ConvStream(const ConvMarlo& engine, const std::vector<Operation>& operations) {
  for (Operation operation : operations) AddSteps(engine, operation);
}

ConvStream::~ConvStream() = default;

void ConvStream::AddSteps(const ConvMarlo& engine, Operation operation) {
  const ConvMarlo::CodeTables& tables = *engine.tables_;
  const ConvMarlo::DerivedLookups& lookups = *engine.lookups_;
  auto add = [this](CharacterParse parse,
                    std::function<size_t(std::string_view, OutputBuffer&, bool)> f) {
    steps_.push_back({parse, std::move(f), {}, {}});
  };
  auto bytes = [](std::string_view text) { return reinterpret_cast<const uint8_t*>(text.data()); };
  auto leadAndTrail = [&](CharacterParse parse, uint8_t minTrail,
                          const ConvMarlo::CodeTable& pairs) {
    add(parse, [=, &pairs](std::string_view in, OutputBuffer& out, bool) {
      scan::ScanLeadAndTrail(bytes(in), out.Reserve(in.size()), in.size(), minTrail, pairs.data());
      return in.size();
    });
  };
  auto byTable = [&](const ConvMarlo::CodeTable& table) {
    add(CharacterParse::kTable, [=, &table](std::string_view in, OutputBuffer& out, bool) {
      scan::ScanByTable(bytes(in), out.Reserve(in.size()), in.size(), table.data());
      return in.size();
    });
  };
  // The table scan's byte that waits for a partner is the step's own state.
  auto widenAndScan = [&](const std::array<uint16_t, 128>& fullWidth,
                          const ConvMarlo::CodeTable& table) {
    add(CharacterParse::kWidening, [&fullWidth, &table, pending = -1](
                                       std::string_view in, OutputBuffer& out, bool last) mutable {
      return width::WidenAndScan(in, fullWidth, table.data(), pending, last,
                                 out.Reserve(2 * in.size() + 1));
    });
  };
  auto narrow = [&] {
    add(CharacterParse::kTable, [](std::string_view in, OutputBuffer& out, bool) {
      return width::NarrowUnicodeInto(in, out.Reserve(in.size()));
    });
  };
  switch (operation) {
    case Operation::BigToGB:
      return leadAndTrail(CharacterParse::kBig5ToGb, 0x40, lookups.bigToGb);
    case Operation::GBToBig:
      return leadAndTrail(CharacterParse::kGbToBig5, 0xA1, lookups.gbToBig);
    case Operation::GbkToBig:
      return byTable(tables.GbkToBigTable);
    case Operation::BigToGbk:
      return byTable(tables.BigToGbkTable);
    case Operation::USCToBig:
      return byTable(tables.UscToBigTable);
    case Operation::BigToUSC:
      return byTable(tables.BigToUscTable);
    case Operation::GbkToUSC:
      return byTable(tables.GbkToUscTable);
    case Operation::USCToGbk:
      return byTable(tables.UscToGbkTable);
    case Operation::BigToCNS:
      return byTable(lookups.bigToCns);
    case Operation::BigToUSCforWide:
      return widenAndScan(lookups.widenBig5, tables.BigToUscTable);
    case Operation::GbkToUSCforWide:
      return widenAndScan(lookups.widenGbk, tables.GbkToUscTable);
    case Operation::USCToGbkforNarrow:
      narrow();
      return byTable(tables.UscToGbkTable);
    case Operation::USCToBigforNarrow:
      narrow();
      return byTable(tables.UscToBigTable);
  }
  throw std::invalid_argument("unknown operation");
}

std::string_view ConvStream::Feed(std::string_view piece, bool last) {
  std::string_view input = piece;
  std::string joined;
  for (Step& step : steps_) {
    std::string_view text = input;
    if (!step.pending.empty()) {
      joined.assign(step.pending);
      joined.append(input);
      text = joined;
    }
    const size_t cut = last ? text.size() : WholeCharacterPrefix(step.parse, text);
    const size_t size = step.convert(text.substr(0, cut), step.output, last);
    step.pending.assign(text.substr(cut));
    input = step.output.View(size);
  }
  return input;
}

}  // namespace marlo
