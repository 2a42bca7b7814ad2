// SPDX-License-Identifier: Apache-2.0
#include "engine/Operations.h"

#include <array>
#include <stdexcept>

namespace marlo {

namespace {

constexpr ConversionStep LeadAndTrail(CharacterParse parse, ScanTableId table) {
  return {StepKind::kLeadAndTrail, parse, table, LeastTrail(parse)};
}
constexpr ConversionStep ByTable(ScanTableId table) {
  return {StepKind::kTable, CharacterParse::kTable, table, 0};
}
constexpr ConversionStep WidenThen(ScanTableId table) {
  return {StepKind::kWidenAndTable, CharacterParse::kWidening, table, 0};
}
constexpr ConversionStep Phrases(CharacterParse parse, ScanTableId table) {
  return {StepKind::kPhrases, parse, table, LeastTrail(parse)};
}
constexpr ConversionStep kNarrow{StepKind::kNarrow, CharacterParse::kTable, ScanTableId::kUscToGbk,
                                 0};

struct OperationSteps {
  Operation operation;
  std::array<ConversionStep, 2> steps;
  size_t count;
};

using enum ScanTableId;
constexpr OperationSteps kOperations[] = {
    {Operation::BigToGB, {LeadAndTrail(CharacterParse::kBig5ToGb, kBigToGb)}, 1},
    {Operation::GBToBig, {LeadAndTrail(CharacterParse::kGbToBig5, kGbToBig)}, 1},
    {Operation::GbkToBig, {ByTable(kGbkToBig)}, 1},
    {Operation::BigToGbk, {ByTable(kBigToGbk)}, 1},
    {Operation::USCToBig, {ByTable(kUscToBig)}, 1},
    {Operation::BigToUSC, {ByTable(kBigToUsc)}, 1},
    {Operation::GbkToUSC, {ByTable(kGbkToUsc)}, 1},
    {Operation::USCToGbk, {ByTable(kUscToGbk)}, 1},
    {Operation::BigToUSCforWide, {WidenThen(kBigToUsc)}, 1},
    {Operation::GbkToUSCforWide, {WidenThen(kGbkToUsc)}, 1},
    {Operation::USCToGbkforNarrow, {kNarrow, ByTable(kUscToGbk)}, 2},
    {Operation::USCToBigforNarrow, {kNarrow, ByTable(kUscToBig)}, 2},
    {Operation::BigToCNS, {ByTable(kBigToCns)}, 1},
    {Operation::BigToGBPhrases, {Phrases(CharacterParse::kBig5ToGb, kBigToGb)}, 1},
    {Operation::GBToBigPhrases, {Phrases(CharacterParse::kGbToBig5, kGbToBig)}, 1},
    {Operation::GbkCharactersToBig, {ByTable(kGbkCharactersToBig)}, 1},
};

constexpr bool InEnumOrder() {
  for (size_t i = 0; i < std::size(kOperations); ++i)
    if (size_t(kOperations[i].operation) != i) return false;
  return true;
}
static_assert(InEnumOrder(), "kOperations lists the operations in their enum order");

}  // namespace

std::span<const ConversionStep> StepsOf(Operation operation) {
  const size_t index = size_t(operation);
  if (index >= std::size(kOperations)) throw std::invalid_argument("unknown operation");
  const OperationSteps& entry = kOperations[index];
  return {entry.steps.data(), entry.count};
}

}  // namespace marlo
