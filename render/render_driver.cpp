// The render driver: the schedule of renderer calls, the mix of each group
// into its stem and of the stems into the final mix, the progress steps, and
// the clean-up of the run's temporary files however the run ends.
#include "render/render_driver.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "audio/output_files.h"
#include "platform/files/file_system.h"
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
// A renderer stopped by the cancel flag marks each file it began with this.
constexpr char kCancelMark = '*';

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

  // The eight stems, stem 1 first, each followed by a line feed.
  std::string stemList() const {
    std::string list;
    for (const std::string& stem : stems_) list += stem + "\n";
    return list;
  }

  // discardFiles: deletes the files named in `list` (line feeds between
  // names, empty pieces skipped, at most eight names), then the eight stems.
  void discard(std::string_view list) const {
    int names = 0;
    while (!list.empty() && names < kMostDiscardedNames) {
      const std::size_t end = std::min(list.find('\n'), list.size());
      if (end > 0) {
        platform::deleteFile(std::string(list.substr(0, end)));
        ++names;
      }
      list.remove_prefix(std::min(end + 1, list.size()));
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

  int execute(const std::string& outputPrefix) {
    const std::vector<ScheduledCall>& calls = builtinVoiceSchedule().calls;
    clearRenderFailure();
    if (!files_.made() || calls.empty()) return stop(RunEnd::kFailed, {});

    std::string voiceList;
    int mixes = 0;
    for (std::size_t index = 0; index < calls.size(); ++index) {
      const ScheduledCall& call = calls[index];
      composer_.rewindBars();
      const std::string result = callRenderer(call);
      if (result.empty()) reportVoiceFailure(call.letter);  // the group's mix will find an input missing
      voiceList += result;
      const bool melody = call.renderer == Renderer::Melody;
      if (!melody) voiceList += '\n';

      host_.advanceProgress();
      if (!melody && filesPerCall(call.renderer) == 2) host_.advanceProgress();
      if (index >= kCallsBeforeEstimate) host_.showRemainingTime();

      if (result.find(kCancelMark) != std::string::npos) {
        std::replace(voiceList.begin(), voiceList.end(), kCancelMark, '\n');
        return stop(RunEnd::kCancelled, voiceList);
      }
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

    const std::string stems = files_.stemList();
    if (const RunEnd end = mix(audio::finalMixPath(outputPrefix), stems); end != RunEnd::kFinished) {
      return stop(end, stems);
    }
    host_.advanceProgress();
    host_.advanceProgress();
    host_.showRemainingTime();
    host_.mixWritten(++mixes);
    return kRenderDone;
  }

 private:
  std::string callRenderer(const ScheduledCall& call) {
    switch (call.renderer) {
      case Renderer::Melody:
        return renderers_.melody(composer_, sampleDataPath_);
      case Renderer::Ensemble:
        return renderers_.ensemble(composer_, sampleDataPath_, call.letter, call.step);
      case Renderer::Accompaniment:
        return renderers_.accompaniment(composer_, sampleDataPath_, call.letter, call.step);
      case Renderer::Split:
        return renderers_.split(composer_, sampleDataPath_, call.letter, events_, call.step);
      case Renderer::Pulse:
        return renderers_.pulse(composer_, sampleDataPath_, call.letter, events_, call.step);
    }
    return {};
  }

  // A Stop that came before the mix began must end the run here: mixEight
  // clears the mixer's cancel flag before it averages, so only the
  // Composer's flag still tells. A Stop during the mix reaches it through the
  // mixer's flag.
  RunEnd mix(const std::string& destination, const std::string& list) {
    if (composer_.cancelRequested) return RunEnd::kCancelled;
    const int result = mixer_.mixEight(destination, list, audio::MixMode::kPeakMatched, files_.scratch());
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
  int stop(RunEnd end, const std::string& list) {
    if (end == RunEnd::kCancelled) host_.abortGeneration();
    files_.discard(list);
    return kRenderStopped;
  }

  compose::Composer& composer_;
  audio::FileMixer& mixer_;
  const std::string& sampleDataPath_;
  RenderHost& host_;
  const VoiceRenderers& renderers_;
  MidiEventCollector events_;  // handed to the split and pulse voices, which ignore it
  RunFiles files_;
};

}  // namespace

const VoiceRenderers& programVoiceRenderers() {
  static const VoiceRenderers renderers{renderMelody, renderEnsembleVoice, renderAccompanimentVoice, renderSplitVoice,
                                        renderPulseVoice};
  return renderers;
}

int render(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath,
           const std::string& outputPrefix, RenderHost& host, const VoiceRenderers& renderers) {
  RenderRun run(composer, mixer, sampleDataPath, host, renderers);
  return run.execute(outputPrefix);
}

int render(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath,
           const std::string& outputPrefix, RenderHost& host) {
  return render(composer, mixer, sampleDataPath, outputPrefix, host, programVoiceRenderers());
}

}  // namespace brisolt::render
