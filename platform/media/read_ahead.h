// Reads a device's sample data ahead of the audio output, on a thread of its
// own, into a small ring of blocks, so that the audio callback only copies
// from memory and never waits for the disk.
#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace brisolt::platform {

// Copies `count` bytes of sample data starting `offset` bytes into the data to
// `out`; false when the data cannot be read. Called on the reading thread only.
using SampleReader = std::function<bool(std::uint64_t offset, std::uint8_t* out, std::size_t count)>;

// What take() gave: the bytes copied, and whether the reading failed right
// after them (the ring is empty and nothing more will come).
struct TakeResult {
  std::size_t bytes = 0;
  bool failed = false;
};

// Nothing is read until the first waitReadable(), so that a device opened but
// not played keeps its file untouched. From then on the reading thread fills
// up to kBlockCount blocks of kBlockBytes (about 6 s of the program's
// 44100-byte-per-second mixes) in order from the read position, and rests
// while the ring is full or the data has all been read.
//
// Locking: one mutex guards the ring. The reading thread reads the disk
// without it, into a block of its own, and holds it only to swap that block
// into the ring; take() holds it for its own memcpy. So the audio thread never
// waits on a lock held across I/O, at most for another thread's few
// assignments. A block read for a position that restart() has since abandoned
// is thrown away.
class ReadAhead {
 public:
  static constexpr std::size_t kBlockBytes = 8192;
  static constexpr std::size_t kBlockCount = 32;

  // Starts reading at 0. `reader` is called on the reading thread alone.
  ReadAhead(SampleReader reader, std::uint64_t dataBytes);
  // Stops the reading thread (after the read in progress, if any).
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Discards every block read; reading goes on (or, before the first
  // waitReadable(), will start) from `offset`, clamped to the data. The next
  // take() gives bytes from `offset`.
  void restart(std::uint64_t offset);

  // Audio thread: copies up to `bytes` of what has been read to `out`.
  // Gives fewer (down to 0) when the reading thread has not kept up or the
  // data has ended; never waits for a read.
  TakeResult take(std::uint8_t* out, std::size_t bytes);

  // Player's thread, or an output on a test's clock; never the audio callback.
  // For callers that may wait (the player's thread, an output on a test's
  // clock): returns once take() can give `bytes` at once (at most the ring's
  // capacity), or the data from the read position has all been read or has
  // failed. Starts the reading the first time.
  void waitReadable(std::size_t bytes);

 private:
  struct Block {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kBlockBytes);
    std::size_t size = 0;  // bytes of data in it
    std::size_t taken = 0;  // bytes of those already given to take()
  };

  void readLoop();
  std::size_t bufferedLocked() const;
  bool readingDoneLocked() const { return failed_ || nextOffset_ >= dataBytes_; }

  const SampleReader reader_;
  const std::uint64_t dataBytes_;

  mutable std::mutex mutex_;
  std::condition_variable wantsBlock_;  // the reading thread waits for room or a restart
  std::condition_variable gotBlock_;    // waitReadable() waits for a block
  std::array<Block, kBlockCount> ring_;
  std::size_t first_ = 0;  // index of the oldest block
  std::size_t count_ = 0;  // blocks in the ring
  std::uint64_t nextOffset_ = 0;  // data offset of the next block to read
  std::uint64_t generation_ = 0;  // counts restarts; a read of an older one is dropped
  bool failed_ = false;           // the read at nextOffset_ failed
  bool reading_ = false;          // waitReadable() has started the reading
  bool stopping_ = false;

  std::thread thread_;  // last: starts after every member above exists
};

}  // namespace brisolt::platform
