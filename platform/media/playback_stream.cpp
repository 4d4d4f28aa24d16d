// Positions, end detection and notification hand-over of PlaybackStream.
#include "platform/media/playback_stream.h"

#include <algorithm>
#include <utility>

namespace brisolt::platform {

PlaybackStream::PlaybackStream(WaveStream wave, DeviceId device, const NotificationSink& sink)
    : wave_(std::move(wave)),
      format_(wave_.format()),
      dataBytes_(wave_.dataBytes()),
      readAhead_([this](std::uint64_t offset, std::uint8_t* out,
                        std::size_t count) { return wave_.read(offset, out, count); },
                 dataBytes_),
      device_(device),
      sink_(sink),
      ended_(dataBytes_ == 0) {}

std::uint64_t PlaybackStream::playedBytes() const {
  std::lock_guard lock(mutex_);
  return playedPosition_;
}

bool PlaybackStream::finished() const {
  std::lock_guard lock(mutex_);
  return ended_ || failed_;
}

void PlaybackStream::seek(std::uint64_t offset) {
  std::lock_guard lock(mutex_);
  readPosition_ = playedPosition_ = std::min(offset, dataBytes_);
  ended_ = playedPosition_ == dataBytes_;
  failed_ = false;
  readAhead_.restart(readPosition_);
}

void PlaybackStream::dropReadAhead() {
  std::lock_guard lock(mutex_);
  readPosition_ = playedPosition_;
  readAhead_.restart(readPosition_);
}

void PlaybackStream::awaitReadable(std::size_t bytes) { readAhead_.waitReadable(bytes); }

std::optional<MediaNotification> PlaybackStream::armNotification() {
  std::lock_guard lock(mutex_);
  if (failed_) return MediaNotification::kFailure;
  if (ended_) return MediaNotification::kSuccessful;
  notificationPending_ = true;
  return std::nullopt;
}

void PlaybackStream::settleNotification(MediaNotification flag) {
  bool wasPending = false;
  {
    std::lock_guard lock(mutex_);
    wasPending = std::exchange(notificationPending_, false);
  }
  if (wasPending) post(flag);
}

std::size_t PlaybackStream::read(std::uint8_t* out, std::size_t bytes) {
  bool failedNow = false;
  std::size_t count = 0;
  {
    std::lock_guard lock(mutex_);
    if (failed_) return 0;
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(bytes, dataBytes_ - readPosition_));
    if (wanted == 0) return 0;
    const TakeResult taken = readAhead_.take(out, wanted);
    count = taken.bytes;
    readPosition_ += count;
    if (count == 0 && taken.failed) {  // the bytes before a failed read still play
      failed_ = true;
      failedNow = std::exchange(notificationPending_, false);
    }
  }
  if (failedNow) post(MediaNotification::kFailure);
  return count;
}

void PlaybackStream::played(std::size_t bytes) {
  bool endedNow = false;
  {
    std::lock_guard lock(mutex_);
    if (failed_) return;
    playedPosition_ = std::min<std::uint64_t>(playedPosition_ + bytes, readPosition_);
    if (!ended_ && playedPosition_ == dataBytes_) {
      ended_ = true;
      endedNow = std::exchange(notificationPending_, false);
    }
  }
  if (endedNow) post(MediaNotification::kSuccessful);
}

void PlaybackStream::post(MediaNotification flag) const {
  if (sink_) sink_(flag, device_);
}

}  // namespace brisolt::platform
