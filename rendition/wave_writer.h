// Writes stereo audio as a 16-bit PCM WAV file with libsndfile.
#pragma once

#include <string>

#include "rendition/stereo_audio.h"

namespace brisolt::rendition {

enum class WaveWriteResult { kOk, kCannotCreate, kWriteFailed };

struct WaveWrite {
  WaveWriteResult result = WaveWriteResult::kOk;
  std::string message;  // empty on success, else what failed and what would fix it
};

// 44,100 Hz, two channels, 16-bit; samples beyond full scale are clipped,
// the others rounded to the nearest step.
WaveWrite writeStereoWave16(const StereoAudio& audio, const std::string& path);

}  // namespace brisolt::rendition
