// An audio backend on a fake clock, for tests of everything that plays: its
// outputs play only when the test advances time, keep every byte they played,
// and never touch a sound card or another thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/media/audio_backend.h"

namespace brisolt::platform {

class FakeAudioBackend;

// One opened output. It pulls from its source in periods of kPeriodFrames as
// the clock runs, and reports each period played at once; pull() and
// playPulled() split the two to stand for a device buffer. halt() drops what
// was pulled but not played.
class FakeAudioOutput final : public AudioOutput {
 public:
  static constexpr std::size_t kPeriodFrames = 1024;

  FakeAudioOutput(FakeAudioBackend& backend, const AudioFormat& format, AudioSource& source);
  ~FakeAudioOutput() override;
  FakeAudioOutput(const FakeAudioOutput&) = delete;
  FakeAudioOutput& operator=(const FakeAudioOutput&) = delete;

  void start() override;
  void halt() override;

  bool running() const { return running_; }
  const AudioFormat& format() const { return format_; }
  // The sample bytes played so far, in order, and the silence played after
  // the source ran short.
  const std::vector<std::uint8_t>& playedData() const { return playedData_; }
  std::size_t silenceBytes() const { return silenceBytes_; }

  // Plays for `time` of running time (nothing while halted).
  void advance(std::chrono::milliseconds time);
  // Reads `bytes` into the device buffer without playing them; returns how
  // many the source gave.
  std::size_t pull(std::size_t bytes);
  // Plays what pull() put into the device buffer.
  void playPulled();

 private:
  FakeAudioBackend& backend_;
  const AudioFormat format_;
  AudioSource& source_;
  bool running_ = false;
  std::int64_t runningMilliseconds_ = 0;
  std::uint64_t bytesClocked_ = 0;  // bytes the clock has called for so far
  std::vector<std::uint8_t> pulled_;
  std::vector<std::uint8_t> playedData_;
  std::size_t silenceBytes_ = 0;
};

class FakeAudioBackend final : public AudioBackend {
 public:
  std::unique_ptr<AudioOutput> open(const AudioFormat& format, AudioSource& source, std::string& error) override;

  // Makes every later open fail with `reason`; an empty reason lets them succeed.
  void failOpens(std::string reason) { failReason_ = std::move(reason); }
  // Advances the clock of every output.
  void advance(std::chrono::milliseconds time);
  // The output opened last, if it is still open; else null.
  FakeAudioOutput* latest() const { return outputs_.empty() ? nullptr : outputs_.back(); }
  int opens() const { return opens_; }

 private:
  friend class FakeAudioOutput;
  std::vector<FakeAudioOutput*> outputs_;  // open outputs, oldest first
  std::string failReason_;
  int opens_ = 0;
};

}  // namespace brisolt::platform
