// The peak limiter: peaks held under the ceiling, quiet audio left alone,
// length and timing kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "rendition/peak_limiter.h"
#include "rendition/stereo_audio.h"
#include "tests/rendition/audio_oracle.h"

namespace brisolt::rendition {
namespace {

float peakOf(const std::vector<float>& samples) {
  float peak = 0.0f;
  for (float sample : samples) peak = std::max(peak, std::abs(sample));
  return peak;
}

TEST(PeakLimiter, HoldsLoudPeaksUnderTheCeiling) {
  StereoAudio audio = test::struckTones(10.0, 4.0, 4.0, 1);
  ASSERT_GT(peakOf(audio.samples), 1.0f);
  const std::size_t frames = audio.frames();
  ASSERT_EQ(limitPeaks(audio.samples, {-3.0, 5.0, 50.0}), "");
  EXPECT_EQ(audio.frames(), frames);
  EXPECT_LE(peakOf(audio.samples), std::pow(10.0, -3.0 / 20.0) + 1e-4);
}

TEST(PeakLimiter, LeavesAudioUnderTheCeilingAsItWas) {
  StereoAudio audio = test::struckTones(5.0, 4.0, 0.3, 2);
  const std::vector<float> before = audio.samples;
  ASSERT_EQ(limitPeaks(audio.samples, {-1.0, 5.0, 50.0}), "");
  ASSERT_EQ(audio.samples.size(), before.size());
  double largest = 0.0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    largest = std::max(largest, static_cast<double>(std::abs(audio.samples[i] - before[i])));
  }
  EXPECT_LT(largest, 1e-5) << "the look-ahead delay is not compensated, or quiet audio was changed";
}

TEST(PeakLimiter, KeepsAnOnsetInPlace) {
  std::vector<float> samples(kRenditionSampleRate * 2 * 2, 0.0f);
  const std::size_t onset = 30000;
  for (std::size_t i = onset; i < onset + 2000; ++i) samples[i * 2] = samples[i * 2 + 1] = 1.5f;
  ASSERT_EQ(limitPeaks(samples, {-6.0, 5.0, 50.0}), "");
  const auto first = std::find_if(samples.begin(), samples.end(), [](float s) { return std::abs(s) > 1e-3f; });
  ASSERT_NE(first, samples.end());
  const auto frame = static_cast<std::size_t>(first - samples.begin()) / 2;
  EXPECT_EQ(frame, onset);
}

TEST(PeakLimiter, BlockByBlockGivesWhatTheWholeAudioGivesAtOnce) {
  const StereoAudio audio = test::struckTones(6.0, 4.0, 3.0, 3);
  std::vector<float> whole = audio.samples;
  ASSERT_EQ(limitPeaks(whole, {-2.0, 5.0, 50.0}), "");

  PeakLimiter limiter;
  ASSERT_EQ(limiter.open({-2.0, 5.0, 50.0}), "");
  std::vector<float> blocks;
  const LimitedBlockSink into = [&blocks](const float* samples, std::size_t frames) {
    blocks.insert(blocks.end(), samples, samples + frames * 2);
    return true;
  };
  // Blocks of uneven sizes, none a multiple of the filter's own chunk.
  std::size_t at = 0;
  for (std::size_t size = 1; at < audio.frames(); size = size * 3 + 7) {
    const std::size_t frames = std::min(size, audio.frames() - at);
    ASSERT_EQ(limiter.add(audio.samples.data() + at * 2, frames, into), "");
    at += frames;
  }
  ASSERT_EQ(limiter.finish(into), "");
  ASSERT_EQ(blocks.size(), whole.size()) << "as many frames out as in";
  double largest = 0.0;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    largest = std::max(largest, static_cast<double>(std::abs(blocks[i] - whole[i])));
  }
  EXPECT_LT(largest, 1e-6);
}

TEST(PeakLimiter, ASinkThatRefusesStopsItWithAnError) {
  const StereoAudio audio = test::struckTones(2.0, 4.0, 0.5, 4);
  PeakLimiter limiter;
  ASSERT_EQ(limiter.open({-1.0, 5.0, 50.0}), "");
  const LimitedBlockSink refuses = [](const float*, std::size_t) { return false; };
  std::string error = limiter.add(audio.samples.data(), audio.frames(), refuses);
  if (error.empty()) error = limiter.finish(refuses);
  EXPECT_NE(error, "");
}

}  // namespace
}  // namespace brisolt::rendition
