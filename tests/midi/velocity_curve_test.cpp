// The velocity curve: full level at step 1, quieter with every step, and
// the velocities that match the gains on the bank's piano.
#include <gtest/gtest.h>

#include "midi/velocity_curve.h"

namespace brisolt::midi {
namespace {

TEST(VelocityCurve, StepOneIsTheRecordedVelocity) {
  EXPECT_EQ(velocityForAttenuationStep(1), 100);
  EXPECT_EQ(velocityForAttenuationStep(0), 100);
}

TEST(VelocityCurve, EveryStepInUseIsQuieterThanTheOneBefore) {
  for (int step = 2; step <= 9; ++step) {
    EXPECT_LT(velocityForAttenuationStep(step), velocityForAttenuationStep(step - 1)) << "step " << step;
    EXPECT_GE(velocityForAttenuationStep(step), 1) << "step " << step;
  }
}

TEST(VelocityCurve, MatchesThePianosLoudnessAtMeasuredPoints) {
  // Step 6 lowers the clip 6.9 dB: from -14 dBFS to -20.9, just above the
  // -21 dBFS the piano gives at velocity 64.
  EXPECT_EQ(velocityForAttenuationStep(6), 64);
  // Step 9 (gain 0.12, -18.4 dB) lies below the quietest measured point.
  EXPECT_EQ(velocityForAttenuationStep(9), 34);
  EXPECT_EQ(velocityForAttenuationStep(3), 89);
}

TEST(VelocityCurve, GainsAtOrBelowSilenceGiveTheQuietestNote) {
  EXPECT_EQ(velocityForAttenuationStep(10), 1);
  EXPECT_EQ(velocityForAttenuationStep(12), 1);
}

TEST(VelocityCurve, GainFallsByElevenHundredthsAStep) {
  EXPECT_DOUBLE_EQ(gainOfAttenuationStep(1), 1.0);
  EXPECT_NEAR(gainOfAttenuationStep(5), 0.56, 1e-12);
  EXPECT_NEAR(gainOfAttenuationStep(9), 0.12, 1e-12);
}

}  // namespace
}  // namespace brisolt::midi
