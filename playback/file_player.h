// Plays one mix file outside the window (for `brisolt play`): the same device
// commands and phrase arithmetic as the window's playback, with the state a
// terminal display needs. Free of any terminal: keys arrive as PlayerKey.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/media/audio_backend.h"
#include "platform/media/media_player.h"
#include "playback/lv_device.h"

namespace brisolt::playback {

enum class PlayerKey { kTogglePause, kPhraseBack, kPhraseForward, kQuit };

// What the display shows.
struct PlayerStatus {
  std::int64_t elapsedMilliseconds = 0;
  std::int64_t lengthMilliseconds = 0;
  int phrase = 0;  // the phrase being heard, 0 during the lead-in
  int phraseTotal = 0;
  bool paused = false;
  friend bool operator==(const PlayerStatus&, const PlayerStatus&) = default;
};

// Milliseconds as "mm:ss" (minutes go past 59), whole seconds elapsed.
std::string clockText(std::int64_t milliseconds);
// A file's length as "mm:ss", to the nearest second.
std::string lengthText(std::int64_t milliseconds);

// "mm:ss / mm:ss  phrase nn", with "  (paused)" while paused.
std::string statusLine(const PlayerStatus& status);

class FilePlayer {
 public:
  // The backend must outlive the player.
  explicit FilePlayer(platform::AudioBackend& backend);
  ~FilePlayer();
  FilePlayer(const FilePlayer&) = delete;
  FilePlayer& operator=(const FilePlayer&) = delete;

  // Opens `path` and reads its length; the phrase total follows from it.
  platform::MediaReply open(const std::string& path);
  // Starts playing; the reply says why it could not.
  platform::MediaReply start();
  // Space, the arrows and q. Seeking goes from the phrase last shown.
  void press(PlayerKey key);

  // Reads the position and returns what to show; the shown phrase is what
  // the next seek starts from.
  PlayerStatus poll();
  // Playback reached the end, or failed (the file stopped being readable).
  bool ended() const { return ended_.load(); }
  bool failed() const { return failed_.load(); }

 private:
  std::atomic<bool> ended_{false};
  std::atomic<bool> failed_{false};
  platform::MediaPlayer player_;
  LvDevice device_;
  PlayerStatus shown_;
};

}  // namespace brisolt::playback
