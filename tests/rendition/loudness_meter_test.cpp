// The loudness meter against the standard's own reference signals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "rendition/loudness_meter.h"
#include "rendition/stereo_audio.h"
#include "tests/rendition/audio_oracle.h"

namespace brisolt::rendition {
namespace {

// A stereo sine of `frequency` Hz and peak `peakDb` dBFS, phase `phase`.
std::vector<float> sine(double frequency, double peakDb, double seconds, double phase = 0.0) {
  const auto frames = static_cast<std::size_t>(seconds * kRenditionSampleRate);
  const double amplitude = std::pow(10.0, peakDb / 20.0);
  std::vector<float> samples(frames * 2);
  for (std::size_t i = 0; i < frames; ++i) {
    const double value =
        amplitude * std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(i) / kRenditionSampleRate + phase);
    samples[i * 2] = samples[i * 2 + 1] = static_cast<float>(value);
  }
  return samples;
}

TEST(LoudnessMeter, StereoSineAtMinus23DbfsReadsMinus23Lufs) {
  // The reference of EBU Tech 3341: a 1 kHz stereo sine at -23 dBFS.
  const std::optional<double> loudness = integratedLoudness(sine(1000.0, -23.0, 20.0));
  ASSERT_TRUE(loudness);
  EXPECT_NEAR(*loudness, -23.0, 0.1);
}

TEST(LoudnessMeter, SilenceHasNoLoudness) {
  const std::optional<double> loudness = integratedLoudness(std::vector<float>(kRenditionSampleRate * 2 * 5, 0.0f));
  ASSERT_TRUE(loudness);
  EXPECT_TRUE(std::isinf(*loudness) && *loudness < 0) << *loudness;
}

TEST(LoudnessMeter, TruePeakFindsThePeakBetweenSamples) {
  // A quarter-rate sine sampled 45 degrees off its crests: every sample sits
  // 3 dB under the true peak of 0 dBTP.
  const std::vector<float> samples = sine(kRenditionSampleRate / 4.0, 0.0, 2.0, std::numbers::pi / 4);
  const std::optional<double> peak = truePeakNear(samples, -1.0);
  ASSERT_TRUE(peak);
  EXPECT_NEAR(*peak, 0.0, 0.5);
}

TEST(LoudnessMeter, QuietAudioIsTakenAtItsSamplePeak) {
  const std::optional<double> peak = truePeakNear(sine(1000.0, -20.0, 2.0), -1.0);
  ASSERT_TRUE(peak);
  EXPECT_NEAR(*peak, -20.0, 0.01);
}

TEST(LoudnessMeter, OneLoudStretchInQuietAudioIsFound) {
  std::vector<float> samples = sine(1000.0, -20.0, 10.0);
  const std::vector<float> loud = sine(kRenditionSampleRate / 4.0, 0.0, 0.5, std::numbers::pi / 4);
  std::copy(loud.begin(), loud.end(), samples.begin() + 5 * kRenditionSampleRate * 2);
  const std::optional<double> peak = truePeakNear(samples, -1.0);
  ASSERT_TRUE(peak);
  EXPECT_NEAR(*peak, 0.0, 0.5);
}

TEST(LoudnessMeter, AudioGivenInBlocksMeasuresAsTheWholeDoes) {
  const StereoAudio audio = test::struckTones(12.0, 5.0, 3.0, 9);
  const std::optional<double> wholeLoudness = integratedLoudness(audio.samples);
  const std::optional<double> wholePeak = truePeakNear(audio.samples, -1.0);
  ASSERT_TRUE(wholeLoudness && wholePeak);
  LoudnessMeter loudness;
  TruePeakMeter peak(-1.0);
  for (std::size_t at = 0; at < audio.frames(); at += 1000) {
    const std::size_t frames = std::min<std::size_t>(1000, audio.frames() - at);
    ASSERT_TRUE(loudness.add(audio.samples.data() + at * 2, frames));
    ASSERT_TRUE(peak.add(audio.samples.data() + at * 2, frames));
  }
  EXPECT_NEAR(*loudness.integrated(), *wholeLoudness, 1e-9);
  EXPECT_NEAR(*peak.truePeakDb(), *wholePeak, 1e-9);
  EXPECT_GT(*wholePeak, -1.0 - kQuietMarginDb) << "the audio must reach the oversampled range to test it";
}

}  // namespace
}  // namespace brisolt::rendition
