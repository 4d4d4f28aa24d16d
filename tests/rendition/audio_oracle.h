// Independent checks of rendered audio for the rendition's tests: loudness
// and true peak by ffmpeg's ebur128 filter, the file's shape and samples by
// libsndfile, and the search for sound that falls straight into silence.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "rendition/stereo_audio.h"

namespace brisolt::test {

struct FfmpegLoudness {
  double integratedLufs = 0.0;
  double truePeakDbtp = 0.0;
};

// Runs `ffmpeg -af ebur128=peak=true` on `path`; nothing when ffmpeg fails.
std::optional<FfmpegLoudness> ffmpegLoudness(const std::string& path);

struct WaveContents {
  int sampleRate = 0;
  int channels = 0;
  int format = 0;  // libsndfile's SF_FORMAT_* of the file
  std::vector<short> samples;  // interleaved
};
std::optional<WaveContents> readWave(const std::string& path);

// The first frame where sound whose 10 ms before reach above `soundDb` (dBFS)
// is followed at once by `silentFrames` frames of digital zero, or by the end
// of the file within fewer frames; nothing when there is none.
std::optional<std::size_t> fallIntoSilence(const std::vector<short>& interleaved, double soundDb,
                                           std::size_t silentFrames);

// A synthetic piano-like stereo signal: decaying tones struck `perSecond`
// times a second at random levels, `seconds` long, peaking near `peak`.
rendition::StereoAudio struckTones(double seconds, double perSecond, double peak, unsigned seed);

}  // namespace brisolt::test
