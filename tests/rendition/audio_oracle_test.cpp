// The silence scan the rendition tests rely on: it must catch a hard cut and
// let a natural fade pass.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/rendition/audio_oracle.h"

namespace brisolt::test {
namespace {

constexpr std::size_t kFiftyMs = 44100 / 20;

std::vector<short> toneThenZeros(std::size_t toneFrames, double level, std::size_t zeroFrames) {
  std::vector<short> samples;
  for (std::size_t i = 0; i < toneFrames; ++i) {
    const auto value = static_cast<short>(level * 32767.0 * std::sin(0.05 * static_cast<double>(i)));
    samples.push_back(value);
    samples.push_back(value);
  }
  samples.resize(samples.size() + zeroFrames * 2, 0);
  return samples;
}

TEST(SilenceScan, CatchesSoundCutStraightToZero) {
  const std::optional<std::size_t> fall = fallIntoSilence(toneThenZeros(10000, 0.1, kFiftyMs), -45.0, kFiftyMs);
  ASSERT_TRUE(fall);
  EXPECT_EQ(*fall, 10000u);
}

TEST(SilenceScan, CatchesAHardCutAtTheEndOfTheFile) {
  EXPECT_TRUE(fallIntoSilence(toneThenZeros(10000, 0.1, 10), -45.0, kFiftyMs));
}

TEST(SilenceScan, LetsQuietSoundEndInSilence) {
  // -60 dBFS is under the -45 dBFS that counts as sound.
  EXPECT_FALSE(fallIntoSilence(toneThenZeros(10000, 0.001, kFiftyMs), -45.0, kFiftyMs));
}

TEST(SilenceScan, LetsShortZeroRunsInsideSoundPass) {
  std::vector<short> samples = toneThenZeros(10000, 0.1, 100);
  const std::vector<short> more = toneThenZeros(10000, 0.1, 0);
  samples.insert(samples.end(), more.begin(), more.end());
  EXPECT_FALSE(fallIntoSilence(samples, -45.0, kFiftyMs));
}

}  // namespace
}  // namespace brisolt::test
