// The mix's sample loops against the arithmetic they must keep, one sample
// at a time: whichever vector build the machine picks, every sample and
// every extreme comes out as the plain formula gives it.
#include "audio/mix_kernels.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace brisolt::audio {
namespace {

std::vector<std::int16_t> randomSamples(std::mt19937& random, std::size_t count) {
  std::uniform_int_distribution<int> value(-32768, 32767);
  std::vector<std::int16_t> samples(count);
  for (auto& sample : samples) sample = static_cast<std::int16_t>(value(random));
  return samples;
}

std::int16_t scaledOne(std::int16_t sample, double factor) {
  const double product = std::trunc(static_cast<double>(sample) * factor);
  if (product > 32767.0) return 32767;
  if (product < -32768.0) return -32768;
  return static_cast<std::int16_t>(product);
}

TEST(ScaleSamples, EverySampleIsTruncatedTowardZeroAndClampedAtAnyLength) {
  std::mt19937 random(11);
  // Lengths around the vector widths, so that every tail path runs.
  for (std::uint32_t count : {1u, 3u, 7u, 8u, 15u, 16u, 17u, 31u, 33u, 64u, 1001u, 16320u}) {
    for (double factor : {0.0, 0.3, 0.5, 0.999999, 1.0, 1.7320508, 3.5, 32768.0}) {
      const std::vector<std::int16_t> before = randomSamples(random, count);
      std::vector<std::int16_t> after = before;
      scaleSamples(after.data(), count, factor);
      for (std::uint32_t i = 0; i < count; ++i) {
        ASSERT_EQ(after[i], scaledOne(before[i], factor))
            << "sample " << i << " of " << count << " (" << before[i] << ") by " << factor;
      }
    }
  }
}

TEST(ScaleSamples, NegativeProductsTruncateUpwardAndTheExtremesClampToSixteenBits) {
  std::vector<std::int16_t> samples{-3, 3, -32768, 32767, -1, 1};
  scaleSamples(samples.data(), static_cast<std::uint32_t>(samples.size()), 1.5);
  EXPECT_EQ(samples, (std::vector<std::int16_t>{-4, 4, -32768, 32767, -1, 1}));
}

TEST(AverageSamples, EachSampleIsTheSumOverEightTruncatedAndThePeaksCoverInputsAndMix) {
  std::mt19937 random(23);
  for (std::uint32_t count : {1u, 5u, 16u, 17u, 63u, 16320u}) {
    std::array<std::vector<std::int16_t>, kMixInputs> inputs;
    std::array<const std::int16_t*, kMixInputs> pointers{};
    for (int k = 0; k < kMixInputs; ++k) {
      inputs[k] = randomSamples(random, count);
      pointers[k] = inputs[k].data();
    }
    std::vector<std::int16_t> out(count);
    const BlockPeaks peaks = averageSamples(pointers, count, out.data());

    std::int16_t inputLow = 32767, inputHigh = -32768, mixLow = 32767, mixHigh = -32768;
    for (std::uint32_t i = 0; i < count; ++i) {
      int sum = 0;
      for (const auto& input : inputs) {
        sum += input[i];
        inputLow = std::min(inputLow, input[i]);
        inputHigh = std::max(inputHigh, input[i]);
      }
      const auto mixed = static_cast<std::int16_t>(sum / 8);
      ASSERT_EQ(out[i], mixed) << "sample " << i << " of " << count;
      mixLow = std::min(mixLow, mixed);
      mixHigh = std::max(mixHigh, mixed);
    }
    EXPECT_EQ(peaks.inputLow, inputLow);
    EXPECT_EQ(peaks.inputHigh, inputHigh);
    EXPECT_EQ(peaks.mixLow, mixLow);
    EXPECT_EQ(peaks.mixHigh, mixHigh);
  }
}

TEST(AverageSamples, ANegativeSumTruncatesTowardZero) {
  std::array<std::vector<std::int16_t>, kMixInputs> inputs;
  std::array<const std::int16_t*, kMixInputs> pointers{};
  for (int k = 0; k < kMixInputs; ++k) {
    inputs[k] = {static_cast<std::int16_t>(k == 0 ? -15 : 0), static_cast<std::int16_t>(k == 0 ? 15 : 0)};
    pointers[k] = inputs[k].data();
  }
  std::vector<std::int16_t> out(2);
  averageSamples(pointers, 2, out.data());
  EXPECT_EQ(out, (std::vector<std::int16_t>{-1, 1}));
}

}  // namespace
}  // namespace brisolt::audio
