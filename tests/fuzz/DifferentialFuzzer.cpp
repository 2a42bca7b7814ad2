// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: the ways a text is converted must agree on any bytes.
// The pipeline over the whole input and over pieces, marlo-convert's filter
// (standard input to standard output), a batch run of the input as a file,
// and the window's preview (which finds UTF-8 as the run does) give the
// same bytes, the same refusal and the same verdict on UTF-8.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "batch/ConversionPipeline.h"
#include "batch/ConversionRun.h"
#include "batch/ConversionTypes.h"
#include "batch/InputCheck.h"
#include "cli/StreamFilter.h"
#include "clipboard/PreviewData.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/PipelinePieces.h"
#include "tests/support/TempFolder.h"

namespace {

using marlo::fuzz::Engine;
using marlo::fuzz::Require;

struct Outcome {
  std::string output;
  bool refused = false;
  bool operator==(const Outcome&) const = default;
};

// The run's host, answering nothing: the target is always new.
class QuietHost : public marlo::RunHost {
 public:
  marlo::OverwriteAnswer AskOverwrite(const std::string&) override {
    return marlo::OverwriteAnswer::kSkip;
  }
  void ShowError(const std::string&) override { Require(false); }
  void AddRow(const marlo::RunRow& added) override { row = added; }
  marlo::RunRow row;
};

Outcome Pipeline(marlo::ConvType type, const marlo::TextEnds& ends, bool strict, bool phrases,
                 std::string_view input, std::initializer_list<size_t> cuts) {
  marlo::ConversionPipeline pipeline(Engine(), type, ends, true, strict, phrases);
  Outcome outcome;
  try {
    marlo::fuzz::FeedInPieces(pipeline, input, cuts, outcome.output);
  } catch (const marlo::InputError&) {
    return {{}, true};
  }
  return outcome;
}

Outcome Filter(marlo::ConvType type, const marlo::TextEnds& ends, bool strict, bool phrases,
               std::string_view input) {
  const int in = ::memfd_create("in", 0), out = ::memfd_create("out", 0);
  Require(in >= 0 && out >= 0);
  Require(::write(in, input.data(), input.size()) == ssize_t(input.size()));
  ::lseek(in, 0, SEEK_SET);
  marlo::cli::FilterCounts counts;
  Outcome outcome;
  outcome.refused =
      marlo::cli::FilterStream(Engine(), type, ends, strict, phrases, in, out, counts, "input")
          .has_value();
  const off_t size = ::lseek(out, 0, SEEK_END);
  outcome.output.resize(size_t(size));
  Require(::pread(out, outcome.output.data(), outcome.output.size(), 0) == size);
  ::close(in);
  ::close(out);
  if (outcome.refused) outcome.output.clear();
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;  // a run refuses an empty file
  static const bool quiet = [] {
    std::cerr.rdbuf(nullptr);  // the filter's warnings
    return true;
  }();
  (void)quiet;
  // The first bytes choose the type, the options and the cuts.
  const auto type = marlo::ConvType(data[0] % marlo::kConversionTypeCount);
  const uint8_t options = data[1];
  const bool detectUtf8 = (options & 1) != 0;
  const bool toUtf8 = (options & 2) != 0 && marlo::WritesUtf8(type);
  const bool strict = (options & 8) != 0;
  const bool phrases = (options & 16) != 0 && marlo::TakesPhrases(type);
  const std::string_view input(reinterpret_cast<const char*>(data) + 4, size - 4);
  const size_t cutA = data[2] % (input.size() + 1);
  const size_t cutB = cutA + data[3] % (input.size() - cutA + 1);

  // What the run finds, every other way is told.
  const bool readAsUtf8 = detectUtf8 && marlo::LooksLikeUtf8(input, true);
  const marlo::TextEnds ends{readAsUtf8, toUtf8, false};
  const Outcome whole = Pipeline(type, ends, strict, phrases, input, {});
  Require(Pipeline(type, ends, strict, phrases, input, {cutA, cutB}) == whole);
  Require(Filter(type, ends, strict, phrases, input) == whole);

  marlo::test::TempFolder dir;
  marlo::test::WriteFile(dir / "in.txt", input);
  marlo::RunSettings settings;
  settings.entries.push_back({dir / "in.txt", "in.txt"});
  settings.convType = type;
  settings.targetFolderText = dir / "out";
  settings.ends.toUtf8 = toUtf8;
  settings.checkInput = true;
  settings.strict = strict;
  settings.phrases = phrases;
  settings.detectUtf8 = detectUtf8;
  QuietHost host;
  Require(marlo::ConversionRun(Engine(), settings).Run(host) == marlo::RunOutcome::kFinished);
  const bool converted = host.row.outcome == marlo::RowOutcome::kConverted;
  Require(converted == !whole.refused);
  if (converted) {
    Require(marlo::test::ReadFile(dir / "out/in.txt") == whole.output);
    Require(host.row.readAsUtf8 == readAsUtf8);
  }

  // The preview checks nothing, so it converts what strict refuses.
  const marlo::PreviewData preview = marlo::ConvertForPreview(
      Engine(), type, input, false, marlo::ConversionChoices{detectUtf8, toUtf8, phrases});
  Require(preview.readAsUtf8 == readAsUtf8);
  if (!whole.refused) Require(preview.result && preview.result->strResult == whole.output);
  return 0;
}
