// Writes stereo audio as a 16-bit PCM WAV file with libsndfile, whole or
// block by block.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/files/file_write.h"
#include "rendition/stereo_audio.h"

typedef struct sf_private_tag SNDFILE;

namespace brisolt::rendition {

using WaveWriteResult = platform::FileWriteResult;
using WaveWrite = platform::FileWrite;

// 44,100 Hz, two channels, 16-bit; samples beyond full scale are clipped,
// the others rounded to the nearest step.
class StereoWaveWriter {
 public:
  StereoWaveWriter();
  ~StereoWaveWriter();
  StereoWaveWriter(const StereoWaveWriter&) = delete;
  StereoWaveWriter& operator=(const StereoWaveWriter&) = delete;

  // Creates `path` afresh (an open file is closed first).
  WaveWrite create(const std::string& path);
  // Interleaved stereo frames; false when they could not all be written.
  bool write(const float* samples, std::size_t frames);
  // Finishes the header and closes the file.
  WaveWrite close();

 private:
  struct Closer {
    void operator()(SNDFILE* file) const;
  };
  std::unique_ptr<SNDFILE, Closer> file_;
  std::string path_;
  bool failed_ = false;
};

WaveWrite writeStereoWave16(const StereoAudio& audio, const std::string& path);

}  // namespace brisolt::rendition
