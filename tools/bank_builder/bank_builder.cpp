// The clip-by-clip render of the sample data file and its loudness rule.
#include "tools/bank_builder/bank_builder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <unistd.h>

#include "audio/sample_table.h"
#include "audio/wave_format.h"
#include "platform/files/file_check.h"
#include "platform/files/file_handle.h"
#include "platform/files/file_in_place.h"
#include "platform/files/owned_names.h"

namespace brisolt::tools {

NoteRequest noteForClip(int key, int layer) {
  NoteRequest note;
  note.midiNote = midi::midiNoteOfKey(key);
  note.velocity = kVelocity;
  note.lengthSamples = static_cast<int>(audio::kLayerSizes[layer] / audio::kBytesPerSample);
  const int release = static_cast<int>(kReleaseSeconds * kRenderSampleRate);
  note.noteOffSample = (note.lengthSamples - release) / kSynthBlock * kSynthBlock;
  return note;
}

void fadeOut(std::vector<float>& audio, int samples) {
  const auto count = std::min<std::size_t>(static_cast<std::size_t>(samples), audio.size());
  if (count == 0) return;
  const std::size_t start = audio.size() - count;
  for (std::size_t i = 0; i < count; ++i) {
    // From just below 1 at the first faded sample to exactly 0 at the last.
    const double phase = static_cast<double>(i + 1) / static_cast<double>(count);
    audio[start + i] *= static_cast<float>(0.5 * (1.0 + std::cos(std::numbers::pi * phase)));
  }
}

double rmsOf(const std::vector<float>& audio, std::size_t count) {
  count = std::min(count, audio.size());
  if (count == 0) return 0.0;
  double sum = 0.0;
  for (std::size_t i = 0; i < count; ++i) sum += static_cast<double>(audio[i]) * audio[i];
  return std::sqrt(sum / static_cast<double>(count));
}

double peakOf(const std::vector<float>& audio) {
  double peak = 0.0;
  for (float sample : audio) peak = std::max(peak, std::abs(static_cast<double>(sample)));
  return peak;
}

std::vector<double> evenLoudnessGains(const std::vector<double>& rms, const std::vector<double>& peaks,
                                      double peakLimit) {
  // The target RMS is limited by the key with the largest peak-to-RMS ratio.
  double target = 0.0;
  bool first = true;
  for (std::size_t k = 0; k < rms.size(); ++k) {
    if (rms[k] <= 0.0 || peaks[k] <= 0.0) continue;
    const double allowed = peakLimit * rms[k] / peaks[k];
    target = first ? allowed : std::min(target, allowed);
    first = false;
  }
  std::vector<double> gains(rms.size(), 1.0);
  for (std::size_t k = 0; k < rms.size(); ++k) {
    if (rms[k] > 0.0 && peaks[k] > 0.0) gains[k] = target / rms[k];
  }
  return gains;
}

void appendPcm16(const std::vector<float>& audio, double gain, std::vector<std::uint8_t>& out) {
  for (float sample : audio) {
    const double scaled = std::clamp(std::round(sample * gain * 32767.0), -32768.0, 32767.0);
    const auto value = static_cast<std::uint16_t>(static_cast<std::int16_t>(scaled));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
  }
}

BankBuild buildSampleBank(const std::string& soundfontPath) {
  BankBuild build;
  PianoRenderer renderer(soundfontPath);
  if (!renderer.error().empty()) {
    build.error = renderer.error();
    return build;
  }
  const int fadeSamples = static_cast<int>(kFadeSeconds * kRenderSampleRate);
  const auto window = static_cast<std::size_t>(kLoudnessSeconds * kRenderSampleRate);

  // Every clip at gain 1, then one gain per key.
  struct Clip {
    int key;
    std::vector<float> audio;
  };
  std::vector<Clip> clips;
  std::vector<double> rms(audio::kLastKey + 1, 0.0);
  std::vector<double> peaks(audio::kLastKey + 1, 0.0);
  for (const audio::SampleClip& entry : audio::sampleTable()) {
    if (entry.key == audio::kSilenceKey) continue;
    std::vector<float> note = renderer.renderNote(noteForClip(entry.key, entry.layer));
    fadeOut(note, fadeSamples);
    if (entry.layer == 1) rms[entry.key] = rmsOf(note, window);
    peaks[entry.key] = std::max(peaks[entry.key], peakOf(note));
    clips.push_back({entry.key, std::move(note)});
  }
  const std::vector<double> gains = evenLoudnessGains(rms, peaks, kPeakLimit);

  build.bytes.reserve(audio::kSampleDataSize);
  for (const Clip& clip : clips) appendPcm16(clip.audio, gains[clip.key], build.bytes);
  build.bytes.resize(build.bytes.size() + audio::kSilenceClipSize, 0);
  for (int key = audio::kFirstKey; key <= audio::kLastKey; ++key) {
    build.keys.push_back({key, midi::midiNoteOfKey(key), gains[key], peaks[key] * gains[key], rms[key] * gains[key]});
  }
  if (build.bytes.size() != audio::kSampleDataSize) {
    build.error = "the bank came out at " + std::to_string(build.bytes.size()) + " bytes instead of " +
                  std::to_string(audio::kSampleDataSize);
  }
  return build;
}

bool writeSampleBank(const std::vector<std::uint8_t>& bytes, const std::string& path, std::string& error) {
  // Written beside its final name and put in place only once complete: a full
  // disk or a kill never leaves a partial bank that the renderers would read.
  const platform::FileCheck existing = platform::checkRegularFile(path);
  if (existing == platform::FileCheck::kFolder || existing == platform::FileCheck::kDeviceOrPipe) {
    error = "'" + path + "' " + platform::describeFileCheck(existing) + ": give the path of a file to write";
    return false;
  }
  platform::OpenFailure failure;
  platform::FileInPlace file = platform::FileInPlace::create(path, &failure);
  if (!file) {
    error = "cannot create '" + platform::partialName(path, ::getpid()) + "': it " +
            platform::describeOpenFailure(failure) + " (is the folder there and writable?)";
    return false;
  }
  if (file.file().write(bytes.data(), static_cast<std::uint32_t>(bytes.size())) != bytes.size()) {
    error = "could not write all of '" + path + "' (is the disk full?); nothing was left under that name";
    return false;
  }
  if (file.commit() != platform::CommitResult::kCommitted) {
    error = "could not rename the finished bank to '" + path + "' (" + std::strerror(file.commitError()) + ")";
    return false;
  }
  return true;
}

}  // namespace brisolt::tools
