// Compares the acoustic grand pianos of SoundFonts for the rendition: load
// time and memory, render speed at 44.1 kHz with reverb, evenness across
// the 60 keys, brightness, sustain and release. Prints one block per file.
//
//   brisolt-soundfont-compare SOUNDFONT...
#include <fluidsynth.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "bench/rendition/synthetic_piece.h"
#include "midi/midi_key.h"

namespace {

constexpr int kRate = 44100;

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long residentMb() {
  FILE* status = std::fopen("/proc/self/statm", "r");
  long pages = 0, resident = 0;
  if (status) {
    if (std::fscanf(status, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(status);
  }
  return resident * 4096 / (1024 * 1024);
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One note on a silent synthesizer: the left channel, then the right.
std::vector<float> note(fluid_synth_t* synth, int midiNote, double heldSeconds, double totalSeconds) {
  fluid_synth_system_reset(synth);
  const auto held = static_cast<int>(heldSeconds * kRate) / 64 * 64;
  const auto total = static_cast<int>(totalSeconds * kRate) / 64 * 64;
  std::vector<float> left(static_cast<std::size_t>(total)), right(left.size());
  fluid_synth_noteon(synth, 0, midiNote, 100);
  fluid_synth_write_float(synth, held, left.data(), 0, 1, right.data(), 0, 1);
  fluid_synth_noteoff(synth, 0, midiNote);
  fluid_synth_write_float(synth, total - held, left.data(), held, 1, right.data(), held, 1);
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

double rmsDb(const std::vector<float>& x, std::size_t from, std::size_t to) {
  double sum = 0.0;
  for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(x[i]) * x[i];
  return 10.0 * std::log10(sum / static_cast<double>(to - from) + 1e-20);
}

// Seconds from `from` until the 10 ms RMS falls `dropDb` under its level at `from`.
double fallTime(const std::vector<float>& x, std::size_t from, double dropDb) {
  const std::size_t window = kRate / 100;
  const double start = rmsDb(x, from, from + window);
  for (std::size_t i = from; i + window < x.size(); i += window) {
    if (rmsDb(x, i, i + window) < start - dropDb) return static_cast<double>(i - from) / kRate;
  }
  return static_cast<double>(x.size() - from) / kRate;
}

// The centroid of the spectrum, from the ratio of the RMS of the first
// difference to the RMS of the signal (exact for a sine).
double brightnessHz(const std::vector<float>& x, std::size_t from, std::size_t to) {
  double signal = 0.0, slope = 0.0;
  for (std::size_t i = from + 1; i < to; ++i) {
    signal += static_cast<double>(x[i]) * x[i];
    const double d = static_cast<double>(x[i]) - x[i - 1];
    slope += d * d;
  }
  return kRate / (2.0 * std::numbers::pi) * 2.0 * std::asin(std::min(1.0, 0.5 * std::sqrt(slope / signal)));
}

}  // namespace

int main(int argc, char** argv) {
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  for (int file = 1; file < argc; ++file) {
    const long before = residentMb();
    const auto loadStart = std::chrono::steady_clock::now();
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kRate);
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings, "synth.polyphony", 512);
    fluid_synth_t* synth = new_fluid_synth(settings);
    const int id = fluid_synth_sfload(synth, argv[file], 1);
    for (int channel = 0; channel < 16; ++channel) fluid_synth_program_select(synth, channel, id, 0, 0);
    const double loadSeconds = seconds(loadStart);
    const long loadedMb = residentMb() - before;

    // Speed: 60 s of the synthetic piece, reverb on, as the rendition plays it.
    fluid_synth_set_interp_method(synth, -1, FLUID_INTERP_LINEAR);
    const auto notes = brisolt::bench::syntheticPiece(1, 7);
    std::vector<std::pair<std::size_t, int>> events;
    for (std::size_t i = 0; i < notes.size(); ++i) {
      if (notes[i].startSeconds >= 60.0) continue;
      events.push_back({static_cast<std::size_t>(notes[i].startSeconds * kRate), static_cast<int>(i) + 1});
      events.push_back({static_cast<std::size_t>(notes[i].endSeconds * kRate), -static_cast<int>(i) - 1});
    }
    std::sort(events.begin(), events.end());
    std::vector<float> left(static_cast<std::size_t>(64 * kRate)), right(left.size());
    const double cpuStart = cpuSeconds();
    std::size_t now = 0;
    int maxVoices = 0;
    for (const auto& [frame, which] : events) {
      fluid_synth_write_float(synth, static_cast<int>(frame - now), left.data(), static_cast<int>(now), 1, right.data(),
                              static_cast<int>(now), 1);
      now = frame;
      const auto& n = notes[static_cast<std::size_t>(std::abs(which) - 1)];
      if (which > 0) fluid_synth_noteon(synth, 0, brisolt::midi::midiNoteOfKey(n.key), n.velocity);
      else fluid_synth_noteoff(synth, 0, brisolt::midi::midiNoteOfKey(n.key));
      maxVoices = std::max(maxVoices, fluid_synth_get_active_voice_count(synth));
    }
    const double speed = static_cast<double>(now) / kRate / (cpuSeconds() - cpuStart);

    // Evenness: RMS of the first 200 ms of every key at velocity 100, both
    // channels' power (their sum would cancel where they are out of phase).
    fluid_synth_reverb_on(synth, -1, 0);
    std::vector<double> level;
    for (int key = 1; key <= 60; ++key) {
      const std::vector<float> both = note(synth, brisolt::midi::midiNoteOfKey(key), 1.0, 1.0);
      const std::size_t half = both.size() / 2;
      level.push_back(10.0 * std::log10(0.5 * (std::pow(10.0, rmsDb(both, 0, kRate / 5) / 10.0) +
                                               std::pow(10.0, rmsDb(both, half, half + kRate / 5) / 10.0))));
    }
    double largestStep = 0.0;
    for (std::size_t k = 1; k < level.size(); ++k) largestStep = std::max(largestStep, std::abs(level[k] - level[k - 1]));
    const auto [quietest, loudest] = std::minmax_element(level.begin(), level.end());

    std::printf("%s\n  load %.2f s, +%ld MB resident, max %d voices\n  speed %.0fx real time per CPU second "
                "(44.1 kHz, reverb, linear interpolation)\n  key levels (first 200 ms RMS, vel 100): %.1f .. %.1f dB, "
                "spread %.1f dB, largest step between neighbours %.1f dB\n",
                argv[file], loadSeconds, loadedMb, maxVoices, speed, *quietest, *loudest, *loudest - *quietest,
                largestStep);
    for (int key : {13, 25, 37, 49}) {
      std::vector<float> held = note(synth, brisolt::midi::midiNoteOfKey(key), 4.0, 6.0);
      held.resize(held.size() / 2);  // the left channel
      std::printf("  key %d (MIDI %d), left channel: brightness %.0f Hz, held: -20 dB after %.2f s, release: -40 dB in %.2f s\n", key,
                  brisolt::midi::midiNoteOfKey(key), brightnessHz(held, 0, kRate / 5), fallTime(held, kRate / 50, 20.0),
                  fallTime(held, 4 * kRate, 40.0));
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
  }
  return 0;
}
