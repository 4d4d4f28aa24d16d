// Integrated loudness (EBU R 128 / ITU-R BS.1770) and true peak of stereo
// audio, measured with libebur128, block by block as the audio goes past.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace brisolt::rendition {

// One libebur128 state (defined where the library is used).
struct MeterHandle;
struct MeterDeleter {
  void operator()(MeterHandle* handle) const;
};
using MeterState = std::unique_ptr<MeterHandle, MeterDeleter>;

// The integrated loudness of everything added, in LUFS (-inf for silence).
// Its memory grows by one number per 100 ms of audio.
class LoudnessMeter {
 public:
  LoudnessMeter();
  // `samples` is interleaved stereo at the rendition's rate. False when
  // libebur128 fails.
  bool add(const float* samples, std::size_t frames);
  // Nothing when libebur128 failed.
  std::optional<double> integrated() const;

 private:
  MeterState state_;
  bool failed_ = false;
};

// Oversampling to find peaks between samples is the costly part of a
// measurement, and only loud stretches can reach a peak bound: blocks whose
// samples stay kQuietMarginDb under `boundDb` are taken at their sample
// peak (in music a true peak rises far less than 3 dB over the sample peak),
// the others are oversampled by libebur128 with a block of context on each
// side. One libebur128 state takes every stretch; after each, a run of
// silence empties its interpolation filter, so no stretch rings into the
// next, and the state starts the next one from silence as a fresh state
// would (a start from silence on a quiet context block overshoots by well
// under 3 dB and so stays under the bound). Short blocks keep the
// oversampled part close to the loud samples themselves.
inline constexpr double kQuietMarginDb = 3.0;
inline constexpr std::size_t kPeakBlockFrames = 1024;
inline constexpr std::size_t kStretchGapFrames = 64;  // longer than libebur128's interpolation filter

// The true peak of the louder channel, exact wherever it comes within
// kQuietMarginDb of the bound. Keeps two blocks of audio, whatever the length.
class TruePeakMeter {
 public:
  explicit TruePeakMeter(double boundDb);
  // False when libebur128 fails.
  bool add(const float* samples, std::size_t frames);
  // In dBTP, after the last add; nothing when libebur128 failed.
  std::optional<double> truePeakDb();

 private:
  bool takeBlock();
  bool oversample(const std::vector<float>& samples);
  bool closeStretch();

  float loud_;
  std::vector<float> block_;     // the block being filled, interleaved
  std::vector<float> previous_;  // the block before it, context for a stretch
  MeterState oversampler_;       // every loud stretch, made at the first one
  bool inStretch_ = false;
  double peak_ = 0.0;            // of the blocks not oversampled
  bool failed_ = false;
};

// The whole-buffer forms of the two meters.
std::optional<double> integratedLoudness(const std::vector<float>& samples);
std::optional<double> truePeakNear(const std::vector<float>& samples, double boundDb);

}  // namespace brisolt::rendition
