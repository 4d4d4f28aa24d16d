// Hands the blocks of audio that one thread plays to a thread of its own that
// works on each of them in turn (measures it, writes it away), so that the
// playing goes on meanwhile. A few blocks may wait; the player waits when
// they are all taken.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace brisolt::rendition {

class BlockHandOver {
 public:
  // Does the work on one block of interleaved stereo; false when it failed.
  using Work = std::function<bool(const float* samples, std::size_t frames)>;

  // Blocks of up to `blockFrames` frames; at most `depth` of them wait.
  BlockHandOver(Work work, std::size_t blockFrames, std::size_t depth = 4);
  // Waits for the work on every block handed over.
  ~BlockHandOver();
  BlockHandOver(const BlockHandOver&) = delete;
  BlockHandOver& operator=(const BlockHandOver&) = delete;

  // Copies the block for the worker. False once the work on an earlier
  // block has failed (this one is then dropped), or after finish().
  bool push(const float* samples, std::size_t frames);
  // Waits until the work on every block handed over is done and ends the
  // worker. True when none of it failed.
  bool finish();

 private:
  struct Slot {
    std::vector<float> samples;
    std::size_t frames = 0;
  };
  void run();

  Work work_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Slot> slots_;  // a ring: `waiting_` full slots from `next_` on
  std::size_t next_ = 0;
  std::size_t waiting_ = 0;
  bool finishing_ = false;
  bool failed_ = false;
  std::thread worker_;  // last: starts once every member above exists
};

}  // namespace brisolt::rendition
