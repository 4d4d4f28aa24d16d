// Our own player of the media commands that the program sends to play its
// mixes: wave files opened under an alias, lengths and positions in
// milliseconds, play with an end-of-play notification, pause, stop, seek and
// close.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/media/audio_backend.h"
#include "platform/media/media_command.h"
#include "platform/media/media_notification.h"
#include "platform/media/media_result.h"

namespace brisolt::platform {

// Commands (made with the MediaCommand makers; shown by their text) and what
// they answer:
//
//   "open <path> type waveaudio alias lv wait"  the device number, e.g. "1"
//   "set lv time format MS wait"                "" (milliseconds are the only format)
//   "status lv length wait"                     length in ms, e.g. "67000"
//   "status lv position wait"                   position in ms, e.g. "128501"
//   "play lv notify"                            "" (notification at the end)
//   "pause lv", "stop lv wait"                  ""
//   "seek lv to 128501", "... wait"             ""
//   "close lv wait", "close all wait"           ""
//
// Every command except "open" and "close all" fails with kNotOpen when nothing
// is open under the alias; that is how a caller tests whether it is open.
// "close all" succeeds with nothing open. A command that is not one of these
// fails with kUnknownCommand.
//
// Behaviour:
// - Length is the sample data really in the file (file size less header),
//   whatever the header declares; times are bytes x 1000 / 44100, truncated.
// - Position is what the audio output has played, not what it has read ahead.
//   It stays where a pause or stop left it. "seek" goes to the first whole
//   frame at or after the time asked, so that "status" then answers that very
//   time; past the end it goes to the end. Seek while paused stays paused,
//   seek while playing stops (the program sends "stop" first anyway). A play
//   goes on from the position.
// - The audio output is opened at the first play of a device and kept until
//   it is closed.
// - "play ... notify" arranges one notification (MediaNotification): successful when
//   the end has been played (at once when the position is at the end already);
//   aborted when pause, stop, seek or close interrupts; superseded when a new
//   "play ... notify" comes while playing; failure when the alias is not open,
//   the output cannot be opened or the file stops being readable. Pause,
//   stop, seek and close never give successful or failure.
//
// Threading: make every call from one thread (the window's). The sink is
// called from that thread while a command runs, and from the audio thread
// when playback ends or fails; see NotificationSink.
//
// Use without a window (a terminal "play FILE" command), for example:
//
//   std::atomic<bool> over{false};
//   SdlAudioBackend backend;
//   MediaPlayer player(backend, [&over](MediaNotification flag, DeviceId) {
//     if (flag == MediaNotification::kSuccessful || flag == MediaNotification::kFailure) {
//       over = true;
//       over.notify_all();
//     }
//   });
//   player.send(MediaCommand::open(path, "lv"));  // check ok()
//   player.send(MediaCommand::setTimeFormat("lv"));
//   player.send(MediaCommand::play("lv"));
//   over.wait(false);  // or poll MediaCommand::statusPosition("lv") to show progress
//   player.send(MediaCommand::close("lv"));
//
// The backend must outlive the player.
class MediaPlayer {
 public:
  MediaPlayer(AudioBackend& backend, NotificationSink sink);
  // Closes every device without sending notifications.
  ~MediaPlayer();
  MediaPlayer(const MediaPlayer&) = delete;
  MediaPlayer& operator=(const MediaPlayer&) = delete;

  // Carries out one command.
  MediaReply send(const MediaCommand& command);

 private:
  struct Device;

  MediaReply open(const MediaCommand& command);
  MediaReply play(Device& device, const MediaCommand& command);
  MediaReply pause(Device& device);
  MediaReply stop(Device& device);
  MediaReply seek(Device& device, const MediaCommand& command);
  void close(Device& device);
  void noticeEnd(Device& device);
  void post(MediaNotification flag, DeviceId device) const;

  AudioBackend& backend_;
  const NotificationSink sink_;
  std::map<std::string, std::unique_ptr<Device>> devices_;  // by alias
  DeviceId nextDeviceId_ = 1;
};

}  // namespace brisolt::platform
