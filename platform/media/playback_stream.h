// The bytes of one open device on their way to the audio output: where
// reading and playing have got to, whether the end has been reached, and the
// pending end-of-play notification. Shared between the player's thread and
// the audio thread.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>

#include "platform/media/audio_backend.h"
#include "platform/media/media_notification.h"
#include "platform/media/read_ahead.h"
#include "platform/media/wave_stream.h"

namespace brisolt::platform {

// The played position is what the output has reported played, never what it
// has read ahead. Reaching the end (played position = data size) settles a
// pending notification as successful, once; a read failure settles it as
// failure. The other settlements come from the player's thread.
//
// The samples are read from disk by a ReadAhead on a thread of its own; the
// audio thread only copies what it has read. Every member takes the internal
// lock, which is never held across I/O, and the sink is called after the lock
// is released, so the sink may block briefly without stalling either side.
class PlaybackStream final : public AudioSource {
 public:
  PlaybackStream(WaveStream wave, DeviceId device, const NotificationSink& sink);

  // Player's thread.
  const WaveFormat& format() const { return format_; }
  std::uint64_t dataBytes() const { return dataBytes_; }
  std::uint64_t playedBytes() const;
  bool finished() const;  // the end was reached, or reading failed
  // Moves both positions to `offset` (clamped to the data). The output must be halted.
  void seek(std::uint64_t offset);
  // Forgets what was read but not played, so playing resumes at the played
  // position. The output must be halted.
  void dropReadAhead();
  // Asks for a notification when playback ends. When it cannot go on (at the
  // end already, or reading failed) nothing is armed and the flag to report at
  // once is returned instead.
  std::optional<MediaNotification> armNotification();
  // Reports `flag` to the sink if a notification is pending, and clears it.
  void settleNotification(MediaNotification flag);

  // Player's thread before a start, or an output on a test's clock: waits
  // until read() can give `bytes` without a short count (see ReadAhead).
  void awaitReadable(std::size_t bytes) override;

  // Audio thread.
  std::size_t read(std::uint8_t* out, std::size_t bytes) override;
  void played(std::size_t bytes) override;

 private:
  void post(MediaNotification flag) const;

  WaveStream wave_;  // read by readAhead_'s thread alone
  const WaveFormat format_;
  const std::uint64_t dataBytes_;
  ReadAhead readAhead_;
  const DeviceId device_;
  const NotificationSink& sink_;

  mutable std::mutex mutex_;
  std::uint64_t readPosition_ = 0;  // what read() has given the output
  std::uint64_t playedPosition_ = 0;
  bool ended_ = false;
  bool failed_ = false;
  bool notificationPending_ = false;
};

}  // namespace brisolt::platform
