// The libsndfile side of the rendition.
#include "rendition/wave_writer.h"

#include <sndfile.h>

#include <memory>

#include "platform/files/file_handle.h"

namespace brisolt::rendition {

WaveWrite writeStereoWave16(const StereoAudio& audio, const std::string& path) {
  SF_INFO info{};
  info.samplerate = kRenditionSampleRate;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  const auto close = [](SNDFILE* file) { sf_close(file); };
  // Opened by our own rules: never through a link, never into a FIFO.
  platform::OpenFailure failure;
  platform::File opened = platform::File::createForWriting(path, &failure);
  if (!opened) {
    return {WaveWriteResult::kCannotCreate,
            "cannot create the rendition '" + path + "': it " + platform::describeOpenFailure(failure)};
  }
  const std::unique_ptr<SNDFILE, decltype(close)> file(
      sf_open_fd(opened.releaseDescriptor(), SFM_WRITE, &info, SF_TRUE), close);
  if (!file) {
    return {WaveWriteResult::kCannotCreate, "cannot create the rendition '" + path + "' (" + sf_strerror(nullptr) +
                                                "; is the folder there and writable?)"};
  }
  sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
  const auto frames = static_cast<sf_count_t>(audio.frames());
  if (sf_writef_float(file.get(), audio.samples.data(), frames) != frames) {
    return {WaveWriteResult::kWriteFailed, "could not write all of the rendition '" + path + "' (is the disk full?)"};
  }
  return {};
}

}  // namespace brisolt::rendition
