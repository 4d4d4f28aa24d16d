// The converter keeps a tone's pitch and the audio's length when it changes
// the sample rate, across blocks and through its flush.
#include "app/cli/sample_rate_converter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace brisolt {
namespace {

// A tone of `hertz` lasting `seconds`, `channels` interleaved copies.
std::vector<float> tone(double hertz, int rate, double seconds, int channels) {
  const int frames = static_cast<int>(seconds * rate);
  std::vector<float> samples;
  for (int i = 0; i < frames; ++i) {
    const auto value = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * hertz * i / rate));
    for (int c = 0; c < channels; ++c) samples.push_back(value);
  }
  return samples;
}

// Upward zero crossings of channel `channel` over the middle of the audio
// (skipping the converter's filter edges), as a frequency.
double measuredHertz(const std::vector<float>& samples, int channels, int channel, int rate) {
  const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
  const std::size_t first = frames / 10, last = frames - frames / 10;
  int crossings = 0;
  for (std::size_t i = first + 1; i < last; ++i) {
    const float before = samples[(i - 1) * channels + channel], now = samples[i * channels + channel];
    if (before < 0.0f && now >= 0.0f) ++crossings;
  }
  return crossings * static_cast<double>(rate) / static_cast<double>(last - first);
}

std::vector<float> convertInBlocks(SampleRateConverter& converter, const std::vector<float>& input, int channels,
                                   int blockFrames) {
  std::vector<float> output;
  const int frames = static_cast<int>(input.size()) / channels;
  for (int start = 0; start < frames; start += blockFrames) {
    const int count = std::min(blockFrames, frames - start);
    const std::vector<float>& made = converter.convert(input.data() + start * channels, count);
    output.insert(output.end(), made.begin(), made.end());
  }
  const std::vector<float>& rest = converter.flush();
  output.insert(output.end(), rest.begin(), rest.end());
  return output;
}

TEST(SampleRateConverter, TheMixsRateBecomesOpussWithPitchAndLengthKept) {
  SampleRateConverter converter(1, 22050, 48000);
  ASSERT_TRUE(converter.ready());
  const std::vector<float> input = tone(440.0, 22050, 3.0, 1);
  const std::vector<float> output = convertInBlocks(converter, input, 1, 4096);
  EXPECT_NEAR(static_cast<double>(output.size()), 3.0 * 48000, 48.0) << "three seconds stay three seconds";
  EXPECT_NEAR(measuredHertz(output, 1, 0, 48000), 440.0, 2.0);
}

TEST(SampleRateConverter, StereoChannelsStayApartAndInStep) {
  SampleRateConverter converter(2, 44100, 48000);
  ASSERT_TRUE(converter.ready());
  std::vector<float> input = tone(1000.0, 44100, 2.0, 2);
  for (std::size_t i = 1; i < input.size(); i += 2) input[i] = -input[i];  // right = inverted left
  const std::vector<float> output = convertInBlocks(converter, input, 2, 1000);
  ASSERT_EQ(output.size() % 2, 0u);
  EXPECT_NEAR(static_cast<double>(output.size() / 2), 2.0 * 48000, 48.0);
  EXPECT_NEAR(measuredHertz(output, 2, 0, 48000), 1000.0, 4.0);
  double worst = 0.0;
  for (std::size_t i = 0; i + 1 < output.size(); i += 2) worst = std::max(worst, std::abs(double(output[i] + output[i + 1])));
  EXPECT_LT(worst, 1e-4) << "the right channel is still the left one inverted";
}

TEST(SampleRateConverter, ImpossibleRatesAreRefusedNotCrashed) {
  SampleRateConverter converter(1, 0, 48000);
  EXPECT_FALSE(converter.ready());
  EXPECT_EQ(converter.error(), "libswresample refused 1 channels from 0 Hz to 48000 Hz");
  const float silence[4] = {};
  EXPECT_TRUE(converter.convert(silence, 4).empty()) << "a refused converter makes nothing";
  EXPECT_TRUE(converter.flush().empty());
}

}  // namespace
}  // namespace brisolt
