// A look-ahead peak limiter over stereo audio: FFmpeg's alimiter filter
// (libavfilter), run in process with its delay compensated, so the audio
// keeps its length and timing.
#pragma once

#include <string>
#include <vector>

namespace brisolt::rendition {

struct LimiterSettings {
  double ceilingDb = -1.5;     // no sample above this level (dBFS)
  double attackMs = 5.0;       // look-ahead
  double releaseMs = 50.0;
};

// Limits `samples` (interleaved stereo, the rendition's rate) in place.
// Returns an empty text on success, else what failed.
std::string limitPeaks(std::vector<float>& samples, const LimiterSettings& settings);

}  // namespace brisolt::rendition
