// The loudness-matched velocity curve of the bank's piano.
#include "midi/velocity_curve.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace brisolt::midi {
namespace {

struct LevelAtVelocity {
  double velocity;
  double peakDb;
};

// Loudest-key peaks of the bank's piano at four velocities, gain 1.0.
constexpr std::array<LevelAtVelocity, 4> kMeasuredLevels{{{40, -30.0}, {64, -21.0}, {100, -14.0}, {127, -10.0}}};
constexpr int kRecordedVelocity = 100;
constexpr double kRecordedPeakDb = -14.0;

// The velocity whose peak is `peakDb`, interpolated linearly in dB between
// the measured points and extended beyond the ends along the end segments.
double velocityAtLevel(double peakDb) {
  std::size_t upper = 1;
  while (upper + 1 < kMeasuredLevels.size() && peakDb > kMeasuredLevels[upper].peakDb) ++upper;
  const LevelAtVelocity& a = kMeasuredLevels[upper - 1];
  const LevelAtVelocity& b = kMeasuredLevels[upper];
  return a.velocity + (peakDb - a.peakDb) * (b.velocity - a.velocity) / (b.peakDb - a.peakDb);
}

}  // namespace

double gainOfAttenuationStep(int step) { return step <= 1 ? 1.0 : 1.0 - 0.11 * (step - 1); }

int velocityForAttenuationStep(int step) {
  const double gain = gainOfAttenuationStep(step);
  if (gain <= 0.0) return 1;
  if (step <= 1) return kRecordedVelocity;
  const double velocity = velocityAtLevel(kRecordedPeakDb + 20.0 * std::log10(gain));
  return std::clamp(static_cast<int>(std::lround(velocity)), 1, 127);
}

}  // namespace brisolt::midi
