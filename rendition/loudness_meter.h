// Integrated loudness (EBU R 128 / ITU-R BS.1770) and true peak of stereo
// audio, measured with libebur128.
#pragma once

#include <optional>
#include <vector>

namespace brisolt::rendition {

// `samples` is interleaved stereo at the rendition's rate. The integrated
// loudness in LUFS (-inf for silence); nothing when libebur128 fails.
std::optional<double> integratedLoudness(const std::vector<float>& samples);

// Oversampling to find peaks between samples is the costly part of a
// measurement, and only loud stretches can reach a peak bound: blocks whose
// samples stay kQuietMarginDb under `boundDb` are taken at their sample
// peak (in music a true peak rises far less than 3 dB over the sample peak),
// the others are oversampled by libebur128 with a block of context on each
// side (whose start, oversampled from silence, overshoots by well under
// 3 dB and so stays under the bound).
inline constexpr double kQuietMarginDb = 3.0;

// The true peak in dBTP of the louder channel, exact wherever it comes
// within kQuietMarginDb of `boundDb`; nothing when libebur128 fails.
std::optional<double> truePeakNear(const std::vector<float>& samples, double boundDb);

}  // namespace brisolt::rendition
