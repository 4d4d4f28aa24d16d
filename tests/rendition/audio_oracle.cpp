// ffmpeg, libsndfile and a silence scan, as the rendition tests use them.
#include "tests/rendition/audio_oracle.h"

#include <sndfile.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <sstream>

#include "tests/support/shell_command.h"

namespace brisolt::test {
namespace {

// The number after `label` in the summary ffmpeg prints last.
std::optional<double> summaryValue(const std::string& text, const std::string& label) {
  const std::size_t summary = text.rfind("Summary:");
  if (summary == std::string::npos) return std::nullopt;
  const std::size_t at = text.find(label, summary);
  if (at == std::string::npos) return std::nullopt;
  std::istringstream in(text.substr(at + label.size()));
  double value = 0.0;
  if (!(in >> value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<FfmpegLoudness> ffmpegLoudness(const std::string& path) {
  const ShellRun run =
      runShell("ffmpeg -hide_banner -nostats -i '" + path + "' -af ebur128=peak=true -f null - 2>&1");
  if (run.status != 0) return std::nullopt;
  const std::optional<double> integrated = summaryValue(run.out, "I:");
  const std::optional<double> peak = summaryValue(run.out, "Peak:");
  if (!integrated || !peak) return std::nullopt;
  return FfmpegLoudness{*integrated, *peak};
}

std::optional<WaveContents> readWave(const std::string& path) {
  SF_INFO info{};
  const auto close = [](SNDFILE* file) { sf_close(file); };
  const std::unique_ptr<SNDFILE, decltype(close)> file(sf_open(path.c_str(), SFM_READ, &info), close);
  if (!file) return std::nullopt;
  WaveContents contents;
  contents.sampleRate = info.samplerate;
  contents.channels = info.channels;
  contents.format = info.format;
  contents.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
  if (sf_readf_short(file.get(), contents.samples.data(), info.frames) != info.frames) return std::nullopt;
  return contents;
}

std::optional<std::size_t> fallIntoSilence(const std::vector<short>& interleaved, double soundDb,
                                           std::size_t silentFrames) {
  const std::size_t frames = interleaved.size() / 2;
  const double sound = 32768.0 * std::pow(10.0, soundDb / 20.0);
  const std::size_t before = rendition::kRenditionSampleRate / 100;
  std::size_t frame = 0;
  while (frame < frames) {
    if (interleaved[frame * 2] != 0 || interleaved[frame * 2 + 1] != 0) {
      ++frame;
      continue;
    }
    std::size_t end = frame;
    while (end < frames && interleaved[end * 2] == 0 && interleaved[end * 2 + 1] == 0) ++end;
    if (end - frame >= silentFrames || end == frames) {
      double loudest = 0.0;
      for (std::size_t i = (frame > before ? frame - before : 0) * 2; i < frame * 2; ++i) {
        loudest = std::max(loudest, std::abs(static_cast<double>(interleaved[i])));
      }
      if (loudest > sound) return frame;
    }
    frame = end;
  }
  return std::nullopt;
}

rendition::StereoAudio struckTones(double seconds, double perSecond, double peak, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> level(0.2, 1.0);
  std::uniform_real_distribution<double> pitch(110.0, 1760.0);
  const auto frames = static_cast<std::size_t>(seconds * rendition::kRenditionSampleRate);
  rendition::StereoAudio audio;
  audio.samples.assign(frames * 2, 0.0f);
  const auto every = static_cast<std::size_t>(rendition::kRenditionSampleRate / perSecond);
  const std::size_t ring = rendition::kRenditionSampleRate;  // each tone rings for a second
  for (std::size_t start = 0; start + ring < frames; start += every) {
    const double amplitude = peak * level(random) / 3.0;
    const double frequency = pitch(random);
    for (std::size_t i = 0; i < ring; ++i) {
      const double t = static_cast<double>(i) / rendition::kRenditionSampleRate;
      const double value = amplitude * std::exp(-4.0 * t) * std::sin(2.0 * std::numbers::pi * frequency * t);
      audio.samples[(start + i) * 2] += static_cast<float>(value);
      audio.samples[(start + i) * 2 + 1] += static_cast<float>(0.8 * value);
    }
  }
  return audio;
}

}  // namespace brisolt::test
