// Gain, limit, measure, correct: the mastering loop.
#include "rendition/mastering.h"

#include <cmath>
#include <optional>
#include <thread>

#include "rendition/loudness_meter.h"
#include "rendition/peak_limiter.h"

namespace brisolt::rendition {
namespace {

constexpr int kMaxAttempts = 4;
constexpr double kFirstCeilingMarginDb = 0.5;
constexpr double kTruePeakMarginDb = 0.1;  // aim this far under the bound

bool meets(const Mastering& m, const MasteringTarget& target) {
  return std::abs(m.outputLufs - target.integratedLufs) <= target.toleranceLu &&
         m.outputTruePeakDbtp <= target.maxTruePeakDbtp;
}

}  // namespace

Mastering masterToLoudness(StereoAudio& audio, const MasteringTarget& target) {
  Mastering mastering;
  const std::optional<double> input = integratedLoudness(audio.samples);
  if (!input) {
    mastering.result = MasteringResult::kMeterFailed;
    mastering.message = "libebur128 could not measure the rendition's loudness";
    return mastering;
  }
  mastering.inputLufs = *input;
  if (!std::isfinite(*input)) {
    mastering.result = MasteringResult::kSilent;
    mastering.message = "the rendition is silent: there is nothing to master";
    return mastering;
  }

  // Every correction applies to the audio as the last attempt left it: a
  // little more gain and the limiter again, at a ceiling as low or lower.
  double gainDb = target.integratedLufs - *input;
  double ceilingDb = target.maxTruePeakDbtp - kFirstCeilingMarginDb;
  double totalGainDb = 0.0;
  for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
    const auto gain = static_cast<float>(std::pow(10.0, gainDb / 20.0));
    for (float& sample : audio.samples) sample *= gain;
    totalGainDb += gainDb;
    if (std::string error = limitPeaks(audio.samples, {ceilingDb, 5.0, 50.0}); !error.empty()) {
      mastering.result = MasteringResult::kLimiterFailed;
      mastering.message = "the peak limiter failed: " + error;
      return mastering;
    }
    // Loudness and peaks measured side by side.
    std::optional<double> outputLufs;
    std::optional<double> outputTruePeak;
    {
      const std::jthread loudness([&] { outputLufs = integratedLoudness(audio.samples); });
      outputTruePeak = truePeakNear(audio.samples, target.maxTruePeakDbtp);
    }
    if (!outputLufs || !outputTruePeak) {
      mastering.result = MasteringResult::kMeterFailed;
      mastering.message = "libebur128 could not measure the mastered rendition";
      return mastering;
    }
    mastering.outputLufs = *outputLufs;
    mastering.outputTruePeakDbtp = *outputTruePeak;
    mastering.gainDb = totalGainDb;
    mastering.limiterCeilingDb = ceilingDb;
    mastering.attempts = attempt;
    if (meets(mastering, target)) break;
    // The limiter takes loudness off the peaks: give it back in gain. Peaks
    // between samples above the bound: lower the ceiling by the excess.
    gainDb = target.integratedLufs - *outputLufs;
    if (*outputTruePeak > target.maxTruePeakDbtp - kTruePeakMarginDb) {
      ceilingDb -= *outputTruePeak - (target.maxTruePeakDbtp - kTruePeakMarginDb);
    }
  }
  if (!meets(mastering, target)) {
    mastering.result = MasteringResult::kMissedTarget;
    mastering.message = "the mastered rendition reached " + std::to_string(mastering.outputLufs) + " LUFS, " +
                        std::to_string(mastering.outputTruePeakDbtp) + " dBTP instead of " +
                        std::to_string(target.integratedLufs) + " LUFS under " +
                        std::to_string(target.maxTruePeakDbtp) + " dBTP";
  }
  return mastering;
}

}  // namespace brisolt::rendition
