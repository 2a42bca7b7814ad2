// SPDX-License-Identifier: Apache-2.0
// The engine's byte conversions and the steps each is made of. Whole-text
// conversions and streams run the same steps, so an operation is described
// here once.
#pragma once

#include <cstdint>
#include <span>

#include "engine/ByteForms.h"

namespace marlo {

enum class Operation : uint8_t {
  BigToGB,
  GBToBig,
  GbkToBig,
  BigToGbk,
  USCToBig,
  BigToUSC,
  GbkToUSC,
  USCToGbk,
  BigToUSCforWide,
  GbkToUSCforWide,
  USCToGbkforNarrow,
  USCToBigforNarrow,
  BigToCNS,
  // BigToGB and GBToBig with phrases first: a phrase of the table wins over
  // its characters, and the output may differ in length.
  BigToGBPhrases,
  GBToBigPhrases,
  // GBK into Big5 by its characters rather than its codes: GB2312's
  // characters as GBToBig turns them (simplified to traditional), the
  // characters GBK alone holds (its traditional ones) as GbkToBig does.
  GbkCharactersToBig,
};

// The pair lookups the scans read, one per direction.
enum class ScanTableId : uint8_t {
  kBigToGb,
  kGbToBig,
  kGbkToBig,
  kBigToGbk,
  kUscToBig,
  kBigToUsc,
  kGbkToUsc,
  kUscToGbk,
  kBigToCns,
  kGbkCharactersToBig,
};
constexpr size_t kScanTableCount = 10;

enum class StepKind : uint8_t {
  kLeadAndTrail,   // pairs as the parse says; output as long as input
  kTable,          // pairs by the table parse; output as long as input
  kWidenAndTable,  // widen ASCII, then the table scan; output grows
  kNarrow,         // full-width ASCII units to single bytes; output shrinks
  kPhrases,        // phrases, then kLeadAndTrail where none matches
};

struct ConversionStep {
  StepKind kind;
  CharacterParse parse;
  ScanTableId table;  // unused by kNarrow
  uint8_t minTrail;   // kLeadAndTrail only

  // The output never needs more room than this for n input bytes.
  size_t MaxOutput(size_t n) const {
    if (kind == StepKind::kWidenAndTable) return 2 * n + 1;
    // A phrase's value is at most 3× its key; the phrase step keeps its
    // pairs' starts after that, a word for every 64 bytes.
    return kind == StepKind::kPhrases ? 3 * n + n / 8 + 16 : n;
  }
  // Whether the step may write over its own input.
  bool InPlace() const { return kind == StepKind::kLeadAndTrail || kind == StepKind::kTable; }
};

// The steps of an operation, in order.
std::span<const ConversionStep> StepsOf(Operation operation);

}  // namespace marlo
