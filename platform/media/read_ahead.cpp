// The reading thread, the ring of blocks and the hand-over to the audio thread.
#include "platform/media/read_ahead.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace brisolt::platform {

ReadAhead::ReadAhead(SampleReader reader, std::uint64_t dataBytes)
    : reader_(std::move(reader)), dataBytes_(dataBytes), thread_([this] { readLoop(); }) {}

ReadAhead::~ReadAhead() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wantsBlock_.notify_all();
  thread_.join();
}

void ReadAhead::restart(std::uint64_t offset) {
  {
    std::lock_guard lock(mutex_);
    ++generation_;
    first_ = 0;
    count_ = 0;
    nextOffset_ = std::min(offset, dataBytes_);
    failed_ = false;
  }
  wantsBlock_.notify_all();
}

TakeResult ReadAhead::take(std::uint8_t* out, std::size_t bytes) {
  TakeResult result;
  bool freed = false;
  {
    std::lock_guard lock(mutex_);
    while (result.bytes < bytes && count_ > 0) {
      Block& block = ring_[first_];
      const std::size_t n = std::min(bytes - result.bytes, block.size - block.taken);
      std::memcpy(out + result.bytes, block.bytes.data() + block.taken, n);
      block.taken += n;
      result.bytes += n;
      if (block.taken == block.size) {
        first_ = (first_ + 1) % kBlockCount;
        --count_;
        freed = true;
      }
    }
    result.failed = count_ == 0 && failed_;
  }
  if (freed) wantsBlock_.notify_all();
  return result;
}

void ReadAhead::waitReadable(std::size_t bytes) {
  std::unique_lock lock(mutex_);
  if (!reading_) {
    reading_ = true;
    wantsBlock_.notify_all();
  }
  gotBlock_.wait(lock, [this, bytes] {
    return bufferedLocked() >= bytes || count_ == kBlockCount || readingDoneLocked();
  });
}

std::size_t ReadAhead::bufferedLocked() const {
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < count_; ++i) {
    const Block& block = ring_[(first_ + i) % kBlockCount];
    bytes += block.size - block.taken;
  }
  return bytes;
}

void ReadAhead::readLoop() {
  std::vector<std::uint8_t> scratch(kBlockBytes);
  std::unique_lock lock(mutex_);
  for (;;) {
    wantsBlock_.wait(lock, [this] { return stopping_ || (reading_ && count_ < kBlockCount && !readingDoneLocked()); });
    if (stopping_) return;
    const std::uint64_t offset = nextOffset_;
    const std::uint64_t generation = generation_;
    const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockBytes, dataBytes_ - offset));

    lock.unlock();
    const bool ok = reader_(offset, scratch.data(), size);
    lock.lock();

    if (generation != generation_) continue;  // restarted meanwhile: the block is stale
    if (ok) {
      Block& block = ring_[(first_ + count_) % kBlockCount];
      std::swap(block.bytes, scratch);
      block.size = size;
      block.taken = 0;
      ++count_;
      nextOffset_ += size;
    } else {
      failed_ = true;
    }
    gotBlock_.notify_all();
  }
}

}  // namespace brisolt::platform
