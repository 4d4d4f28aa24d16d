// What lighting the face's keys costs, on the score of a real piece: keeping
// the score at Generate (score.json written), reading it when a mix starts
// playing, and looking up the sounding keys at one timer tick. Set
// $BRISOLT_SCORE_JSON to a session's score.json (brisolt compose leaves one
// beside the log); without it the benchmarks are skipped.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "playback/keyboard_lights.h"
#include "render/score_json.h"

namespace brisolt::playback {
namespace {

const render::Score* pieceScore() {
  static const render::Score* score = [] () -> const render::Score* {
    const char* path = std::getenv("BRISOLT_SCORE_JSON");
    if (!path) return nullptr;
    render::ScoreParse parse = render::readScoreFile(path);
    return parse.score ? new render::Score(std::move(*parse.score)) : nullptr;
  }();
  return score;
}

double pieceMilliseconds(const render::Score& score) {
  std::uint64_t end = 0;
  for (const render::ScoreFile& file : score.files) end = std::max(end, file.dataBytes);
  return render::bytesToSeconds(end) * 1000.0;
}

void BM_WriteScoreAtGenerate(benchmark::State& state) {
  const render::Score* score = pieceScore();
  if (!score) return state.SkipWithError("set BRISOLT_SCORE_JSON to a score.json");
  const std::string path = "/tmp/brisolt_bench_score_" + std::to_string(getpid()) + ".json";
  for (auto _ : state) benchmark::DoNotOptimize(render::writeScoreFile(*score, path));
  unlink(path.c_str());
  state.counters["notes"] = static_cast<double>(score->notes.size());
}
BENCHMARK(BM_WriteScoreAtGenerate)->Unit(benchmark::kMillisecond);

void BM_LoadKeysAtPlay(benchmark::State& state) {
  const char* path = std::getenv("BRISOLT_SCORE_JSON");
  if (!path || !pieceScore()) return state.SkipWithError("set BRISOLT_SCORE_JSON to a score.json");
  for (auto _ : state) benchmark::DoNotOptimize(loadSoundingKeys(path).noteCount());
}
BENCHMARK(BM_LoadKeysAtPlay)->Unit(benchmark::kMillisecond);

// One timer tick's look-up, at positions 100 ms apart through the piece.
void BM_KeysAtOneTick(benchmark::State& state) {
  const render::Score* score = pieceScore();
  if (!score) return state.SkipWithError("set BRISOLT_SCORE_JSON to a score.json");
  const SoundingKeys keys(*score);
  const double length = pieceMilliseconds(*score);
  double at = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(keys.at(at));
    at += 100;
    if (at > length) at = 0;
  }
}
BENCHMARK(BM_KeysAtOneTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brisolt::playback

BENCHMARK_MAIN();
