// The hand-over of played blocks to a worker thread.
#include "rendition/block_hand_over.h"

#include <algorithm>

namespace brisolt::rendition {

BlockHandOver::BlockHandOver(Work work, std::size_t blockFrames, std::size_t depth)
    : work_(std::move(work)), slots_(std::max<std::size_t>(depth, 1)), worker_([this] { run(); }) {
  for (Slot& slot : slots_) slot.samples.resize(blockFrames * 2);
}

BlockHandOver::~BlockHandOver() { finish(); }

bool BlockHandOver::push(const float* samples, std::size_t frames) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return waiting_ < slots_.size() || failed_ || finishing_; });
  if (failed_ || finishing_) return false;
  Slot& slot = slots_[(next_ + waiting_) % slots_.size()];
  if (slot.samples.size() < frames * 2) slot.samples.resize(frames * 2);
  std::copy(samples, samples + frames * 2, slot.samples.begin());
  slot.frames = frames;
  ++waiting_;
  changed_.notify_all();
  return true;
}

bool BlockHandOver::finish() {
  {
    const std::lock_guard lock(mutex_);
    finishing_ = true;
    changed_.notify_all();
  }
  if (worker_.joinable()) worker_.join();
  const std::lock_guard lock(mutex_);
  return !failed_;
}

void BlockHandOver::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return waiting_ > 0 || finishing_; });
    if (waiting_ == 0) return;  // finishing, and nothing is left
    const Slot& slot = slots_[next_];
    if (!failed_) {
      // The slot is the worker's until it is given back: the player only
      // fills slots that are not waiting.
      lock.unlock();
      const bool worked = work_(slot.samples.data(), slot.frames);
      lock.lock();
      if (!worked) failed_ = true;
    }
    next_ = (next_ + 1) % slots_.size();
    --waiting_;
    changed_.notify_all();
  }
}

}  // namespace brisolt::rendition
