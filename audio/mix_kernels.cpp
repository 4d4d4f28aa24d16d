// The sample loops of a mix: this is where a mix spends its time.
#include "audio/mix_kernels.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "audio/vector_clones.h"

namespace brisolt::audio {

void MixTrackers::add(const BlockPeaks& peaks) {
  inputMinimum = std::min<std::int32_t>(inputMinimum, peaks.inputLow);
  inputMaximum = std::max<std::int32_t>(inputMaximum, peaks.inputHigh);
  mixMinimum = std::min<std::int32_t>(mixMinimum, peaks.mixLow);
  mixMaximum = std::max<std::int32_t>(mixMaximum, peaks.mixHigh);
}

double MixTrackers::factor() const {
  return inputsSilent() ? 1.0 : peakFactor(inputMaximum, inputMinimum, mixMaximum, mixMinimum);
}

double peakFactor(std::int32_t inputMaximum, std::int32_t inputMinimum, std::int32_t mixMaximum,
                  std::int32_t mixMinimum) {
  double factor = std::numeric_limits<double>::infinity();
  if (mixMaximum != 0) factor = std::abs(static_cast<double>(inputMaximum)) / std::abs(static_cast<double>(mixMaximum));
  if (mixMinimum != 0) {
    const double negative = std::abs(static_cast<double>(inputMinimum)) / std::abs(static_cast<double>(mixMinimum));
    if (negative < factor) factor = negative;
  }
  return std::isfinite(factor) ? factor : 1.0;
}

BRISOLT_VECTOR_CLONES BlockPeaks averageSamples(const std::array<const std::int16_t*, kMixInputs>& in,
                                                std::uint32_t count, std::int16_t* __restrict out) {
  std::int16_t inputLow = std::numeric_limits<std::int16_t>::max();
  std::int16_t inputHigh = std::numeric_limits<std::int16_t>::min();
  std::int16_t mixLow = inputLow;
  std::int16_t mixHigh = inputHigh;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::int32_t sum = 0;
    for (const std::int16_t* samples : in) {
      inputLow = std::min(inputLow, samples[i]);
      inputHigh = std::max(inputHigh, samples[i]);
      sum += samples[i];
    }
    const auto mixed = static_cast<std::int16_t>(sum / kMixInputs);  // truncates toward zero; always fits
    out[i] = mixed;
    mixLow = std::min(mixLow, mixed);
    mixHigh = std::max(mixHigh, mixed);
  }
  return {inputLow, inputHigh, mixLow, mixHigh};
}

// peakFactor() never exceeds 32768 (a 16-bit peak over a peak of at least
// 1), so every product fits in 32 bits before the clamp.
BRISOLT_VECTOR_CLONES void scaleSamples(std::int16_t* __restrict samples, std::uint32_t count, double factor) {
  for (std::uint32_t i = 0; i < count; ++i) {
    const auto truncated = static_cast<std::int32_t>(samples[i] * factor);
    samples[i] = static_cast<std::int16_t>(std::clamp(truncated, -32768, 32767));
  }
}

}  // namespace brisolt::audio
