#include "ConvStream.h"

#include <stdexcept>

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

ConvStream::ConvStream(const ConvMarlo& engine, const std::vector<Operation>& operations) {
  for (Operation operation : operations) AddSteps(engine, operation);
}

void ConvStream::AddSteps(const ConvMarlo& engine, Operation operation) {
  using Member = std::shared_ptr<ConvResult> (ConvMarlo::*)(std::string_view, bool) const;
  auto step = [&](CharacterParse parse, Member member) {
    steps_.push_back({parse,
                      [&engine, member](std::string_view text) {
                        return std::move((engine.*member)(text, false)->strResult);
                      },
                      {}});
  };
  const ConvMarlo::DerivedLookups& lookups = *engine.lookups_;
  auto widen = [&](const std::array<uint16_t, 128>& fullWidth) {
    steps_.push_back({CharacterParse::kWidening,
                      [&fullWidth](std::string_view text) { return width::Widen(text, fullWidth); },
                      {}});
  };
  auto narrow = [&] {
    steps_.push_back({CharacterParse::kTable,
                      [](std::string_view text) { return width::NarrowUnicode(text); },
                      {}});
  };
  switch (operation) {
    case Operation::BigToGB:
      return step(CharacterParse::kBig5ToGb, &ConvMarlo::BigToGB);
    case Operation::GBToBig:
      return step(CharacterParse::kGbToBig5, &ConvMarlo::GBToBig);
    case Operation::GbkToBig:
      return step(CharacterParse::kTable, &ConvMarlo::GbkToBig);
    case Operation::BigToGbk:
      return step(CharacterParse::kTable, &ConvMarlo::BigToGbk);
    case Operation::USCToBig:
      return step(CharacterParse::kTable, &ConvMarlo::USCToBig);
    case Operation::BigToUSC:
      return step(CharacterParse::kTable, &ConvMarlo::BigToUSC);
    case Operation::GbkToUSC:
      return step(CharacterParse::kTable, &ConvMarlo::GbkToUSC);
    case Operation::USCToGbk:
      return step(CharacterParse::kTable, &ConvMarlo::USCToGbk);
    case Operation::BigToCNS:
      return step(CharacterParse::kTable, &ConvMarlo::BigToCNS);
    case Operation::BigToUSCforWide:
      widen(lookups.widenBig5);
      return step(CharacterParse::kTable, &ConvMarlo::BigToUSC);
    case Operation::GbkToUSCforWide:
      widen(lookups.widenGbk);
      return step(CharacterParse::kTable, &ConvMarlo::GbkToUSC);
    case Operation::USCToGbkforNarrow:
      narrow();
      return step(CharacterParse::kTable, &ConvMarlo::USCToGbk);
    case Operation::USCToBigforNarrow:
      narrow();
      return step(CharacterParse::kTable, &ConvMarlo::USCToBig);
  }
  throw std::invalid_argument("unknown operation");
}

void ConvStream::Feed(std::string_view piece, bool last, std::string& out) {
  std::string carried;  // what the previous step made final, for the next one
  std::string_view input = piece;
  for (Step& step : steps_) {
    std::string joined;
    std::string_view text = input;
    if (!step.pending.empty()) {
      joined = std::move(step.pending);
      joined.append(input);
      text = joined;
    }
    const size_t cut = last ? text.size() : WholeCharacterPrefix(step.parse, text);
    std::string converted = cut == 0 ? std::string() : step.convert(text.substr(0, cut));
    step.pending.assign(text.substr(cut));
    carried = std::move(converted);
    input = carried;
  }
  out.append(input);
}

}  // namespace marlo
