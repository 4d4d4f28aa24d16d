// A main window on the recording fake, with everything it is built on made
// observable: a private program folder (with a synthetic Data.dat and the
// help page), a fixed clock, scripted free space, a fake render that steps
// the progress bar and can act in the middle of its run, a playback that
// records which commands the window asked for, and a recording help opener.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/window/brisolt_dlg.h"
#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "tests/support/fake_audio_backend.h"
#include "tests/support/window/fake_dialog_window.h"
#include "tests/support/temp_folder.h"

namespace brisolt::test {

// Forwards to the window's real playback and notes each command asked for;
// at each archive cleanup it also notes what the window had done before it.
class RecordingPlayback final : public playback::PlaybackCommands {
 public:
  struct Cleanup {
    bool deviceOpen = false;     // an audio output was still open
    bool settingsWritten = false;  // Brisolt.INI existed already
    int appState = 0;
  };

  RecordingPlayback(std::unique_ptr<playback::PlaybackCommands> inner, std::vector<std::string>& calls,
                    std::vector<Cleanup>& cleanups, std::function<Cleanup()> observe)
      : inner_(std::move(inner)), calls_(calls), cleanups_(cleanups), observe_(std::move(observe)) {}

  int play() override { return note("play"), inner_->play(); }
  void togglePause() override { note("togglePause"), inner_->togglePause(); }
  int seekPhrase(int direction) override { return note("seekPhrase " + std::to_string(direction)), inner_->seekPhrase(direction); }
  int stopPlayback() override { return note("stopPlayback"), inner_->stopPlayback(); }
  void onPlaybackTimer() override { inner_->onPlaybackTimer(); }
  void onMediaNotification(platform::MediaNotification flag) override { inner_->onMediaNotification(flag); }
  int saveSession() override { return note("saveSession"), inner_->saveSession(); }
  void cleanupArchive() override {
    note("cleanupArchive");
    cleanups_.push_back(observe_());
    inner_->cleanupArchive();
  }

 private:
  void note(const std::string& call) { calls_.push_back(call); }

  std::unique_ptr<playback::PlaybackCommands> inner_;
  std::vector<std::string>& calls_;
  std::vector<Cleanup>& cleanups_;
  std::function<Cleanup()> observe_;
};

// What the fake render saw of one call.
struct RenderCallSeen {
  std::string sampleDataPath;
  std::string outputPrefix;
  compose::PiecePlan plan;
  std::string logText;
};

class WindowTest : public TempFolderTest {
 protected:
  WindowTest();
  ~WindowTest() override;

  // Makes the dialog and runs its initialisation (the splash, the folders,
  // the controls, the settings file) and whatever is queued.
  void start();
  // Window destruction, as after the dialog ends.
  void destroy() { dialog->destroyWindow(); }

  // The render driver itself instead of the fake render.
  bool realRender = false;

  // ---- Fake render
  // Acts before each of the 82 steps; returning a result ends the run there.
  using StepHook = std::function<std::optional<int>(int step, render::RenderHost& host)>;
  StepHook onRenderStep;
  // Writes outputPrefix + "Pelko.wav" (one bar of silence) at the end.
  bool renderWritesMix = true;
  std::vector<RenderCallSeen> renders;

  // Free space that the disk check is told; nothing = unknown.
  std::optional<std::uint64_t> freeBytes;
  // The clock the window reads; tests move it.
  std::chrono::system_clock::time_point now;
  // Help: the URLs opened, and the problem the opener reports.
  std::vector<std::string> openedUrls;
  std::optional<std::string> openerProblem;

  // The program's folder, without a trailing '/'; may be set before start().
  std::string exeFolder;
  std::map<std::string, std::string> environment;
  bool exeFolderWritable = true;

  std::string settingsPath() const { return dialog->folders().settingsFile; }
  std::string archive() const { return dialog->folders().archiveFolder; }
  void writeSettings(const std::string& text) const;
  const playback::SessionState& state() const { return dialog->state(); }
  int appState() const { return dialog->state().appState; }
  std::optional<int> pictureNumber(platform::ControlId control) const;
  // The pictures of the controls as digits ("0523"), '?' for a non-digit.
  std::string digits(const std::vector<platform::ControlId>& controls) const;
  // A click that runs Generate to its end, and the Play after it.
  void compose() { window.click(450, 180); }
  // Lines of the fake's journal that start with `prefix`.
  std::vector<std::string> callsStartingWith(const std::string& prefix) const;

  platform::FakeDialogWindow window;
  compose::Composer composer;
  audio::FileMixer mixer;
  platform::FakeAudioBackend audio;
  std::vector<std::string> playbackCalls;
  std::vector<RecordingPlayback::Cleanup> cleanups;
  std::unique_ptr<CBrisoltDlg> dialog;

 private:
  int fakeRender(const std::string& sampleDataPath, const std::string& outputPrefix, render::RenderHost& host);
};

}  // namespace brisolt::test
