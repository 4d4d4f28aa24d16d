// Generate in the main window.
#include "app/generate_command.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "app/cli/sample_data_search.h"
#include "app/digit_display.h"
#include "app/disk_check.h"
#include "app/plan_options_from_settings.h"
#include "app/generation.h"
#include "app/generation_progress.h"
#include "app/session_prefix.h"
#include "audio/output_files.h"
#include "platform/window/main_window_ids.h"

namespace brisolt {
namespace {

namespace control = platform::control;
namespace fs = std::filesystem;

constexpr const char* kFileErrorCaption = "Brisolt - File Error";

// Clears a flag when the scope ends, however it ends.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void GenerateCommand::fileError(const std::string& text) {
  c_.window.showMessageBox({kFileErrorCaption, text, platform::MessageBoxIcon::error, platform::MessageBoxButtons::ok});
}

bool GenerateCommand::sampleDataMissing(std::string& path) {
  // The same search and advice as brisolt compose's: where it was looked
  // for, and the command that builds it where it will be found.
  const SampleDataSearch search = searchSampleData(c_.folders, c_.folders.exeFolder);
  path = search.found ? search.path : std::string();
  const GenerationStep check = checkSampleData(search.path, search.makeBankCommand);
  if (check.ok()) return false;
  std::string text = check.message;
  text.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
  if (!search.found && search.searched.size() > 1) text += ".\n" + searchedPlacesText(search);
  fileError(text);
  return true;
}

int GenerateCommand::generate() {
  if (running_) return kGenerateBusy;
  auto& window = c_.window;
  auto& state = c_.state;

  // 1. A fresh start: the abort of an earlier run is forgotten, and so is a
  //    Stop that came too late for the earlier run to notice.
  state.aborted = false;
  c_.composer.cancelRequested = false;
  c_.mixer.setCancel(false);
  generationStart_ = c_.clock();
  std::string sampleDataPath;
  if (sampleDataMissing(sampleDataPath)) {
    state.aborted = true;  // the error was shown; the automatic Play has nothing to add
    return kGenerateRefused;
  }

  // 2.
  window.hideControl(control::kComposeLabel);
  window.hideControl(control::kDoneLabel);
  window.showControl(control::kRemainingTimeLabel);

  // 3. The room for the piece, on the file system that will hold the archive.
  const DiskCheck room =
      checkDiskSpace(c_.freeBytes(nearestExistingFolder(c_.folders.archiveFolder)), c_.settings.phraseCount);
  if (room.refused) {
    window.showMessageBox({kDiskSpaceCaption, diskSpaceMessage(room), platform::MessageBoxIcon::error,
                           platform::MessageBoxButtons::ok});
    return kGenerateRefused;
  }
  const FlagScope running(running_);

  // 4. - 9.
  window.lockRedraw();
  hideControls(window, control::kCurrentTime);
  hideControls(window, control::kCurrentPhrase);
  window.unlockRedraw();
  window.hideControl(control::kStopLit);
  c_.player.send("close lv wait");
  state.appState = playback::kGenerating;
  c_.playback.cleanupArchive();
  state.sessionUnsaved = true;
  state.logUnsaved = true;
  window.showControl(control::kWorkingLabel);
  window.repaintNow();

  // 10. - 11.
  state.sessionPrefix = sessionPrefix(wholeSeconds(c_.clock()));
  state.exeFolder = c_.folders.exeFolder;
  state.archiveFolder = c_.folders.archiveFolder;
  std::error_code ignored;
  fs::create_directories(state.archiveFolder, ignored);
  const std::string outputPrefix = state.archiveFolder + state.sessionPrefix;

  // 12. - 13.
  window.setProgressRange(control::kGenerationBar, 0, kGenerationSteps);
  window.setProgressPosition(control::kGenerationBar, 0);
  window.setProgressStep(control::kGenerationBar, 1);
  window.showControl(control::kGenerationBar);
  advanceProgress();
  const int planned = c_.composer.planPiece(planOptionsFromSettings(c_.settings, outputPrefix));
  state.plannedPhraseTotal = planned;
  advanceProgress();

  // 14. A plan that failed leaves the Composer with an earlier plan (or
  //     none), which must not be rendered as this session.
  int rendered = render::kRenderStopped;
  if (planned >= CompositionSettings::kFewestPhrases) {
    rendered = c_.render(sampleDataPath, outputPrefix, *this);
  } else {
    fileError(planned == compose::kPlanLogNotOpened
                  ? "Cannot write the generation log '" + outputPrefix + "log.txt'. Check that the folder '" +
                        state.archiveFolder + "' can be written."
                  : "The planner refused the settings (result " + std::to_string(planned) + ").");
    state.aborted = true;  // the error was shown; the automatic Play has nothing to add
  }

  if (rendered == render::kRenderDone && c_.composer.cancelRequested) {
    // Stop came after the render's last look at the flag: the piece is
    // discarded all the same, files and all.
    state.sessionPrefix = outputPrefix.substr(state.archiveFolder.size());
    abortGeneration();
    rendered = render::kRenderStopped;
  }

  // 15. - 18.
  window.hideControl(control::kGenerationBar);
  state.appState = playback::kIdle;
  state.currentPhrase = 0;
  state.musicFile = rendered == render::kRenderDone ? audio::finalMixPath(outputPrefix) : std::string();
  showRemainingTime(false);
  showMinutesAndSeconds(window, control::kCurrentTime, 0);
  showControls(window, control::kCurrentTime);
  showTwoDigits(window, control::kCurrentPhrase, 0);
  showControls(window, control::kCurrentPhrase);
  window.showControl(control::kStopLit);
  window.hideControl(control::kWorkingLabel);
  window.hideControl(control::kRemainingTimeLabel);
  return kGenerateRan;
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
  const std::int64_t elapsed = wholeSeconds(c_.clock()) - wholeSeconds(generationStart_);
  if (const auto remaining = remainingSeconds(position, range.upper, elapsed)) {
    showMinutesAndSeconds(window, control::kCurrentTime, *remaining);
  }
}

void GenerateCommand::cancel() {
  c_.composer.cancelRequested = true;
  c_.mixer.requestCancel();
}

void GenerateCommand::advanceProgress() { c_.window.stepProgress(control::kGenerationBar); }

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
