// Measures the stereo rendition of a synthetic piece: playing, measuring,
// mastering and writing, as the program makes it. Prints one line of figures.
//
//   brisolt-rendition-bench PHRASES OUTPUT.wav [SOUNDFONT]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/rendition/synthetic_piece.h"
#include "rendition/rendition.h"
#include "rendition/soundfont_locator.h"

namespace {

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace brisolt;
  if (argc < 3) {
    std::fprintf(stderr, "usage: brisolt-rendition-bench PHRASES OUTPUT.wav [SOUNDFONT]\n");
    return 2;
  }
  const int phrases = std::atoi(argv[1]);
  rendition::RenditionRequest request;
  request.notes = bench::syntheticPiece(phrases, 20240131);
  request.lengthSeconds = bench::pieceSeconds(phrases);
  request.soundfontPath = argc > 3 ? argv[3] : rendition::findPianoSoundfont();

  // The process's own start (loading the libraries the whole program links)
  // is paid with or without a rendition: cpu_speed_x counts it, render_cpu_s
  // and render_cpu_speed_x leave it out.
  const double cpuBefore = cpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  const rendition::Rendition made = rendition::renderRendition(request, argv[2]);
  const double total = since(start);
  const double renderCpu = cpuSeconds() - cpuBefore;
  if (made.result != rendition::RenditionResult::kOk) {
    std::fprintf(stderr, "%s\n", made.message.c_str());
    return 1;
  }
  const rendition::Mastering& mastering = made.mastering;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf(
      "phrases=%d notes=%zu audio_s=%.1f total_s=%.2f speed_x=%.0f cpu_s=%.2f cpu_speed_x=%.0f render_cpu_s=%.2f render_cpu_speed_x=%.0f start_cpu_s=%.2f max_rss_mb=%ld "
      "in_lufs=%.1f out_lufs=%.2f out_dbtp=%.2f gain_db=%.1f ceiling_db=%.2f attempts=%d\n",
      phrases, request.notes.size(), made.seconds, total, made.seconds / total, cpuSeconds(),
      made.seconds / cpuSeconds(), renderCpu, made.seconds / renderCpu, cpuBefore, usage.ru_maxrss / 1024, mastering.inputLufs, mastering.outputLufs,
      mastering.outputTruePeakDbtp, mastering.gainDb, mastering.limiterCeilingDb, mastering.attempts);
  return 0;
}
