// Generate in the main window: the generation sequence with the window's
// own steps as its hooks (the end of any playback and of the previous
// unsaved session, the progress bar and remaining-time estimate, the message
// boxes) and the state it leaves for Play. Also the render's calls back into
// the window (RenderHost) and the cancel flags that Stop and Exit set while
// it runs.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/settings/app_folders.h"
#include "app/settings/composition_settings.h"
#include "app/settings/sample_data_search.h"
#include "app/window/progress_log.h"
#include "app/window/remaining_time_estimate.h"
#include "app/window/status_line.h"
#include "session/generation_sequence.h"
#include "app/window/wall_clock.h"
#include "app/window/window_render.h"
#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "midi/midi_piece.h"
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

class GenerateCommand final : public render::RenderHost, private GenerationHost {
 public:
  explicit GenerateCommand(GenerateContext context) : c_(std::move(context)) {}

  int generate();
  // The next Generate re-creates the piece of this session id (once); an
  // empty one goes back to the id from the clock.
  void useSessionId(std::optional<std::uint32_t> sessionId) { nextSessionId_ = sessionId; }
  std::optional<std::uint32_t> nextSessionId() const { return nextSessionId_; }

  // Shows or hides the REMAINING TIME label and the current-time digits;
  // showing also works out the estimate anew.
  void showRemainingTime(bool show);
  // Sets the cancel flags of the Composer and of the program-wide mixer.
  void cancel();

  // ---- RenderHost
  void advanceProgress() override;
  void showRemainingTime() override { showRemainingTime(true); }
  void abortGeneration() override;

  // ---- GenerationHost: the rendition moves the bar on past the render's
  // steps, and the window answers Stop and repaints meanwhile.
  bool renditionProgress(double done) override;

  bool running() const { return running_; }
  // Why the last Generate's MIDI file or rendition is missing (the piece
  // itself is complete); empty when both were written or not asked for.
  const std::string& hifiProblem() const { return hifiProblem_; }
  // The notes of session `prefix` as its Piano.mid holds them, for the MIDI
  // file of a saved phrase; null when that session has no MIDI file.
  const midi::MidiPiece* sessionMidi(const std::string& prefix) const;

 private:
  // ---- GenerationHost: the window's own steps between the sequence's
  std::int64_t now() override { return wholeSeconds(c_.clock()); }
  std::optional<std::uint64_t> freeBytes(const std::string& folder) override { return c_.freeBytes(folder); }
  void reached(GenerationStage stage, const Session& session) override;
  int render(const Session& session, render::Score& score) override;
  // An unfinished session stays until the archive cleanup of the next
  // Generate or of the exit, which knows whether it was saved.
  void discard(const Session&) override {}

  void showProblem(const GenerationStep& step);
  void showStatus(const std::string& text);
  void fileError(const std::string& text);

  GenerateContext c_;
  std::chrono::system_clock::time_point generationStart_;
  SampleDataSearch sampleDataSearch_;  // where the sample data was looked for, and found
  bool running_ = false;
  std::optional<std::uint32_t> nextSessionId_;
  PieceSummary piece_;     // of the run, once planned
  int shownPercent_ = -1;  // the percentage the strip shows while rendering
  bool hifi_ = false;      // the run makes the rendition too
  RemainingTimeEstimate estimate_ = RemainingTimeEstimate::forGenerate(1, false);  // set anew by each Generate
  ProgressLog progressLog_;
  std::string hifiProblem_;
  std::string midiPrefix_;  // the session whose MIDI file midi_ holds
  midi::MidiPiece midi_;
};

}  // namespace brisolt
