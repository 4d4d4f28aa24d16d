// The wave-audio device "lv" that plays a session's mix: the media commands
// that drive it, under its alias.
#pragma once

#include <cstdint>
#include <string>

#include "platform/media/media_player.h"

namespace brisolt::playback {

// The alias the mix plays under.
inline constexpr const char* kLvAlias = "lv";

// Sends the commands to a player. Failures are not reported (the state of the
// device tells); answers that are not numbers read as 0.
class LvDevice {
 public:
  explicit LvDevice(platform::MediaPlayer& player) : player_(player) {}

  // "set lv time format MS wait": true when the alias is open.
  bool setTimeFormat();
  // Opens `path` under the alias; the player's reply, to report why it failed.
  platform::MediaReply open(const std::string& path);
  std::int64_t lengthMilliseconds();
  // The position as the device answers it, and as a fractional number.
  std::string positionAnswer();
  // Starts or resumes with an end-of-play notification; the reply says why a
  // play could not start.
  platform::MediaReply play();
  void pause();
  void stop();
  void seek(std::int64_t milliseconds);
  void seekAndWait(std::int64_t milliseconds);
  void close();

 private:
  platform::MediaPlayer& player_;
};

// An answer as a whole number of milliseconds; 0 when it is not a number.
std::int64_t answerMilliseconds(const std::string& answer);
// An answer as a decimal number of milliseconds; 0 when it is not a number.
double answerDecimal(const std::string& answer);

// Goes to the start of `phrase`: stop, seek, and play again when `playing`
// (a paused device stays paused at the new position).
void seekToPhrase(LvDevice& device, int phrase, bool playing);

}  // namespace brisolt::playback
