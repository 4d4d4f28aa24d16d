// CBrisoltDlg: the main window's logic. It starts the window up (splash,
// folders, controls, settings), dispatches the hot spots and keys, owns the
// settings, the window state, the media player, playback and Generate, and
// closes down (media devices, unsaved session, settings file).
#pragma once

#include <functional>
#include <memory>

#include "app/settings/app_folders.h"
#include "app/settings/composition_settings.h"
#include "app/window/dialog_sk.h"
#include "app/window/generate_command.h"
#include "app/window/help_page.h"
#include "app/window/hot_spots.h"
#include "app/window/playback_seam.h"
#include "app/window/settings_panel.h"
#include "app/window/splash.h"
#include "app/window/wall_clock.h"
#include "app/window/window_render.h"
#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "platform/media/audio_backend.h"
#include "platform/media/media_player.h"
#include "playback/session_state.h"

namespace brisolt {

// What the main window is built on. Everything referred to outlives it.
struct DialogServices {
  platform::DialogWindow& window;
  compose::Composer& composer;  // the program's one Composer
  audio::FileMixer& mixer;      // the program-wide mixer
  platform::AudioBackend& audio;
  // Where the program lives, read at window initialisation.
  std::function<FolderEnvironment()> environment;
  RenderCall render;
  PlaybackFactory playback;
  UrlOpener openUrl;
  FreeBytesQuery freeBytes;
  WallClock clock;
};

// The program's services: the system's folders, clock, free space and
// xdg-open, the program's render and playback.
DialogServices programDialogServices(platform::DialogWindow& window, compose::Composer& composer,
                                     platform::AudioBackend& audio);

inline constexpr const char* kWindowCaption = "Aurelune V4.0, Tavrin";
inline constexpr const char* kAboutCaption = "About Brisolt";
inline constexpr const char* kAboutLine = "Brisolt Version 2.1.0";
inline constexpr const char* kSessionEntryCaption = "Brisolt - Session ID";
inline constexpr std::chrono::seconds kSplashTime{5};
inline constexpr int kLastInfoPage = 5;

class CBrisoltDlg final : public CDialogSK {
 public:
  explicit CBrisoltDlg(DialogServices services);
  // Closes down if that has not happened yet.
  ~CBrisoltDlg() override;
  CBrisoltDlg(const CBrisoltDlg&) = delete;
  CBrisoltDlg& operator=(const CBrisoltDlg&) = delete;

  // Runs the dialog modally; its result.
  int runModal() { return services_.window.runModal(*this); }
  // Window destruction: "close all wait", the archive cleanup, the settings
  // file. Once; only after the window was initialised.
  void destroyWindow();

  // A click at (x, y): the actions of the hot spots that hold it, tested
  // from the top of the table.
  void handleClick(int x, int y);
  // One action by name, as a click on its spot or its key runs it: an action
  // whose spot works only while idle does nothing otherwise.
  void runAction(HotSpotAction action);
  int stepInfoPage(int delta);
  void openHelp();
  void showAbout();
  int saveSettings();
  // The entry for the session id of the next Generate (F3, or a click on the
  // status strip while idle).
  void askForSessionId();

  const CompositionSettings& settings() const { return settings_; }
  const playback::SessionState& state() const { return state_; }
  const AppFolders& folders() const { return folders_; }
  int infoPage() const { return infoPage_; }
  SettingsPanel& settingsPanel() { return panel_; }
  GenerateCommand& generateCommand() { return *generate_; }
  playback::PlaybackCommands& playback() { return *playback_; }

  // ---- WindowEvents
  void onInitDialog() override;
  void onLeftButtonDown(int x, int y) override;
  void onKeyDown(platform::KeyPress key) override;
  void onTimer(platform::TimerId timer) override;
  void onMediaNotification(platform::MediaNotification flag) override;
  void onCloseRequest() override;

 private:
  void act(HotSpotAction action);
  void placeControls();
  void plusOrMinus(int direction);
  void seekWhilePlaying(int direction);
  void playOrPause();

  DialogServices services_;
  CompositionSettings settings_;
  SettingsPanel panel_;
  playback::SessionState state_;
  AppFolders folders_;
  SPLASH splash_;
  platform::MediaPlayer player_;
  std::unique_ptr<playback::PlaybackCommands> playback_;
  std::unique_ptr<GenerateCommand> generate_;
  int infoPage_ = 0;
  bool initialised_ = false;
  bool destroyed_ = false;
};

}  // namespace brisolt
