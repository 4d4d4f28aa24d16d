// Generate in the main window.
#include "app/window/generate_command.h"

#include <algorithm>

#include "app/settings/sample_data_search.h"
#include "app/window/digit_display.h"
#include "app/window/generate_step_costs.h"
#include "session/disk_check.h"
#include "session/generation_sequence.h"
#include "session/generation_progress.h"
#include "platform/window/main_window_ids.h"
#include "playback/lv_device.h"

namespace brisolt {
namespace {

namespace control = platform::control;

constexpr const char* kFileErrorCaption = "Brisolt - File Error";

// Clears a flag when the scope ends, however it ends.
class ClearOnExit {
 public:
  explicit ClearOnExit(bool& flag) : flag_(flag) {}
  ~ClearOnExit() { flag_ = false; }
  ClearOnExit(const ClearOnExit&) = delete;
  ClearOnExit& operator=(const ClearOnExit&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void GenerateCommand::showStatus(const std::string& text) {
  c_.window.setControlText(control::kTextStrip, text);
}

void GenerateCommand::fileError(const std::string& text) {
  c_.window.showMessageBox({kFileErrorCaption, text, platform::MessageBoxIcon::kError, platform::MessageBoxButtons::kOk});
}

// A problem of the sequence as the window shows it: the room in the words of
// its own message box, anything else as a File Error.
void GenerateCommand::showProblem(const GenerationStep& step) {
  if (step.problem == GenerationProblem::kNoDiskSpace) {
    c_.window.showMessageBox({kDiskSpaceCaption, diskSpaceMessage(step.room), platform::MessageBoxIcon::kError,
                              platform::MessageBoxButtons::kOk});
    return;
  }
  std::string text = asSentence(step.message);
  // Where the sample data was looked for, and the command that builds it
  // where it will be found: the same advice as brisolt compose's.
  if (step.problem == GenerationProblem::kNoSampleData && !sampleDataSearch_.found &&
      sampleDataSearch_.searched.size() > 1)
    text += "\n" + searchedPlacesText(sampleDataSearch_);
  fileError(text);
}

int GenerateCommand::generate() {
  if (running_) return kGenerateBusy;
  auto& window = c_.window;
  auto& state = c_.state;
  const ClearOnExit running(running_);

  // A fresh start: the abort of an earlier run is forgotten, and so is a
  // Stop that came too late for the earlier run to notice.
  state.aborted = false;
  c_.composer.cancelRequested = false;
  c_.mixer.setCancel(false);
  generationStart_ = c_.clock();
  progressLog_.open(generationStart_);
  sampleDataSearch_ = searchSampleData(c_.folders, c_.folders.exeFolder);

  GenerationRequest request;
  request.settings = c_.settings;
  request.archiveFolder = c_.folders.archiveFolder;
  request.sampleDataPath = sampleDataSearch_.path;
  request.makeBankCommand = sampleDataSearch_.makeBankCommand;
  request.sessionId = nextSessionId_;
  nextSessionId_.reset();
  piece_ = PieceSummary{};
  shownPercent_ = -1;
  // The MIDI file and the rendition as the H key last left them; Play then
  // prefers the rendition (PelkoL.wav) when it was made.
  request.hifi = c_.settings.hifi;
  hifi_ = request.hifi;
  estimate_ = RemainingTimeEstimate::forGenerate(c_.settings.phraseCount, request.hifi);
  midiPrefix_.clear();
  GenerationOutcome outcome = runGeneration(c_.composer, request, *this);
  if (outcome.exports.midiWritten) {
    midiPrefix_ = outcome.session.prefix;
    midi_ = std::move(outcome.exports.midi);
  }
  hifiProblem_ = outcome.exports.renditionProblem.empty() ? outcome.exports.midiProblem
                                                          : outcome.exports.renditionProblem;

  if (outcome.session.prefix.empty()) {
    // Refused before anything changed. After a missing sample data file the
    // automatic Play has nothing to add to the error shown.
    showStatus(notMadeStatus(outcome.step.message));
    showProblem(outcome.step);
    if (outcome.step.problem != GenerationProblem::kNoDiskSpace) state.aborted = true;
    return kGenerateRefused;
  }
  bool rendered = outcome.rendered;
  state.plannedPhraseTotal = outcome.phraseCount;
  if (outcome.step.problem == GenerationProblem::kArchiveNotWritable ||
      outcome.step.problem == GenerationProblem::kPlanRefused) {
    // A plan that failed leaves the Composer with an earlier plan (or none),
    // which was not rendered as this session.
    showProblem(outcome.step);
    state.aborted = true;  // the error was shown; the automatic Play has nothing to add
  }
  if (rendered && c_.composer.cancelRequested) {
    // Stop came after the render's last look at the flag: the piece is
    // discarded all the same, files and all.
    state.sessionPrefix = outcome.session.prefix;
    abortGeneration();
    rendered = false;
  }

  if (rendered) {
    showStatus(pieceStatus(piece_));
  } else if (state.sessionPrefix.empty() || c_.composer.cancelRequested) {
    showStatus(stoppedStatus(piece_));
  } else {
    showStatus(notMadeStatus(outcome.step.message));
  }
  window.hideControl(control::kGenerationBar);
  state.appState = playback::kIdle;
  state.currentPhrase = 0;
  state.musicFile = rendered ? outcome.session.finalMix() : std::string();
  showRemainingTime(false);
  showMinutesAndSeconds(window, control::kCurrentTime, 0);
  showControls(window, control::kCurrentTime);
  showTwoDigits(window, control::kCurrentPhrase, 0);
  showControls(window, control::kCurrentPhrase);
  window.showControl(control::kStopLit);
  window.hideControl(control::kWorkingLabel);
  window.hideControl(control::kRemainingTimeLabel);
  progressLog_.done(c_.clock(), rendered);
  return kGenerateRan;
}

const midi::MidiPiece* GenerateCommand::sessionMidi(const std::string& prefix) const {
  return !prefix.empty() && prefix == midiPrefix_ ? &midi_ : nullptr;
}

void GenerateCommand::reached(GenerationStage stage, const Session& session) {
  auto& window = c_.window;
  auto& state = c_.state;
  switch (stage) {
    case GenerationStage::kSampleDataFound:
      // Before the room is checked: a refusal leaves COMPOSE hidden.
      window.hideControl(control::kComposeLabel);
      window.hideControl(control::kDoneLabel);
      window.showControl(control::kRemainingTimeLabel);
      break;
    case GenerationStage::kChecked:
      // The end of any playback and of the previous unsaved session.
      running_ = true;
      window.lockRedraw();
      hideControls(window, control::kCurrentTime);
      hideControls(window, control::kCurrentPhrase);
      window.unlockRedraw();
      window.hideControl(control::kStopLit);
      playback::LvDevice(c_.player).close();
      state.appState = playback::kGenerating;
      c_.playback.cleanupArchive();
      state.sessionUnsaved = true;
      state.logUnsaved = true;
      window.showControl(control::kWorkingLabel);
      window.repaintNow();
      break;
    case GenerationStage::kSessionClaimed:
      state.sessionPrefix = session.prefix;
      state.exeFolder = c_.folders.exeFolder;
      state.archiveFolder = session.archiveFolder;
      window.setProgressRange(control::kGenerationBar, 0, kGenerationSteps + (hifi_ ? kRenditionSteps : 0));
      window.setProgressPosition(control::kGenerationBar, 0);
      window.setProgressStep(control::kGenerationBar, 1);
      window.showControl(control::kGenerationBar);
      showStatus(planningStatus(c_.settings.phraseCount));
      advanceProgress();
      break;
    case GenerationStage::kPlanned:
      piece_ = summaryOf(c_.composer, c_.settings, c_.composer.plan().barCount / 16);
      advanceProgress();
      break;
  }
}

int GenerateCommand::render(const Session& session, render::Score& score) {
  c_.state.plannedPhraseTotal = c_.settings.phraseCount;
  return c_.render(sampleDataSearch_.path, session.outputPrefix(), *this, score);
}

void GenerateCommand::showRemainingTime(bool show) {
  auto& window = c_.window;
  if (!show) {
    window.hideControl(control::kRemainingTimeLabel);
    hideControls(window, control::kCurrentTime);
    return;
  }
  window.showControl(control::kRemainingTimeLabel);
  showControls(window, control::kCurrentTime);
  const platform::ProgressRange range = window.progressRange(control::kGenerationBar);
  const int position = window.progressPosition(control::kGenerationBar);
  const auto now = c_.clock();
  const double elapsed = std::chrono::duration<double>(now - generationStart_).count();
  const auto remaining = estimate_.remaining(position - range.lower, elapsed);
  if (remaining) showMinutesAndSeconds(window, control::kCurrentTime, *remaining);
  progressLog_.estimate(now, position, remaining);
}

void GenerateCommand::cancel() {
  c_.composer.cancelRequested = true;
  c_.mixer.requestCancel();
}

bool GenerateCommand::renditionProgress(double done) {
  auto& window = c_.window;
  const int due = kGenerationSteps + static_cast<int>(std::clamp(done, 0.0, 1.0) * kRenditionSteps);
  const bool moved = due > window.progressPosition(control::kGenerationBar);
  while (window.progressPosition(control::kGenerationBar) < due) advanceProgress();
  if (moved) showRemainingTime(true);
  c_.mixer.pumpOneMessage();  // Stop, Exit and repaints, at most every few milliseconds
  return !c_.composer.cancelRequested;
}

void GenerateCommand::advanceProgress() {
  auto& window = c_.window;
  window.stepProgress(control::kGenerationBar);
  progressLog_.step(c_.clock(), window.progressPosition(control::kGenerationBar));
  if (piece_.sessionId == 0 && piece_.phrases == 0) return;  // not planned yet
  const platform::ProgressRange range = window.progressRange(control::kGenerationBar);
  const int span = std::max(1, range.upper - range.lower);
  const int percent = (window.progressPosition(control::kGenerationBar) - range.lower) * 100 / span;
  if (percent == shownPercent_) return;
  shownPercent_ = percent;
  showStatus(composingStatus(piece_, percent));
}

void GenerateCommand::abortGeneration() {
  auto& state = c_.state;
  state.aborted = true;
  state.musicFile.clear();
  c_.window.hideControl(control::kGenerationBar);
  c_.window.hideControl(control::kStopLit);
  c_.window.hideControl(control::kWorkingLabel);
  showRemainingTime(false);
  state.appState = playback::kIdle;
  if (c_.composer.cancelRequested) {
    c_.composer.cancelRequested = false;
    c_.playback.cleanupArchive();
  }
  state.sessionPrefix.clear();
}

}  // namespace brisolt
