// Generate in the main window: the disk check, the end of any playback and
// of the previous unsaved session, a new session prefix, the planner with
// the options made from the settings, the render with its progress bar and
// remaining-time estimate, and the state it leaves for Play. Also the
// render's calls back into the window (RenderHost) and the cancel flags
// that Stop and Exit set while it runs.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/app_folders.h"
#include "app/composition_settings.h"
#include "app/generation.h"  // FreeBytesQuery
#include "app/wall_clock.h"
#include "app/window_render.h"
#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "platform/media/media_player.h"
#include "platform/window/dialog_window.h"
#include "playback/playback_commands.h"
#include "playback/session_state.h"

namespace brisolt {

enum GenerateResult : int {
  kGenerateRan = 0,      // ran to the end, whether or not the render succeeded
  kGenerateRefused = 1,  // stopped before anything changed: no room on the disk, or no sample data
  kGenerateBusy = 2,     // a Generate is still winding down (Stop was pressed); nothing done
};

// All owned by the main window; every reference outlives the command.
struct GenerateContext {
  platform::DialogWindow& window;
  playback::SessionState& state;
  const CompositionSettings& settings;
  const AppFolders& folders;
  compose::Composer& composer;
  audio::FileMixer& mixer;          // the program-wide mixer
  platform::MediaPlayer& player;
  playback::PlaybackCommands& playback;  // for the archive cleanup
  RenderCall render;
  FreeBytesQuery freeBytes;
  WallClock clock;
};

class GenerateCommand final : public render::RenderHost {
 public:
  explicit GenerateCommand(GenerateContext context) : c_(std::move(context)) {}

  int generate();

  // Shows or hides the REMAINING TIME label and the current-time digits;
  // showing also works out the estimate anew.
  void showRemainingTime(bool show);
  // Sets the cancel flags of the Composer and of the program-wide mixer.
  void cancel();

  // ---- RenderHost
  void advanceProgress() override;
  void showRemainingTime() override { showRemainingTime(true); }
  void abortGeneration() override;

  bool running() const { return running_; }

 private:
  bool sampleDataMissing(std::string& path);
  void fileError(const std::string& text);

  GenerateContext c_;
  std::chrono::system_clock::time_point generationStart_;
  bool running_ = false;
};

}  // namespace brisolt
