// The fake-clock outputs of FakeAudioBackend.
#include "tests/support/fake_audio_backend.h"

#include <algorithm>

namespace brisolt::platform {

FakeAudioOutput::FakeAudioOutput(FakeAudioBackend& backend, const AudioFormat& format, AudioSource& source)
    : backend_(backend), format_(format), source_(source) {
  backend_.outputs_.push_back(this);
}

FakeAudioOutput::~FakeAudioOutput() {
  auto& outputs = backend_.outputs_;
  outputs.erase(std::remove(outputs.begin(), outputs.end(), this), outputs.end());
}

void FakeAudioOutput::start() { running_ = true; }

void FakeAudioOutput::halt() {
  running_ = false;
  pulled_.clear();
}

void FakeAudioOutput::advance(std::chrono::milliseconds time) {
  if (!running_) return;
  runningMilliseconds_ += time.count();
  const auto frameBytes = static_cast<std::uint64_t>(format_.frameBytes());
  const std::uint64_t due = static_cast<std::uint64_t>(runningMilliseconds_) * static_cast<std::uint64_t>(format_.sampleRate) /
                            1000 * frameBytes;
  std::vector<std::uint8_t> period;
  while (bytesClocked_ < due) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kPeriodFrames * frameBytes, due - bytesClocked_));
    period.resize(want);
    source_.awaitReadable(want);  // the clock stands still while the disk is read
    const std::size_t got = source_.read(period.data(), want);
    source_.played(got);
    playedData_.insert(playedData_.end(), period.begin(), period.begin() + static_cast<std::ptrdiff_t>(got));
    silenceBytes_ += want - got;
    bytesClocked_ += want;
  }
}

std::size_t FakeAudioOutput::pull(std::size_t bytes) {
  const std::size_t before = pulled_.size();
  pulled_.resize(before + bytes);
  source_.awaitReadable(bytes);
  const std::size_t got = source_.read(pulled_.data() + before, bytes);
  pulled_.resize(before + got);
  return got;
}

void FakeAudioOutput::playPulled() {
  source_.played(pulled_.size());
  playedData_.insert(playedData_.end(), pulled_.begin(), pulled_.end());
  pulled_.clear();
}

std::unique_ptr<AudioOutput> FakeAudioBackend::open(const AudioFormat& format, AudioSource& source, std::string& error) {
  if (!failReason_.empty()) {
    error = failReason_;
    return nullptr;
  }
  ++opens_;
  return std::make_unique<FakeAudioOutput>(*this, format, source);
}

void FakeAudioBackend::advance(std::chrono::milliseconds time) {
  const std::vector<FakeAudioOutput*> outputs = outputs_;
  for (FakeAudioOutput* output : outputs) output->advance(time);
}

}  // namespace brisolt::platform
