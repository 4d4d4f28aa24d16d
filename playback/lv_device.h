// The wave-audio device "lv" that plays a session's mix, as the media command
// strings that drive it. Every command the program sends for playback is
// spelled here, once.
#pragma once

#include <cstdint>
#include <string>

#include "platform/media/media_player.h"

namespace brisolt::playback {

// The command strings, exactly as they are sent.
namespace lv {
inline constexpr const char* kSetTimeFormat = "set lv time format MS wait";
inline constexpr const char* kLength = "status lv length wait";
inline constexpr const char* kPosition = "status lv position wait";
inline constexpr const char* kPlay = "play lv notify";
inline constexpr const char* kPause = "pause lv";
inline constexpr const char* kStop = "stop lv wait";
inline constexpr const char* kClose = "close lv wait";
inline constexpr const char* kCloseAll = "close all wait";
std::string openCommand(const std::string& path);  // "open " + path + " type waveaudio alias lv wait"
std::string seekCommand(std::int64_t milliseconds);          // "seek lv to %d"
std::string seekAndWaitCommand(std::int64_t milliseconds);   // "seek lv to %d wait"
}  // namespace lv

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
  void closeAll();

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
