// A look-ahead peak limiter over stereo audio: FFmpeg's alimiter filter
// (libavfilter), run in process with its delay compensated, so the audio
// keeps its length and timing. It takes the audio block by block, so a
// piece of any length is limited in a few blocks of memory.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace brisolt::rendition {

struct LimiterSettings {
  double ceilingDb = -1.5;     // no sample above this level (dBFS)
  double attackMs = 5.0;       // look-ahead
  double releaseMs = 50.0;
};

// Receives limited audio, interleaved stereo, in the order it was given;
// false stops the limiter with an error.
using LimitedBlockSink = std::function<bool(const float* samples, std::size_t frames)>;

class PeakLimiter {
 public:
  PeakLimiter();
  ~PeakLimiter();
  PeakLimiter(const PeakLimiter&) = delete;
  PeakLimiter& operator=(const PeakLimiter&) = delete;

  // Builds the filter. Empty on success, else what failed.
  std::string open(const LimiterSettings& settings);
  // Limits `frames` frames of interleaved stereo; what comes out (later, by
  // the look-ahead) goes to `sink`. Empty on success, else what failed.
  std::string add(const float* samples, std::size_t frames, const LimitedBlockSink& sink);
  // Flushes the look-ahead: after it `sink` has had exactly as many frames
  // as were added. Empty on success, else what failed.
  std::string finish(const LimitedBlockSink& sink);

  struct Graph;  // the filter graph, defined where libavfilter is used

 private:
  std::string drain(const LimitedBlockSink& sink, bool flushing);
  std::unique_ptr<Graph> graph_;
  std::size_t added_ = 0;
  std::size_t given_ = 0;
};

// Limits `samples` (interleaved stereo, the rendition's rate) in place.
// Returns an empty text on success, else what failed.
std::string limitPeaks(std::vector<float>& samples, const LimiterSettings& settings);

}  // namespace brisolt::rendition
