// The sample arithmetic of a mix, shared by the file mixer and the streaming
// engine so that both give the same bytes: the eight-way average with its
// peak trackers, the peak-matching factor and the scaling by it.
#pragma once

#include <array>
#include <cstdint>

namespace brisolt::audio {

inline constexpr int kMixInputs = 8;
// Trackers start here so that a minimum stays positive when no sample is negative.
inline constexpr std::int32_t kTrackerStartMinimum = 65535;

// The extremes of a run of samples: of the inputs and of their average.
struct BlockPeaks {
  std::int16_t inputLow, inputHigh, mixLow, mixHigh;
};

// The peak trackers of one whole mix, started as the file mixer starts them.
struct MixTrackers {
  std::int32_t mixMaximum = 0;
  std::int32_t mixMinimum = kTrackerStartMinimum;
  std::int32_t inputMaximum = 0;
  std::int32_t inputMinimum = kTrackerStartMinimum;

  void add(const BlockPeaks& peaks);
  // True when every input sample was 0: the mix is then left as averaged.
  bool inputsSilent() const { return inputMinimum == 0 && inputMaximum == 0; }
  // The factor the averaged mix is scaled by (1.0 for silent inputs).
  double factor() const;
};

// Averages `count` samples of the eight inputs into `out` (trunc(sum / 8))
// and returns the extremes of the inputs and of the average.
BlockPeaks averageSamples(const std::array<const std::int16_t*, kMixInputs>& in, std::uint32_t count,
                          std::int16_t* __restrict out);

// The scale that brings the louder side of the raw mix to the peak the
// inputs reached on that side: the smaller of the two ratios. A ratio whose
// divisor is 0 takes no part; with neither ratio the mix stays as it is.
double peakFactor(std::int32_t inputMaximum, std::int32_t inputMinimum, std::int32_t mixMaximum,
                  std::int32_t mixMinimum);

// Replaces each sample x by trunc(x x factor), clamped to 16 bits.
void scaleSamples(std::int16_t* __restrict samples, std::uint32_t count, double factor);

}  // namespace brisolt::audio
