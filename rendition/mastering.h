// Masters stereo audio to a loudness target: one gain to the integrated
// loudness, then a peak limiter so that the true peak stays under its bound.
// Measured with libebur128, limited with libavfilter's alimiter.
#pragma once

#include <string>

#include "rendition/stereo_audio.h"

namespace brisolt::rendition {

struct MasteringTarget {
  double integratedLufs = -16.0;
  double maxTruePeakDbtp = -1.0;
  double toleranceLu = 0.3;  // how near the target the result must land
};

enum class MasteringResult {
  kOk,
  kSilent,           // nothing to master: the audio is silence; left as it was
  kMeterFailed,      // libebur128 could not measure
  kLimiterFailed,    // libavfilter's limiter could not run
  kMissedTarget,     // no attempt met the target; the last one is kept
};

struct Mastering {
  MasteringResult result = MasteringResult::kOk;
  std::string message;  // empty on success
  double inputLufs = 0.0;
  double outputLufs = 0.0;
  double outputTruePeakDbtp = 0.0;
  double gainDb = 0.0;            // applied in all, before and between the limiter passes
  double limiterCeilingDb = 0.0;  // sample-peak ceiling of the last attempt
  int attempts = 0;
};

// Masters `audio` in place. The limiter's ceiling starts half a decibel under
// the true-peak bound (peaks between samples rise above the samples); when
// the result still misses, the gain and ceiling are corrected by what was
// measured and applied to the result again, up to four attempts in all.
Mastering masterToLoudness(StereoAudio& audio, const MasteringTarget& target);

}  // namespace brisolt::rendition
