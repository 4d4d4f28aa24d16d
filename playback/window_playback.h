// Playback of the session's mix in the main window, and the window's route to
// Save Session and the archive cleanup: the implementation of
// PlaybackCommands that the window owns.
//
// Wiring, in the window that owns `state`, `window` and the player:
//
//   platform::SdlAudioBackend backend;
//   platform::MediaPlayer player(backend, notificationsTo(window));
//   playback::WindowPlayback playback(state, window, player, audio::programFileMixer(), {
//       .compose = [this] { runAction(HotSpotAction::kCompose); },
//       .hideRemainingTime = [this] { showRemainingTime(false); },
//       .writePhraseExcerpt = [&composer](const std::string& folder, const std::string& prefix, int n, int tempo) {
//         return audio::writePhraseExcerpt(folder, prefix, n, tempo, composer.plan().tempo);
//       }});
//
// The window creates the controls it drives (the position bar 1059 at
// (380, 225), 205 x 15, background rgb(150, 149, 147), the digits, the lit
// buttons and labels, the keys by createKeyControls()), routes timer 1 to onPlaybackTimer() and media
// notifications to onMediaNotification(), and sends MediaCommand::closeAll() through
// the player when it is destroyed.
#pragma once

#include <functional>
#include <string>

#include "audio/file_mixer.h"
#include "platform/media/media_player.h"
#include "platform/window/dialog_window.h"
#include "playback/keyboard_display.h"
#include "playback/keyboard_lights.h"
#include "playback/lv_device.h"
#include "playback/playback_commands.h"
#include "playback/session_save.h"
#include "playback/session_state.h"

namespace brisolt::playback {

// What playback asks of the rest of the window.
struct WindowPlaybackHooks {
  // Runs the window's compose action (Generate), as COMPOSE or Enter does.
  std::function<void()> compose;
  // Hides the REMAINING TIME label and the time digits of a Generate.
  std::function<void()> hideRemainingTime;
  // Cuts a phrase out of the final mix (audio::writePhraseExcerpt with the
  // Composer's tempo bound).
  PhraseExcerptWriter writePhraseExcerpt;
};

// Passes the player's notifications to the window's message queue, where
// they arrive as onMediaNotification() on the window's thread.
platform::NotificationSink notificationsTo(platform::DialogWindow& window);

class WindowPlayback final : public PlaybackCommands {
 public:
  // `mixer` is the program-wide mixer whose files Stop closes during a
  // Generate. Every reference must outlive this object.
  WindowPlayback(SessionState& state, platform::DialogWindow& window, platform::MediaPlayer& player,
                 audio::FileMixer& mixer, WindowPlaybackHooks hooks);

  int play() override;
  void togglePause() override;
  int seekPhrase(int direction) override;
  int stopPlayback() override;
  void onPlaybackTimer() override;
  void onMediaNotification(platform::MediaNotification flag) override;
  int saveSession() override;
  void cleanupArchive() override;

  // The file the device was opened on, and what the display last showed.
  const std::string& playFile() const { return playFile_; }
  int lengthSeconds() const { return lengthSeconds_; }
  int positionSeconds() const { return positionSeconds_; }
  int shownSecond() const { return shownSecond_; }
  int shownPhrase() const { return shownPhrase_; }
  // The keys lit on the face's keyboard, and the notes they are lit from
  // (the score beside the mix, read when the mix is opened).
  const KeyLights& litKeys() const { return keyboard_.shown(); }
  const SoundingKeys& soundingKeys() const { return soundingKeys_; }

 private:
  void openDevice();
  void showZeroDigits();
  void showSeconds(int seconds);
  void showPhrase(int phrase);
  void stopGeneration();
  void closePlayback();
  // Lights the keys sounding where the device is now.
  void lightKeysAtDevice();

  SessionState& state_;
  platform::DialogWindow& window_;
  LvDevice device_;
  audio::FileMixer& mixer_;
  WindowPlaybackHooks hooks_;

  std::string playFile_;
  int lengthSeconds_ = 0;
  int positionSeconds_ = 0;
  int shownSecond_ = -1;
  int shownPhrase_ = -1;
  SoundingKeys soundingKeys_;
  KeyboardDisplay keyboard_;
};

}  // namespace brisolt::playback
