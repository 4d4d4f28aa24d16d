// The libebur128 side of mastering.
#include "rendition/loudness_meter.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <thread>

#include "rendition/stereo_audio.h"

namespace brisolt::rendition {
namespace {

constexpr std::size_t kBlockFrames = 4096;

struct StateDeleter {
  void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};
using Meter = std::unique_ptr<ebur128_state, StateDeleter>;

// The highest true peak of both channels over frames [from, to).
std::optional<double> truePeakOf(const std::vector<float>& samples, std::size_t from, std::size_t to) {
  const Meter meter(ebur128_init(2, kRenditionSampleRate, EBUR128_MODE_TRUE_PEAK));
  if (!meter || ebur128_add_frames_float(meter.get(), samples.data() + from * 2, to - from) != EBUR128_SUCCESS) {
    return std::nullopt;
  }
  double peak = 0.0;
  for (unsigned channel = 0; channel < 2; ++channel) {
    double channelPeak = 0.0;
    if (ebur128_true_peak(meter.get(), channel, &channelPeak) != EBUR128_SUCCESS) return std::nullopt;
    peak = std::max(peak, channelPeak);
  }
  return peak;
}

}  // namespace

std::optional<double> integratedLoudness(const std::vector<float>& samples) {
  // Two halves measured side by side, their gating blocks pooled.
  const std::size_t frames = samples.size() / 2;
  const std::size_t half = frames / 2;
  const Meter first(ebur128_init(2, kRenditionSampleRate, EBUR128_MODE_I));
  const Meter second(ebur128_init(2, kRenditionSampleRate, EBUR128_MODE_I));
  if (!first || !second) return std::nullopt;
  int secondStatus = EBUR128_SUCCESS;
  int firstStatus = EBUR128_SUCCESS;
  {
    const std::jthread other(
        [&] { secondStatus = ebur128_add_frames_float(second.get(), samples.data() + half * 2, frames - half); });
    firstStatus = ebur128_add_frames_float(first.get(), samples.data(), half);
  }
  ebur128_state* states[] = {first.get(), second.get()};
  double loudness = 0.0;
  if (firstStatus != EBUR128_SUCCESS || secondStatus != EBUR128_SUCCESS ||
      ebur128_loudness_global_multiple(states, 2, &loudness) != EBUR128_SUCCESS) {
    return std::nullopt;
  }
  return loudness;
}

std::optional<double> truePeakNear(const std::vector<float>& samples, double boundDb) {
  const std::size_t frames = samples.size() / 2;
  const std::size_t blocks = (frames + kBlockFrames - 1) / kBlockFrames;
  const auto loud = static_cast<float>(std::pow(10.0, (boundDb - kQuietMarginDb) / 20.0));
  std::vector<float> blockPeaks(blocks, 0.0f);
  for (std::size_t i = 0; i < frames * 2; ++i) {
    blockPeaks[i / (kBlockFrames * 2)] = std::max(blockPeaks[i / (kBlockFrames * 2)], std::abs(samples[i]));
  }
  double peak = 0.0;
  std::size_t block = 0;
  while (block < blocks) {
    if (blockPeaks[block] < loud) {
      peak = std::max(peak, static_cast<double>(blockPeaks[block]));
      ++block;
      continue;
    }
    std::size_t end = block;
    while (end < blocks && blockPeaks[end] >= loud) ++end;
    const std::size_t from = (block == 0 ? 0 : block - 1) * kBlockFrames;
    const std::size_t to = std::min(frames, (end + 1) * kBlockFrames);
    const std::optional<double> stretch = truePeakOf(samples, from, to);
    if (!stretch) return std::nullopt;
    peak = std::max(peak, *stretch);
    block = end;
  }
  return 20.0 * std::log10(peak);
}

}  // namespace brisolt::rendition
