// The libsndfile side of the rendition.
#include "rendition/wave_writer.h"

#include <sndfile.h>

#include "platform/files/file_handle.h"

namespace brisolt::rendition {

void StereoWaveWriter::Closer::operator()(SNDFILE* file) const { sf_close(file); }

StereoWaveWriter::StereoWaveWriter() = default;
StereoWaveWriter::~StereoWaveWriter() = default;

WaveWrite StereoWaveWriter::create(const std::string& path) {
  file_.reset();
  path_ = path;
  failed_ = false;
  SF_INFO info{};
  info.samplerate = kRenditionSampleRate;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  // Opened by our own rules: never through a link, never into a FIFO.
  platform::OpenFailure failure;
  platform::File opened = platform::File::createForWriting(path, &failure);
  if (!opened) {
    return {WaveWriteResult::kCannotCreate,
            "cannot create the rendition '" + path + "': it " + platform::describeOpenFailure(failure)};
  }
  file_.reset(sf_open_fd(opened.releaseDescriptor(), SFM_WRITE, &info, SF_TRUE));
  if (!file_) {
    return {WaveWriteResult::kCannotCreate, "cannot create the rendition '" + path + "' (" + sf_strerror(nullptr) +
                                                "; is the folder there and writable?)"};
  }
  sf_command(file_.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
  return {};
}

bool StereoWaveWriter::write(const float* samples, std::size_t frames) {
  const auto count = static_cast<sf_count_t>(frames);
  if (!file_ || sf_writef_float(file_.get(), samples, count) != count) failed_ = true;
  return !failed_;
}

WaveWrite StereoWaveWriter::close() {
  const bool wasOpen = static_cast<bool>(file_);
  file_.reset();
  if (!wasOpen || failed_) {
    return {WaveWriteResult::kWriteFailed, "could not write all of the rendition '" + path_ + "' (is the disk full?)"};
  }
  return {};
}

WaveWrite writeStereoWave16(const StereoAudio& audio, const std::string& path) {
  StereoWaveWriter writer;
  if (WaveWrite created = writer.create(path); created.result != WaveWriteResult::kOk) return created;
  writer.write(audio.samples.data(), audio.frames());
  return writer.close();
}

}  // namespace brisolt::rendition
