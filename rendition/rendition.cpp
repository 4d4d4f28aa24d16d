// Synthesis and metering into a temporary file, then mastering into the WAV
// file.
#include "rendition/rendition.h"

#include <cstdlib>

#include "platform/libraries/ffmpeg_functions.h"
#include "rendition/loudness_meter.h"
#include "rendition/piano_synthesis.h"
#include "rendition/scratch_audio.h"
#include "rendition/soundfont_locator.h"
#include "rendition/wave_writer.h"

namespace brisolt::rendition {
namespace {

RenditionResult resultOf(SynthesisResult result) {
  switch (result) {
    case SynthesisResult::kOk: return RenditionResult::kOk;
    case SynthesisResult::kNoSynthLibrary: return RenditionResult::kNoSynthLibrary;
    case SynthesisResult::kNoSoundfont: return RenditionResult::kNoSoundfont;
    case SynthesisResult::kSoundfontUnusable: return RenditionResult::kSoundfontUnusable;
    case SynthesisResult::kStopped: return RenditionResult::kCannotWrite;
  }
  return RenditionResult::kSoundfontUnusable;
}

std::string scratchFolderOf(const RenditionRequest& request) {
  if (!request.scratchFolder.empty()) return request.scratchFolder;
  const char* tmpdir = std::getenv("TMPDIR");
  return tmpdir != nullptr && *tmpdir != '\0' ? std::string(tmpdir) : std::string("/tmp");
}

// The WAV file as the mastering's output: each attempt writes it anew.
class WaveOutput final : public MasteringOutput {
 public:
  explicit WaveOutput(std::string path) : path_(std::move(path)) {}
  bool restart() override {
    created_ = writer_.create(path_);
    return created_.result == WaveWriteResult::kOk;
  }
  bool write(const float* samples, std::size_t frames) override { return writer_.write(samples, frames); }
  WaveWrite close() { return created_.result == WaveWriteResult::kOk ? writer_.close() : created_; }

 private:
  std::string path_;
  StereoWaveWriter writer_;
  WaveWrite created_{WaveWriteResult::kCannotCreate, "the rendition was never started"};
};

Rendition failed(RenditionResult result, std::string message) {
  Rendition rendition;
  rendition.result = result;
  rendition.message = std::move(message);
  return rendition;
}

}  // namespace

Rendition renderRendition(const RenditionRequest& request, const std::string& wavePath) {
  const std::string soundfont = request.soundfontPath.empty() ? findPianoSoundfont() : request.soundfontPath;
  if (soundfont.empty()) {
    return failed(RenditionResult::kNoSoundfont,
                  std::string("no piano SoundFont found: install the package fluid-soundfont-gm (") +
                      kDefaultPianoSoundfont + ") or set " + kSoundfontVariable + " to a SoundFont file");
  }

  // The limiter's library is opened before any note is played or any file is
  // made, so that its absence costs neither.
  if (const platform::FilterLibrary& limiter = platform::filterLibrary(); !limiter.loaded()) {
    return failed(RenditionResult::kMasteringFailed, "the peak limiter needs " + limiter.message);
  }

  // Pass 1: the notes played, measured and kept as floats.
  ScratchAudio scratch;
  if (std::string error = scratch.open(scratchFolderOf(request)); !error.empty()) {
    return failed(RenditionResult::kCannotWrite, "the rendition has no room to be made: " + error);
  }
  LoudnessMeter loudness;
  bool measured = true;
  const Synthesis synthesis =
      synthesizePiano(request.notes, request.lengthSeconds, soundfont, [&](const float* samples, std::size_t frames) {
        measured = loudness.add(samples, frames) && measured;
        return scratch.append(samples, frames);
      });
  if (synthesis.result == SynthesisResult::kStopped) {
    return failed(RenditionResult::kCannotWrite,
                  "the temporary file of the rendition could not be written (is " + scratchFolderOf(request) +
                      " full? TMPDIR names another folder)");
  }
  if (synthesis.result != SynthesisResult::kOk) return failed(resultOf(synthesis.result), synthesis.message);
  const std::optional<double> inputLufs = loudness.integrated();
  if (!measured || !inputLufs) {
    return failed(RenditionResult::kMasteringFailed, "libebur128 could not measure the rendition's loudness");
  }

  // Pass 2: mastered into the WAV file.
  WaveOutput output(wavePath);
  Rendition rendition;
  rendition.mastering = masterToLoudness(scratch, *inputLufs, output, request.target);
  const WaveWrite written = output.close();
  switch (rendition.mastering.result) {
    case MasteringResult::kMeterFailed:
    case MasteringResult::kLimiterFailed:
    case MasteringResult::kCannotRead:
      return failed(RenditionResult::kMasteringFailed, rendition.mastering.message);
    case MasteringResult::kCannotWrite:
      return failed(RenditionResult::kCannotWrite, written.message.empty() ? rendition.mastering.message : written.message);
    case MasteringResult::kOk:
    case MasteringResult::kSilent:
    case MasteringResult::kMissedTarget:
      break;
  }
  if (written.result != WaveWriteResult::kOk) return failed(RenditionResult::kCannotWrite, written.message);
  rendition.seconds = static_cast<double>(synthesis.frames) / kRenditionSampleRate;
  return rendition;
}

}  // namespace brisolt::rendition
