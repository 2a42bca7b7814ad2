// SPDX-License-Identifier: Apache-2.0
// Throughput of the engine's conversions and the cost of InitMe.
#include <benchmark/benchmark.h>

#include "bench/SampleText.h"
#include "engine/ConvMarlo.h"
#include "engine/FormCheck.h"

namespace marlo::bench {
namespace {

constexpr size_t kInputSize = 16 << 20;

const ConvMarlo& Engine() {
  static const ConvMarlo* engine = [] {
    auto* e = new ConvMarlo;
    e->InitMe();
    return e;
  }();
  return *engine;
}

const std::string& Big5Prose() {
  static const std::string text = MakeBig5Prose(Engine(), kInputSize);
  return text;
}

const std::string& GbProse() {
  static const std::string text = Engine().BigToGB(Big5Prose())->strResult;
  return text;
}

const std::string& Big5ManPage() {
  static const std::string text = MakeBig5ManPage(Engine(), kInputSize);
  return text;
}

const std::string& GbkManPage() {
  static const std::string text = Engine().BigToGbk(Big5ManPage())->strResult;
  return text;
}

const std::string& GbkProse() {
  static const std::string text = Engine().BigToGbk(Big5Prose())->strResult;
  return text;
}

// Unicode byte form of the prose, written from GBK as a wide conversion so
// that every character is a two-byte unit.
const std::string& UnicodeProse() {
  static const std::string text = Engine().GbkToUSCforWide(GbkProse())->strResult;
  return text;
}

const std::shared_ptr<ConvResult>& UnicodeResult() {
  static const std::shared_ptr<ConvResult> result = Engine().BigToUSCforWide(Big5Prose(), true);
  return result;
}

const std::string& Ascii() {
  static const std::string text = MakeAsciiProse(kInputSize);
  return text;
}

void BM_InitMe(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    ConvMarlo engine;
    state.ResumeTiming();
    engine.InitMe();
    benchmark::DoNotOptimize(engine.IsReady());
  }
}
BENCHMARK(BM_InitMe)->Unit(benchmark::kMillisecond);

using Operation = std::shared_ptr<ConvResult> (ConvMarlo::*)(std::string_view, bool) const;

void RunConversion(benchmark::State& state, Operation operation, const std::string& input) {
  const bool returnBytes = state.range(0) != 0;
  for (auto _ : state) {
    auto result = (Engine().*operation)(input, returnBytes);
    benchmark::DoNotOptimize(result->strResult.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input.size()));
}

void BM_BigToGB_Cjk(benchmark::State& s) { RunConversion(s, &ConvMarlo::BigToGB, Big5Prose()); }
void BM_BigToGB_Ascii(benchmark::State& s) { RunConversion(s, &ConvMarlo::BigToGB, Ascii()); }
void BM_GBToBig_Cjk(benchmark::State& s) { RunConversion(s, &ConvMarlo::GBToBig, GbProse()); }
void BM_GBToBig_Ascii(benchmark::State& s) { RunConversion(s, &ConvMarlo::GBToBig, Ascii()); }
void BM_BigToGB_ManPage(benchmark::State& s) {
  RunConversion(s, &ConvMarlo::BigToGB, Big5ManPage());
}

// Argument: IsReturnbyte (0 or 1).
BENCHMARK(BM_BigToGB_Cjk)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigToGB_Ascii)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GBToBig_Cjk)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GBToBig_Ascii)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigToGB_ManPage)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_GbkToBig_Cjk(benchmark::State& s) { RunConversion(s, &ConvMarlo::GbkToBig, GbkProse()); }
void BM_BigToGbk_Cjk(benchmark::State& s) { RunConversion(s, &ConvMarlo::BigToGbk, Big5Prose()); }
void BM_BigToUSC_Cjk(benchmark::State& s) { RunConversion(s, &ConvMarlo::BigToUSC, Big5Prose()); }
void BM_USCToGbk_Cjk(benchmark::State& s) {
  RunConversion(s, &ConvMarlo::USCToGbk, UnicodeProse());
}
void BM_GbkToUSCforWide_Cjk(benchmark::State& s) {
  RunConversion(s, &ConvMarlo::GbkToUSCforWide, GbkProse());
}
void BM_GbkToUSCforWide_ManPage(benchmark::State& s) {
  RunConversion(s, &ConvMarlo::GbkToUSCforWide, GbkManPage());
}
void BM_BigToCNS_Cjk(benchmark::State& s) { RunConversion(s, &ConvMarlo::BigToCNS, Big5Prose()); }
BENCHMARK(BM_GbkToBig_Cjk)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigToGbk_Cjk)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigToUSC_Cjk)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_USCToGbk_Cjk)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GbkToUSCforWide_Cjk)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GbkToUSCforWide_ManPage)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigToCNS_Cjk)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_BigToSpcBig_Cjk(benchmark::State& state) {
  for (auto _ : state) {
    std::string text = Big5Prose();
    benchmark::DoNotOptimize(Engine().BigToSpcBig(text).data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Big5Prose().size()));
}
BENCHMARK(BM_BigToSpcBig_Cjk)->Unit(benchmark::kMillisecond);

// Input bytes are the byte values of the result reported.
void BM_USCToWebContent_Cjk(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Engine().USCToWebContent(UnicodeResult()).data());
  state.SetBytesProcessed(int64_t(state.iterations()) * UnicodeResult()->byteResults()->Count());
}
BENCHMARK(BM_USCToWebContent_Cjk)->Unit(benchmark::kMillisecond);

// The input check reads the first MiB of every file: under the file's own
// code, and as UTF-8 when UTF-8 sources are detected.
void BM_CountErrors_ManPage(benchmark::State& state) {
  const std::string_view start = std::string_view(Big5ManPage()).substr(0, 1 << 20);
  for (auto _ : state)
    benchmark::DoNotOptimize(CountErrors(Engine(), SourceCode::kBig5, start).errors);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(start.size()));
}
void BM_IsUtf8BeyondAscii_ManPage(benchmark::State& state) {
  const std::string_view start = std::string_view(Big5ManPage()).substr(0, 1 << 20);
  for (auto _ : state) benchmark::DoNotOptimize(IsUtf8BeyondAscii(start));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(start.size()));
}
BENCHMARK(BM_CountErrors_ManPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IsUtf8BeyondAscii_ManPage)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marlo::bench

BENCHMARK_MAIN();
