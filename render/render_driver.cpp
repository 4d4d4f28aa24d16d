// The render driver: the schedule of renderer calls, the mix of each group
// into its stem and of the stems into the final mix, the progress steps, and
// the clean-up of the run's temporary files however the run ends.
#include "render/render_driver.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <vector>

#include "audio/output_files.h"
#include "platform/files/file_system.h"
#include "platform/files/owned_names.h"
#include "render/voice_failure.h"
#include "render/voice_schedule.h"

namespace brisolt::render {
namespace {

constexpr int kStemCount = 8;
// discardFiles takes at most one group's names from its list.
constexpr int kMostDiscardedNames = 8;
// The remaining-time estimate is first shown after the sixth call of the
// schedule (voice W); the melody call and the J, K, L and N calls before it
// are not followed by it.
constexpr std::size_t kCallsBeforeEstimate = 5;
enum class RunEnd { kFinished, kCancelled, kFailed };

// The nine temporary files of a run, made in this order by the temporary
// file service: the scratch file that every mix writes its raw average to,
// then stems 1 to 8. The scratch file is deleted when the run ends, however
// it ends (a mix of silent voices leaves it behind otherwise).
class RunFiles {
 public:
  RunFiles() {
    scratch_ = platform::createTemporaryFile();
    made_ = !scratch_.empty();
    for (std::string& stem : stems_) {
      if (!made_) break;
      stem = platform::createTemporaryFile();
      made_ = !stem.empty();
    }
  }
  ~RunFiles() {
    if (!scratch_.empty()) platform::deleteFile(scratch_);
  }
  RunFiles(const RunFiles&) = delete;
  RunFiles& operator=(const RunFiles&) = delete;

  // False when the temporary folder would not take all nine files.
  bool made() const { return made_; }
  const std::string& scratch() const { return scratch_; }
  const std::string& stem(int number) const { return stems_[static_cast<std::size_t>(number - 1)]; }

  // The eight stems, stem 1 first.
  std::vector<std::string> stemList() const { return {stems_.begin(), stems_.end()}; }

  // discardFiles: deletes the first eight files named in `files` (empty
  // names skipped), then the eight stems.
  void discard(const std::vector<std::string>& files) const {
    int names = 0;
    for (const std::string& file : files) {
      if (names == kMostDiscardedNames) break;
      if (file.empty()) continue;
      platform::deleteFile(file);
      ++names;
    }
    for (const std::string& stem : stems_) {
      if (!stem.empty()) platform::deleteFile(stem);
    }
  }

 private:
  std::string scratch_;
  std::array<std::string, kStemCount> stems_;
  bool made_ = false;
};

class RenderRun {
 public:
  RenderRun(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath, RenderHost& host,
            const VoiceRenderers& renderers)
      : composer_(composer), mixer_(mixer), sampleDataPath_(sampleDataPath), host_(host), renderers_(renderers) {}

  // The clips placed so far.
  Score takeScore() { return events_.takeScore(); }

  int execute(const std::string& outputPrefix) {
    const std::vector<ScheduledCall>& calls = builtinVoiceSchedule().calls;
    clearRenderFailure();
    if (!files_.made() || calls.empty()) return stop(RunEnd::kFailed, {});

    std::vector<std::string> voiceList;  // the files the current group has made so far
    int mixes = 0;
    for (std::size_t index = 0; index < calls.size(); ++index) {
      const ScheduledCall& call = calls[index];
      composer_.rewindBars();
      const VoiceResult result = renderers_.run(call, composer_, sampleDataPath_, events_);
      if (result.failed()) reportVoiceFailure(call.letter);  // the group's mix will find an input missing
      voiceList.insert(voiceList.end(), result.paths.begin(), result.paths.end());
      const bool melody = call.renderer == Renderer::kMelody;

      host_.advanceProgress();
      if (!melody && filesPerCall(call.renderer) == 2) host_.advanceProgress();
      if (index >= kCallsBeforeEstimate) host_.showRemainingTime();

      if (result.cancelled()) return stop(RunEnd::kCancelled, voiceList);
      if (melody) host_.advanceProgress();

      const bool lastOfGroup = index + 1 == calls.size() || calls[index + 1].group != call.group;
      if (!lastOfGroup) continue;
      if (const RunEnd end = mix(files_.stem(call.stem), voiceList); end != RunEnd::kFinished) {
        return stop(end, voiceList);
      }
      host_.advanceProgress();
      host_.advanceProgress();
      if (call.group != calls.front().group) host_.showRemainingTime();
      host_.mixWritten(++mixes);
      voiceList.clear();
    }

    // The final mix is made under a partial name and renamed into place when
    // whole: a run that stops part-way never leaves a short mix at the final name.
    const std::vector<std::string> stems = files_.stemList();
    const std::string finalMix = audio::finalMixPath(outputPrefix);
    const std::string partialMix = platform::partialName(finalMix, ::getpid());
    RunEnd end = mix(partialMix, stems);
    if (end == RunEnd::kFinished && std::rename(partialMix.c_str(), finalMix.c_str()) != 0) end = RunEnd::kFailed;
    if (end != RunEnd::kFinished) {
      platform::deleteFile(partialMix);
      return stop(end, stems);
    }
    host_.advanceProgress();
    host_.advanceProgress();
    host_.showRemainingTime();
    host_.mixWritten(++mixes);
    return kRenderDone;
  }

 private:
  // A Stop that came before the mix began must end the run here: mixEight
  // clears the mixer's cancel flag before it averages, so only the
  // Composer's flag still tells. A Stop during the mix reaches it through the
  // mixer's flag.
  RunEnd mix(const std::string& destination, const std::vector<std::string>& inputs) {
    if (composer_.cancelRequested) return RunEnd::kCancelled;
    const int result = mixer_.mixEight(destination, inputs, audio::MixMode::kPeakMatched, files_.scratch());
    if (result == audio::kMixDone) return RunEnd::kFinished;
    // Stop sets both flags; the mixer's alone may be left over from an earlier
    // Stop, so it does not turn a failed mix into a cancelled one.
    const bool cancelled = result == audio::kMixCancelled || result == audio::kMixPeakMatchCancelled ||
                           composer_.cancelRequested;
    return cancelled ? RunEnd::kCancelled : RunEnd::kFailed;
  }

  // Ends a run that did not finish. The files of the current group (or the
  // stems, at the final mix) are deleted in both cases: a group whose mix
  // failed because one renderer failed leaves no voice files behind.
  int stop(RunEnd end, const std::vector<std::string>& files) {
    if (end == RunEnd::kCancelled) host_.abortGeneration();
    files_.discard(files);
    return kRenderStopped;
  }

  compose::Composer& composer_;
  audio::FileMixer& mixer_;
  const std::string& sampleDataPath_;
  RenderHost& host_;
  const VoiceRenderers& renderers_;
  EventCollector events_;  // every renderer reports its clips here
  RunFiles files_;
};

}  // namespace

int render(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath,
           const std::string& outputPrefix, RenderHost& host, Score& score, const VoiceRenderers& renderers) {
  RenderRun run(composer, mixer, sampleDataPath, host, renderers);
  const int result = run.execute(outputPrefix);
  score = run.takeScore();
  return result;
}

int render(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath,
           const std::string& outputPrefix, RenderHost& host, const VoiceRenderers& renderers) {
  Score unused;
  return render(composer, mixer, sampleDataPath, outputPrefix, host, unused, renderers);
}

int render(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath,
           const std::string& outputPrefix, RenderHost& host) {
  return render(composer, mixer, sampleDataPath, outputPrefix, host, programVoiceRenderers());
}

}  // namespace brisolt::render
