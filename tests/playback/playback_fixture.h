// The main window's playback as the window would run it, on the fake clock:
// a recording window with the controls playback drives, a media player on a
// fake audio backend, a session in a private archive folder, and the hooks
// playback calls (the click, the remaining-time display, the excerpt writer).
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "audio/file_mixer.h"
#include "tests/support/fake_audio_backend.h"
#include "platform/media/media_player.h"
#include "tests/support/window/fake_dialog_window.h"
#include "platform/window/main_window_ids.h"
#include "playback/session_state.h"
#include "playback/window_playback.h"
#include "tests/support/temp_folder.h"

namespace brisolt::playback::testing {

inline constexpr const char* kPrefix = "240131_142507_";
inline constexpr const char* kOtherPrefix = "231224_090000_";  // an earlier session, saved long ago
inline constexpr std::int64_t kPhraseMilliseconds = 64000;

// Writes a mix of the program's format holding `samples` (16-bit
// little-endian bytes) at `path`.
void writeMixFile(const std::string& path, const std::vector<std::uint8_t>& samples);

// The controls playback drives, placed where the window places them: the
// digits, the lit buttons and labels, the position bar.
void createPlaybackControls(platform::FakeDialogWindow& window);

// Timer ticks and media notifications of the window, routed as the window does.
class PlaybackEvents final : public platform::WindowEvents {
 public:
  explicit PlaybackEvents(PlaybackCommands& commands) : commands_(commands) {}
  void onInitDialog() override {}
  void onLeftButtonDown(int, int) override {}
  void onKeyDown(platform::KeyPress) override {}
  void onTimer(platform::TimerId timer) override {
    if (timer == platform::timer::kPlayback) commands_.onPlaybackTimer();
  }
  void onMediaNotification(platform::MediaNotification flag) override {
    notifications.push_back(flag);
    commands_.onMediaNotification(flag);
  }
  void onCloseRequest() override {}

  std::vector<platform::MediaNotification> notifications;

 private:
  PlaybackCommands& commands_;
};

struct ExcerptCall {
  std::string folder;
  std::string prefix;
  int phrase = 0;
  int tempo = 0;
  bool deviceWasOpen = false;  // the mix must be free while the excerpt is cut
  friend bool operator==(const ExcerptCall&, const ExcerptCall&) = default;
};

class PlaybackFixture : public test::TempFolderTest {
 protected:
  PlaybackFixture();

  // A silent mix of `milliseconds` (a sparse file), named in the archive.
  std::string writeMix(const std::string& name, std::int64_t milliseconds) const;
  // The files a Generate of `phrases` phrases leaves: the mix (lead-in, the
  // phrases and a 2.5 s tail), the log and an intermediate file; the state
  // as Generate leaves it.
  void generateSession(int phrases, const std::string& prefix = kPrefix);
  // Files of an earlier saved session, which nothing may touch.
  void writeOtherSession() const;
  std::vector<std::string> archiveFiles() const;

  // Plays for `time` on the fake clock with the 100 ms timer ticking (and
  // the notifications arriving) as in the window.
  void runFor(std::chrono::milliseconds time);
  // Seeks phrase by phrase until phrase `phrase` is shown.
  void goToPhrase(int phrase);

  // What the digits show: "0104" for 1:04, "02" for phrase 2; '-' for a
  // control without a digit picture.
  std::string timeDigits() const;
  std::string phraseDigits() const;
  bool visible(platform::ControlId control) const { return window_.isControlVisible(control); }
  // The device's position, or -1 when nothing is open.
  std::int64_t position();
  bool deviceOpen();

  std::string archive_;
  platform::FakeAudioBackend backend_;
  platform::FakeDialogWindow window_;
  platform::MediaPlayer player_;
  audio::FileMixer mixer_;
  SessionState state_;
  int composeActions_ = 0;  // how often playback ran the window's compose action
  int remainingTimeHides_ = 0;
  std::vector<ExcerptCall> excerpts_;
  WindowPlayback playback_;
  PlaybackEvents events_;
};

}  // namespace brisolt::playback::testing
