// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: a type's whole chain (UTF-8 at either end, the input
// check, --strict, phrases) on arbitrary bytes. Whatever the cutting of the
// input into pieces, the output, or the refusal, is that of the whole.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "batch/ConversionPipeline.h"
#include "batch/ConversionTypes.h"
#include "engine/ConvMarlo.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/PipelinePieces.h"

namespace {

using marlo::fuzz::Engine;
using marlo::fuzz::Require;

struct Outcome {
  std::string output;
  std::optional<std::string> refusal;
  std::array<uint64_t, 3> counts{};  // replaced, unconverted, invalid
  bool operator==(const Outcome&) const = default;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  // The first bytes choose the type, the options and the cuts.
  const auto type = marlo::ConvType(data[0] % marlo::kConversionTypeCount);
  const uint8_t options = data[1];
  // BigToCNS writes no UTF-8: the pipeline refuses to be made so.
  const marlo::TextEnds ends{(options & 1) != 0, (options & 2) != 0 && marlo::WritesUtf8(type),
                             (options & 4) != 0};
  const bool strict = (options & 8) != 0;
  const bool phrases = (options & 16) != 0 && marlo::TakesPhrases(type);
  const std::string_view input(reinterpret_cast<const char*>(data) + 4, size - 4);
  const size_t cutA = input.empty() ? 0 : data[2] % (input.size() + 1);
  const size_t cutB = input.empty() ? 0 : cutA + data[3] % (input.size() - cutA + 1);

  bool whereItStands = false;
  auto run = [&](std::initializer_list<size_t> cuts) {
    marlo::ConversionPipeline pipeline(Engine(), type, ends, true, strict, phrases);
    Outcome outcome;
    bool foundWhereItStands = false;
    try {
      marlo::fuzz::FeedInPieces(pipeline, input, cuts, outcome.output);
      outcome.counts = {pipeline.replaced(), pipeline.unconverted(), pipeline.invalid()};
    } catch (const marlo::InputError& e) {
      outcome.refusal = marlo::Describe(e.failure());
      foundWhereItStands = e.failure().reason == marlo::FailureReason::kInvalidUtf8 ||
                           e.failure().reason == marlo::FailureReason::kCharacterReplaced;
    }
    // A refused input gives nothing, however far it came; invalid UTF-8 and
    // a replaced character are found where they stand, after what came
    // before them went out.
    if (outcome.refusal && strict && !foundWhereItStands) Require(outcome.output.empty());
    whereItStands = whereItStands || foundWhereItStands;
    return outcome;
  };
  const Outcome whole = run({});
  const Outcome pieces = run({cutA, cutB});
  // Both refuse, and with the same words, but where invalid UTF-8 and a
  // replaced character are both in the input: the whole input's decoding
  // meets the first before any of it converts, pieces may convert a
  // replaced character before their decoding reaches the invalid bytes.
  Require(whole.refusal.has_value() == pieces.refusal.has_value());
  if (!whereItStands) Require(whole.refusal == pieces.refusal);
  if (!whole.refusal) Require(whole.output == pieces.output && whole.counts == pieces.counts);
  return 0;
}
