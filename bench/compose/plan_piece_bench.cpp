// How long planPiece takes for the shortest and the longest piece, log file
// included. A Generate plans once, so well under 50 ms for 90 phrases keeps
// planning out of the user's way.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "compose/composer.h"
#include "platform/paths.h"

namespace {

void planPiece(benchmark::State& state) {
  brisolt::compose::Composer composer;
  brisolt::compose::PlanOptions options;
  options.outputPrefix = brisolt::platform::temporaryFolder() + "brisolt_plan_bench_";
  options.motifForm = "Ope";
  options.motifSimilarity = "Com";
  options.voiceSet = "F";
  options.phraseCount = static_cast<int>(state.range(0));
  std::uint32_t sessionId = 1;
  for (auto _ : state) {
    composer.fixSessionId(sessionId++);
    benchmark::DoNotOptimize(composer.planPiece(options));
  }
  state.counters["bars"] = composer.plan().barCount;
  std::remove((options.outputPrefix + "log.txt").c_str());
}
BENCHMARK(planPiece)->Arg(5)->Arg(90)->Unit(benchmark::kMillisecond);

void constructComposer(benchmark::State& state) {
  for (auto _ : state) {
    brisolt::compose::Composer composer;
    benchmark::DoNotOptimize(composer.patternBitmaps().data());
  }
}
BENCHMARK(constructComposer)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
