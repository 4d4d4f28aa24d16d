// Writing one voice file from the sample data file.
#include "render/voice_file.h"

#include <algorithm>
#include <cerrno>

#include "audio/wave_copy.h"
#include "audio/wave_format.h"
#include "platform/files/file_system.h"
#include "platform/paths.h"

namespace brisolt::render {

std::uint32_t leadInBytes(int leadInMs) { return audio::millisecondsToBytes(leadInMs); }

std::uint32_t tailBytes(int leadInMs) { return audio::millisecondsToBytes(kLeadInAndTailMs - leadInMs); }

VoiceFile::Open VoiceFile::open(const std::string& sampleDataPath, const std::string& outputPath, int barCount,
                                int tempo) {
  sampleDataPath_ = sampleDataPath;
  outputPath_ = outputPath;
  platform::OpenFailure openFailure;
  sampleData_ = platform::File::openForReading(sampleDataPath, &openFailure);
  if (!sampleData_) {
    errno = openFailure.systemError;
    fail(VoiceFailureKind::kNoSampleData, 0, 0, sampleDataPath);
    return Open::kNoSampleData;
  }
  errno = 0;
  planOnly_ = track_.events != nullptr && track_.events->plansOnly();
  if (!planOnly_) output_ = bank_.createWaveFile(outputPath, barCount, tempo);
  if (!output_ && !planOnly_) {
    fail(VoiceFailureKind::kNoOutput, 0, 0, outputPath);
    sampleData_.close();
    return Open::kNoOutput;
  }
  written_ = 0;
  return Open::kOpened;
}

bool VoiceFile::fail(VoiceFailureKind kind, int key, int layer, const std::string& file) {
  failure_ = {kind, key, layer, file, errno};
  return false;
}

bool VoiceFile::fetchOffset(int key, int layer, std::uint32_t& offset) const {
  const std::int32_t found = bank_.sampleOffset(key, layer);
  if (found == audio::kNoClip) return false;
  offset = static_cast<std::uint32_t>(found);
  return true;
}

bool VoiceFile::loadSilenceClip(std::uint32_t silenceOffset) {
  silenceClipTried_ = true;
  std::vector<std::uint8_t> clip(audio::kSilenceClipSize);
  if (!sampleData_.seek(silenceOffset)) return false;
  std::uint32_t got = 0;
  while (got < clip.size()) {
    const std::uint32_t n = sampleData_.read(clip.data() + got, static_cast<std::uint32_t>(clip.size()) - got);
    if (n == 0) return false;
    got += n;
  }
  silenceClip_ = std::move(clip);
  return true;
}

bool VoiceFile::flush() {
  if (pendingSilence_ == 0) return true;
  const std::int32_t silenceOffset = bank_.silenceOffset();
  if (silenceOffset == audio::kNoClip) return fail(VoiceFailureKind::kNoClip, audio::kSilenceKey, 0, sampleDataPath_);
  const auto offset = static_cast<std::uint32_t>(silenceOffset);
  if (!silenceClipTried_ && !planOnly_) loadSilenceClip(offset);
  // The silence clip is eight seconds long: longer silences take it in turns.
  while (pendingSilence_ > 0) {
    const auto piece = static_cast<std::uint32_t>(std::min<std::uint64_t>(pendingSilence_, audio::kSilenceClipSize));
    const std::int32_t copied = planOnly_ ? plannedCopy(offset, piece)
                                : silenceClip_.empty()
                                    ? bank_.copyRaw(sampleData_, output_, offset, piece)
                                    : static_cast<std::int32_t>(output_.write(silenceClip_.data(), piece));
    if (copied > 0) written_ += static_cast<std::uint32_t>(copied);
    if (copied != static_cast<std::int32_t>(piece)) return fail(VoiceFailureKind::kShortSilence, 0, 0, outputPath_);
    pendingSilence_ -= piece;
  }
  return true;
}

bool VoiceFile::clip(int key, int layer, std::uint32_t bytes, int step) {
  std::uint32_t offset = 0;
  if (!fetchOffset(key, layer, offset)) {
    errno = 0;
    return fail(VoiceFailureKind::kNoClip, key, layer, sampleDataPath_);
  }
  if (bytes == 0) return true;
  if (key == audio::kSilenceKey) {
    silence(bytes);  // scaled silence is silence
    return true;
  }
  if (!flush()) return false;
  errno = 0;
  const std::uint64_t start = written_;
  const std::int32_t copied =
      planOnly_ ? plannedCopy(offset, bytes) : bank_.copyScaled(sampleData_, output_, offset, bytes, step);
  if (copied > 0) written_ += static_cast<std::uint32_t>(copied);
  if (copied != static_cast<std::int32_t>(bytes)) return fail(VoiceFailureKind::kShortCopy, key, layer, outputPath_);
  report(key, layer, start, bytes, step, false);
  return true;
}

bool VoiceFile::clipCut(int key, int layer, std::uint32_t bytes, int step) {
  std::uint32_t offset = 0;
  if (!fetchOffset(key, layer, offset)) {
    errno = 0;
    return fail(VoiceFailureKind::kNoClip, key, layer, sampleDataPath_);
  }
  if (bytes == 0) return true;
  if (!flush()) return false;
  errno = 0;
  const std::uint64_t start = written_;
  const std::int32_t copied =
      planOnly_ ? plannedCutCopy(offset, bytes) : bank_.copyScaledCut(sampleData_, output_, offset, bytes, step);
  if (copied > 0) written_ += static_cast<std::uint32_t>(copied);
  if (copied != static_cast<std::int32_t>(bytes)) return fail(VoiceFailureKind::kShortCopy, key, layer, outputPath_);
  // The copy cuts a long request unless it starts at the silence clip, which
  // is no note and never reaches here.
  report(key, layer, start, bytes, step, bytes > audio::kCutThreshold);
  return true;
}

std::int32_t VoiceFile::plannedCopy(std::uint64_t offset, std::uint32_t bytes) const {
  if (bytes == 0) return audio::kCopyNothing;
  return offset + bytes <= track_.events->sampleDataBytes() ? static_cast<std::int32_t>(bytes) : audio::kCopySourceEnded;
}

std::int32_t VoiceFile::plannedCutCopy(std::uint32_t offset, std::uint32_t bytes) const {
  const std::int32_t silenceOffset = bank_.silenceOffset();
  if (static_cast<std::int64_t>(offset) == silenceOffset || bytes <= audio::kCutThreshold) {
    return plannedCopy(offset, bytes);
  }
  const std::int32_t first = plannedCopy(offset, audio::kCutLength);
  if (first != static_cast<std::int32_t>(audio::kCutLength)) return first;
  const std::uint32_t remainder = bytes - audio::kCutLength;
  const std::int32_t fill = silenceOffset < 0 ? audio::kCopyNothing
                                              : plannedCopy(static_cast<std::uint32_t>(silenceOffset), remainder);
  return first + fill;
}

void VoiceFile::report(int key, int layer, std::uint64_t start, std::uint32_t bytes, int step, bool cut) {
  if (track_.events == nullptr || key == audio::kSilenceKey) return;
  track_.events->notePlaced({track_.voice, track_.file, key, audio::clipLayer(layer), step, start, bytes, cut});
}

void VoiceFile::rest(int duration, int& debt) {
  silenceUnits(duration - debt);
  debt = 0;
}

void VoiceFile::close() {
  if (track_.events != nullptr && (output_ || planOnly_)) track_.events->fileClosed({track_.voice, track_.file, written_});
  pendingSilence_ = 0;
  silenceClip_ = {};
  silenceClipTried_ = false;
  planOnly_ = false;
  output_.close();
  sampleData_.close();
}

VoiceOutcome writeVoiceFile(const compose::PiecePlan& plan, audio::SampleBank& bank,
                            const std::string& sampleDataPath, const std::string& outputPath, int leadInMs,
                            const VoiceBody& body, const ScoreTrack& track) {
  VoiceFile file(bank, track);
  if (file.open(sampleDataPath, outputPath, plan.barCount, plan.tempo) != VoiceFile::Open::kOpened) {
    recordVoiceFailure(file.failure());
    return VoiceOutcome::kFailed;
  }
  file.silence(leadInBytes(leadInMs));
  VoiceOutcome outcome = body(file);
  if (outcome == VoiceOutcome::kWritten) file.silence(tailBytes(leadInMs));
  if (outcome == VoiceOutcome::kWritten && !file.flush()) outcome = VoiceOutcome::kFailed;
  if (outcome == VoiceOutcome::kCancelled) file.flush();  // what was placed so far; the caller deletes it
  if (outcome == VoiceOutcome::kFailed) recordVoiceFailure(file.failure());
  file.close();
  return outcome;
}

VoiceResult renderOneFileVoice(compose::Composer& composer, const std::string& sampleDataPath, int leadInMs,
                               EventCollector& events, VoiceId voice, const VoiceBody& body) {
  audio::SampleBank bank;
  const std::string path = platform::createTemporaryFile();
  if (path.empty()) {
    recordVoiceFailure({VoiceFailureKind::kNoTemporaryFile, 0, 0, platform::temporaryFolder(), errno});
    return {};
  }
  const VoiceOutcome outcome =
      writeVoiceFile(composer.plan(), bank, sampleDataPath, path, leadInMs, body, {&events, voice, 0});
  switch (outcome) {
    case VoiceOutcome::kWritten: return {{path}, VoiceEnd::kWritten};
    case VoiceOutcome::kCancelled: return {{path}, VoiceEnd::kCancelled};
    case VoiceOutcome::kFailed: break;
  }
  // Nobody can name the file of a failed call: it goes now.
  platform::deleteFile(path);
  return {};
}

}  // namespace brisolt::render
