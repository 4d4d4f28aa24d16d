// Measures the stereo rendition of a synthetic piece phase by phase:
// synthesis (two threads), mastering, writing. Prints one line of figures.
//
//   brisolt-rendition-bench PHRASES OUTPUT.wav [SOUNDFONT]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/rendition/synthetic_piece.h"
#include "rendition/mastering.h"
#include "rendition/piano_synthesis.h"
#include "rendition/soundfont_locator.h"
#include "rendition/wave_writer.h"

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
  const std::string soundfont = argc > 3 ? argv[3] : rendition::findPianoSoundfont();
  const auto notes = bench::syntheticPiece(phrases, 20240131);
  const double length = bench::pieceSeconds(phrases);

  const auto start = std::chrono::steady_clock::now();
  rendition::Synthesis synthesis = rendition::synthesizePiano(notes, length, soundfont);
  const double synthesisSeconds = since(start);
  const double synthesisCpu = cpuSeconds();
  if (synthesis.result != rendition::SynthesisResult::kOk) {
    std::fprintf(stderr, "%s\n", synthesis.message.c_str());
    return 1;
  }
  const auto masterStart = std::chrono::steady_clock::now();
  const rendition::Mastering mastering = rendition::masterToLoudness(synthesis.audio, {});
  const double masteringSeconds = since(masterStart);
  const double masteringCpu = cpuSeconds() - synthesisCpu;
  const auto writeStart = std::chrono::steady_clock::now();
  const rendition::WaveWrite written = rendition::writeStereoWave16(synthesis.audio, argv[2]);
  const double writeSeconds = since(writeStart);
  if (written.result != rendition::WaveWriteResult::kOk) {
    std::fprintf(stderr, "%s\n", written.message.c_str());
    return 1;
  }
  const double total = since(start);
  const double audioSeconds = static_cast<double>(synthesis.audio.frames()) / rendition::kRenditionSampleRate;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf(
      "phrases=%d notes=%zu audio_s=%.1f synth_s=%.2f (cpu %.2f) master_s=%.2f (cpu %.2f) write_s=%.2f total_s=%.2f "
      "speed_x=%.0f cpu_s=%.2f cpu_speed_x=%.0f max_rss_mb=%ld in_lufs=%.1f out_lufs=%.2f out_dbtp=%.2f "
      "gain_db=%.1f ceiling_db=%.2f attempts=%d\n",
      phrases, notes.size(), audioSeconds, synthesisSeconds, synthesisCpu, masteringSeconds, masteringCpu, writeSeconds, total,
      audioSeconds / total, cpuSeconds(), audioSeconds / cpuSeconds(), usage.ru_maxrss / 1024, mastering.inputLufs,
      mastering.outputLufs, mastering.outputTruePeakDbtp, mastering.gainDb, mastering.limiterCeilingDb,
      mastering.attempts);
  return 0;
}
