// The media player: the state of each open device and what every command does
// to it.
#include "platform/media/media_player.h"

#include <algorithm>
#include <utility>

#include "platform/media/playback_stream.h"
#include "platform/media/wave_stream.h"

namespace brisolt::platform {
namespace {

enum class Mode { kStopped, kPlaying, kPaused };

MediaReply failed(MediaResult result, std::string error) { return {result, {}, std::move(error)}; }

MediaReply answered(std::string answer) { return {MediaResult::kSuccess, std::move(answer), {}}; }

}  // namespace

struct MediaPlayer::Device {
  DeviceId id = 0;
  std::string alias;
  std::string path;
  std::unique_ptr<PlaybackStream> stream;  // fixed address: the output holds it
  std::unique_ptr<AudioOutput> output;     // from the first play; destroyed before the stream
  Mode mode = Mode::kStopped;

  ~Device() { output.reset(); }

  std::uint64_t toMilliseconds(std::uint64_t bytes) const { return bytes * 1000 / stream->format().byteRate; }

  // The first whole frame at or after `milliseconds`, so that it converts back
  // to the same milliseconds.
  std::uint64_t toBytes(std::uint32_t milliseconds) const {
    const std::uint64_t frame = stream->format().blockAlign;
    const std::uint64_t bytes = (std::uint64_t{milliseconds} * stream->format().byteRate + 999) / 1000;
    return (bytes + frame - 1) / frame * frame;
  }
};

MediaPlayer::MediaPlayer(AudioBackend& backend, NotificationSink sink) : backend_(backend), sink_(std::move(sink)) {}

MediaPlayer::~MediaPlayer() = default;

MediaReply MediaPlayer::send(const MediaCommand& command) {
  if (!isValid(command)) {
    return failed(MediaResult::kUnknownCommand, "Unknown media command '" + commandText(command) +
                                                    "'; make commands with the MediaCommand makers");
  }
  if (command.verb == MediaVerb::kOpen) return open(command);
  if (command.verb == MediaVerb::kCloseAll) {
    for (auto& [alias, device] : devices_) close(*device);
    devices_.clear();
    return {};
  }

  const auto found = devices_.find(command.alias);
  if (found == devices_.end()) {
    if (command.completion == Completion::kNotify) post(MediaNotification::kFailure, 0);
    return failed(MediaResult::kNotOpen, "No media device is open under the alias '" + command.alias +
                                            "'; open one with \"" +
                                            commandText(MediaCommand::open("<path>", command.alias)) + "\"");
  }
  Device& device = *found->second;
  noticeEnd(device);

  switch (command.verb) {
    case MediaVerb::kSetTimeFormat: return {};
    case MediaVerb::kStatusLength: return answered(std::to_string(device.toMilliseconds(device.stream->dataBytes())));
    case MediaVerb::kStatusPosition:
      return answered(std::to_string(device.toMilliseconds(device.stream->playedBytes())));
    case MediaVerb::kPlay: return play(device, command);
    case MediaVerb::kPause: return pause(device);
    case MediaVerb::kStop: return stop(device);
    case MediaVerb::kSeek: return seek(device, command);
    case MediaVerb::kClose:
      close(device);
      devices_.erase(found);
      return {};
    case MediaVerb::kOpen:
    case MediaVerb::kCloseAll: break;  // handled above
  }
  return {};
}

MediaReply MediaPlayer::open(const MediaCommand& command) {
  if (devices_.count(command.alias) != 0) {
    return failed(MediaResult::kAliasInUse, "The media alias '" + command.alias + "' is open already (on '" +
                                               devices_.at(command.alias)->path + "'); close it first");
  }
  WaveStream wave;
  std::string error;
  const MediaResult result = wave.open(command.path, error);
  if (result != MediaResult::kSuccess) return failed(result, error);

  auto device = std::make_unique<Device>();
  device->id = nextDeviceId_++;
  device->alias = command.alias;
  device->path = command.path;
  device->stream = std::make_unique<PlaybackStream>(std::move(wave), device->id, sink_);
  const DeviceId id = device->id;
  devices_.emplace(command.alias, std::move(device));
  return answered(std::to_string(id));
}

MediaReply MediaPlayer::play(Device& device, const MediaCommand& command) {
  const bool notify = command.completion == Completion::kNotify;
  PlaybackStream& stream = *device.stream;

  if (!notify && stream.finished()) return {};  // nothing left to play
  if (!device.output && !stream.finished()) {
    const WaveFormat& wave = stream.format();
    const AudioFormat format{static_cast<int>(wave.sampleRate), wave.channels, wave.bitsPerSample};
    std::string error;
    device.output = backend_.open(format, stream, error);
    if (!device.output) {
      if (notify) post(MediaNotification::kFailure, device.id);
      return failed(MediaResult::kDeviceError,
                    "Cannot open the audio output to play '" + device.path + "' (alias '" + device.alias + "'): " + error);
    }
  }

  if (notify) {
    if (device.mode == Mode::kPlaying) stream.settleNotification(MediaNotification::kSuperseded);
    if (const std::optional<MediaNotification> now = stream.armNotification()) {
      if (device.output) device.output->halt();
      device.mode = Mode::kStopped;
      post(*now, device.id);
      if (*now == MediaNotification::kFailure) {
        return failed(MediaResult::kReadError,
                      "Cannot read the samples of '" + device.path + "' (alias '" + device.alias + "'); seek or reopen it");
      }
      return {};
    }
  }
  if (device.mode != Mode::kPlaying) {
    stream.awaitReadable(ReadAhead::kBlockBytes * ReadAhead::kBlockCount);  // the first callbacks find sound
    device.output->start();
    device.mode = Mode::kPlaying;
  }
  return {};
}

MediaReply MediaPlayer::pause(Device& device) {
  if (device.mode == Mode::kPlaying) {
    device.output->halt();
    device.stream->dropReadAhead();
    device.stream->settleNotification(MediaNotification::kAborted);
    device.mode = Mode::kPaused;
  }
  return {};
}

MediaReply MediaPlayer::stop(Device& device) {
  if (device.mode == Mode::kPlaying) {
    device.output->halt();
    device.stream->dropReadAhead();
  }
  device.stream->settleNotification(MediaNotification::kAborted);
  device.mode = Mode::kStopped;
  return {};
}

MediaReply MediaPlayer::seek(Device& device, const MediaCommand& command) {
  if (device.mode == Mode::kPlaying) {
    device.output->halt();
    device.mode = Mode::kStopped;
  }
  device.stream->settleNotification(MediaNotification::kAborted);
  device.stream->seek(std::min(device.toBytes(command.milliseconds), device.stream->dataBytes()));
  return {};
}

void MediaPlayer::close(Device& device) {
  if (device.output) device.output->halt();
  device.stream->settleNotification(MediaNotification::kAborted);
  device.output.reset();
}

// A device whose stream has finished on the audio thread is stopped here, on
// the player's thread, the next time it is touched.
void MediaPlayer::noticeEnd(Device& device) {
  if (device.mode == Mode::kPlaying && device.stream->finished()) {
    device.output->halt();
    device.mode = Mode::kStopped;
  }
}

void MediaPlayer::post(MediaNotification flag, DeviceId device) const {
  if (sink_) sink_(flag, device);
}

}  // namespace brisolt::platform
