// Synthesis and metering into a temporary file, then mastering into the WAV
// file.
#include "rendition/rendition.h"

#include <algorithm>
#include <cstdlib>

#include "platform/files/file_system.h"
#include "platform/libraries/ffmpeg_functions.h"
#include "rendition/block_hand_over.h"
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
    case SynthesisResult::kStopped: return RenditionResult::kCannotWrite;  // unless the watch stopped it
  }
  return RenditionResult::kSoundfontUnusable;
}

std::string scratchFolderOf(const RenditionRequest& request) {
  if (!request.scratchFolder.empty()) return request.scratchFolder;
  const char* tmpdir = std::getenv("TMPDIR");
  return tmpdir != nullptr && *tmpdir != '\0' ? std::string(tmpdir) : std::string("/tmp");
}

// Frames played before the decay: the decay's length is not known until it
// is over, so the playing's share of the progress counts on this much more.
constexpr double kExpectedDecaySeconds = 2.0;

// Turns the frames played and mastered into the request's progress, and
// remembers whether it asked to stop.
class ProgressWatch {
 public:
  ProgressWatch(const RenditionProgress& progress, double lengthSeconds)
      : progress_(progress),
        expectedFrames_(std::max(1.0, (lengthSeconds + kExpectedDecaySeconds) * kRenditionSampleRate)) {}

  bool played(std::size_t frames) {
    playedFrames_ += frames;
    return report(kPlayingShare * std::min(1.0, static_cast<double>(playedFrames_) / expectedFrames_));
  }
  // `frames` of the `total` the mastering writes in one attempt; a second
  // attempt moves nothing until it passes where the first one was.
  bool mastered(std::size_t frames, std::size_t total) {
    const double share = static_cast<double>(frames) / static_cast<double>(std::max<std::size_t>(total, 1));
    return report(kPlayingShare + (1.0 - kPlayingShare) * std::min(1.0, share));
  }
  bool stopped() const { return stopped_; }

 private:
  bool report(double done) {
    if (!progress_ || stopped_) return !stopped_;
    done_ = std::max(done_, done);
    stopped_ = !progress_(done_);
    return !stopped_;
  }

  const RenditionProgress& progress_;
  double expectedFrames_;
  std::size_t playedFrames_ = 0;
  double done_ = 0.0;
  bool stopped_ = false;
};

// The WAV file as the mastering's output: each attempt writes it anew. The
// file is removed when the rendition ends without keep().
class WaveOutput final : public MasteringOutput {
 public:
  WaveOutput(std::string path, ProgressWatch& watch, std::size_t totalFrames)
      : path_(std::move(path)), watch_(watch), totalFrames_(totalFrames) {}
  ~WaveOutput() override {
    if (!kept_ && started_) {
      static_cast<void>(writer_.close());
      platform::deleteFile(path_);
    }
  }
  WaveOutput(const WaveOutput&) = delete;
  WaveOutput& operator=(const WaveOutput&) = delete;

  bool restart() override {
    started_ = true;
    written_ = 0;
    created_ = writer_.create(path_);
    return created_.result == WaveWriteResult::kOk;
  }
  bool write(const float* samples, std::size_t frames) override {
    written_ += frames;
    return writer_.write(samples, frames) && watch_.mastered(written_, totalFrames_);
  }
  WaveWrite close() { return created_.result == WaveWriteResult::kOk ? writer_.close() : created_; }
  void keep() { kept_ = true; }

 private:
  std::string path_;
  ProgressWatch& watch_;
  std::size_t totalFrames_;
  std::size_t written_ = 0;
  StereoWaveWriter writer_;
  WaveWrite created_{WaveWriteResult::kCannotCreate, "the rendition was never started"};
  bool started_ = false;
  bool kept_ = false;
};

constexpr const char* kStoppedMessage = "the stereo rendition was stopped before it was finished";

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
  ProgressWatch watch(request.progress, request.lengthSeconds);
  // The blocks are measured and kept on a thread of their own while the
  // next ones are played; the progress is told from this one.
  BlockHandOver keeping(
      [&](const float* samples, std::size_t frames) {
        measured = loudness.add(samples, frames) && measured;
        return scratch.append(samples, frames);
      },
      kSynthesisBlockFrames);
  const Synthesis synthesis =
      synthesizePiano(request.notes, request.lengthSeconds, soundfont, [&](const float* samples, std::size_t frames) {
        return keeping.push(samples, frames) && watch.played(frames);
      });
  const bool kept = keeping.finish();
  if (watch.stopped()) return failed(RenditionResult::kStopped, kStoppedMessage);
  if (synthesis.result == SynthesisResult::kStopped || (synthesis.result == SynthesisResult::kOk && !kept)) {
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
  WaveOutput output(wavePath, watch, synthesis.frames);
  Rendition rendition;
  rendition.mastering = masterToLoudness(scratch, *inputLufs, output, request.target);
  const WaveWrite written = output.close();
  if (watch.stopped()) return failed(RenditionResult::kStopped, kStoppedMessage);
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
  output.keep();
  rendition.seconds = static_cast<double>(synthesis.frames) / kRenditionSampleRate;
  return rendition;
}

}  // namespace brisolt::rendition
