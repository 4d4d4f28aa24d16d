// Masters stereo audio to a loudness target: one gain to the integrated
// loudness, then a peak limiter so that the true peak stays under its bound.
// Measured with libebur128, limited with libavfilter's alimiter. The audio
// streams through in blocks: a piece of any length is mastered in a few
// blocks of memory.
#pragma once

#include <cstddef>
#include <optional>
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
  kCannotRead,       // the unmastered audio could not be read back
  kCannotWrite,      // the mastered audio could not be written
};

struct Mastering {
  MasteringResult result = MasteringResult::kOk;
  std::string message;  // empty on success
  double inputLufs = 0.0;
  double outputLufs = 0.0;
  double outputTruePeakDbtp = 0.0;
  double gainDb = 0.0;            // the gain before the limiter, in all
  double limiterCeilingDb = 0.0;  // sample-peak ceiling of the last attempt
  int attempts = 0;
};

// The unmastered audio, read from its start as often as the mastering asks.
class MasteringInput {
 public:
  virtual ~MasteringInput() = default;
  // Goes back to the first frame; false when it cannot.
  virtual bool rewind() = 0;
  // Up to `frames` frames of interleaved stereo into `out`: how many, 0 at
  // the end; nothing when the audio cannot be read.
  virtual std::optional<std::size_t> read(float* out, std::size_t frames) = 0;
};

// Where the mastered audio goes. Each attempt starts it anew.
class MasteringOutput {
 public:
  virtual ~MasteringOutput() = default;
  // Drops what an earlier attempt wrote; false when it cannot.
  virtual bool restart() = 0;
  virtual bool write(const float* samples, std::size_t frames) = 0;
};

// Masters `input`, whose integrated loudness is `inputLufs`, into `output`.
// The limiter's ceiling starts half a decibel under the true-peak bound
// (peaks between samples rise above the samples); when the result still
// misses, the gain and ceiling are corrected by what was measured and the
// input is mastered again from its start, up to four attempts in all. A
// silent input (-inf LUFS) is copied as it is.
Mastering masterToLoudness(MasteringInput& input, double inputLufs, MasteringOutput& output,
                           const MasteringTarget& target);

// The same for audio in memory, mastered in place.
Mastering masterToLoudness(StereoAudio& audio, const MasteringTarget& target);

}  // namespace brisolt::rendition
