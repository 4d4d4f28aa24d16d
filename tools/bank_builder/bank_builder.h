// Builds the sample data file "Data.dat" from a SoundFont piano: every clip of
// the sample table rendered as one note of its own length, evened in
// loudness across the keyboard, as 16-bit mono PCM.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "midi/midi_key.h"
#include "tools/bank_builder/piano_renderer.h"

namespace brisolt::tools {

inline constexpr std::string_view kDefaultSoundfont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
inline constexpr int kVelocity = 100;        // the same for every note
inline constexpr double kReleaseSeconds = 0.42;  // note-off this long before the clip ends
inline constexpr double kFadeSeconds = 0.010;    // fade-out over the last 10 ms
// Loudness is the RMS of the first 200 ms of a note: the attack and early
// decay by which a piano note's loudness is judged (and the same in every
// layer, since each holds the note for at least 0.5 s).
inline constexpr double kLoudnessSeconds = 0.2;
// No clip peaks above -1 dBFS.
inline constexpr double kPeakLimit = 0.8912509381337456;

// The note that makes the clip of `key` (1..60) and `layer` (1..4).
NoteRequest noteForClip(int key, int layer);

// Fades the last `samples` samples of `audio` to silence (raised cosine,
// reaching 0 on the last sample).
void fadeOut(std::vector<float>& audio, int samples);

// RMS and absolute peak of the first `count` samples (all, when fewer).
double rmsOf(const std::vector<float>& audio, std::size_t count);
double peakOf(const std::vector<float>& audio);

// The even-loudness rule: every key gets the gain that brings its RMS to one
// common target, the highest target at which no key's peak passes
// `peakLimit`. `rms` and `peaks` are per key, at gain 1.
std::vector<double> evenLoudnessGains(const std::vector<double>& rms, const std::vector<double>& peaks,
                                      double peakLimit);

// Appends `audio` x `gain` as 16-bit little-endian samples (rounded, clamped).
void appendPcm16(const std::vector<float>& audio, double gain, std::vector<std::uint8_t>& out);

struct KeyLoudness {
  int key = 0;
  int midiNote = 0;
  double gain = 1.0;
  double peak = 0.0;  // after the gain, the highest of the key's clips; full scale 1.0
  double rms = 0.0;   // after the gain, over the loudness window
};

struct BankBuild {
  std::string error;  // empty on success
  std::vector<std::uint8_t> bytes;  // the whole sample data file
  std::vector<KeyLoudness> keys;
};

// Renders the whole bank in memory (about 16 MB).
BankBuild buildSampleBank(const std::string& soundfontPath);

// Writes the bank to `path` by way of "<path>.partial-<pid>", renamed over
// `path` when complete; false with `error` set when that fails, and then
// `path` is as it was and the partial file is gone.
bool writeSampleBank(const std::vector<std::uint8_t>& bytes, const std::string& path, std::string& error);

}  // namespace brisolt::tools
