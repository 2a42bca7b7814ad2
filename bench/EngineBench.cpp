// Throughput of the engine's conversions and the cost of InitMe.
#include <benchmark/benchmark.h>

#include "ConvMarlo.h"
#include "SampleText.h"

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

const std::string& Ascii() {
  static const std::string text = MakeAsciiProse(kInputSize);
  return text;
}

void BM_InitMe(benchmark::State& state) {
  for (auto _ : state) {
    ConvMarlo engine;
    engine.InitMe();
    benchmark::DoNotOptimize(engine.Tables().BigToGBTable[0xA440]);
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

// Argument: IsReturnbyte (0 or 1).
BENCHMARK(BM_BigToGB_Cjk)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigToGB_Ascii)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GBToBig_Cjk)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GBToBig_Ascii)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace marlo::bench

BENCHMARK_MAIN();
