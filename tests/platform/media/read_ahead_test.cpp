// The reading thread ahead of the audio output: the audio side never waits
// for the disk, a restart throws away what was read for the old position, and
// the data arrives whole, once, up to its end or its first failed read.
#include "platform/media/read_ahead.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace brisolt::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

std::uint8_t patternAt(std::uint64_t offset) { return static_cast<std::uint8_t>(offset % 251); }

Bytes pattern(std::uint64_t from, std::size_t count) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = patternAt(from + i);
  return bytes;
}

// Data whose every byte says where it is; reads at or past `failFrom` fail.
// While the gate is closed every read waits (a disk that does not answer).
class PatternSource {
 public:
  explicit PatternSource(std::uint64_t failFrom = UINT64_MAX) : failFrom_(failFrom) {}

  SampleReader reader() {
    return [this](std::uint64_t offset, std::uint8_t* out, std::size_t count) {
      std::unique_lock lock(mutex_);
      ++readsStarted_;
      changed_.notify_all();
      changed_.wait(lock, [this] { return open_; });
      if (offset + count > failFrom_) return false;
      for (std::size_t i = 0; i < count; ++i) out[i] = patternAt(offset + i);
      return true;
    };
  }
  void close() {
    std::lock_guard lock(mutex_);
    open_ = false;
  }
  void open() {
    {
      std::lock_guard lock(mutex_);
      open_ = true;
    }
    changed_.notify_all();
  }
  // Waits until a read has started (and, the gate closed, is held there).
  void awaitReadStarted() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return readsStarted_ > 0; });
  }

 private:
  const std::uint64_t failFrom_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = true;
  int readsStarted_ = 0;
};

// Takes everything there is, `step` bytes at a time, waiting for the reading
// between takes as an output on a test's clock does.
Bytes takeAll(ReadAhead& readAhead, std::size_t step, bool& failed) {
  Bytes all;
  Bytes buffer(step);
  for (;;) {
    readAhead.waitReadable(step);
    const TakeResult got = readAhead.take(buffer.data(), step);
    all.insert(all.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got.bytes));
    if (got.bytes == 0) {
      failed = got.failed;
      return all;
    }
  }
}

TEST(ReadAhead, TakeDoesNotWaitForAReadThatHangs) {
  PatternSource source;
  source.close();
  ReadAhead readAhead(source.reader(), 100000);
  std::thread starter([&readAhead] { readAhead.waitReadable(1); });
  source.awaitReadStarted();

  std::future<TakeResult> take = std::async(std::launch::async, [&readAhead] {
    std::uint8_t buffer[512];
    return readAhead.take(buffer, sizeof buffer);
  });
  const bool returned = take.wait_for(5s) == std::future_status::ready;
  source.open();  // lets the reading thread, the starter and a stuck take finish
  starter.join();
  ASSERT_TRUE(returned) << "the audio side waited for a read in progress";
  const TakeResult result = take.get();
  EXPECT_EQ(result.bytes, 0u) << "nothing has been read yet";
  EXPECT_FALSE(result.failed) << "a read not yet done is not a failure";

  Bytes buffer(512);
  readAhead.waitReadable(buffer.size());
  ASSERT_EQ(readAhead.take(buffer.data(), buffer.size()).bytes, buffer.size());
  EXPECT_EQ(buffer, pattern(0, buffer.size()));
}

TEST(ReadAhead, RestartDropsTheBlocksReadForTheOldPosition) {
  PatternSource source;
  ReadAhead readAhead(source.reader(), 200000);
  readAhead.waitReadable(ReadAhead::kBlockBytes * ReadAhead::kBlockCount);  // the ring is full from 0

  readAhead.restart(150001);
  Bytes buffer(3000);
  readAhead.waitReadable(buffer.size());
  ASSERT_EQ(readAhead.take(buffer.data(), buffer.size()).bytes, buffer.size());
  EXPECT_EQ(buffer, pattern(150001, buffer.size())) << "bytes read before the restart came out after it";
}

TEST(ReadAhead, ARestartDuringAReadDropsThatRead) {
  PatternSource source;
  source.close();
  ReadAhead readAhead(source.reader(), 200000);
  std::thread starter([&readAhead] { readAhead.waitReadable(1); });
  source.awaitReadStarted();  // held in the read at offset 0
  readAhead.restart(70000);
  source.open();
  starter.join();

  Bytes buffer(100);
  readAhead.waitReadable(buffer.size());
  ASSERT_EQ(readAhead.take(buffer.data(), buffer.size()).bytes, buffer.size());
  EXPECT_EQ(buffer, pattern(70000, buffer.size())) << "the read started for offset 0 was kept";
}

TEST(ReadAhead, DeliversEveryByteOnceUpToTheEnd) {
  PatternSource source;
  constexpr std::size_t kData = 3 * ReadAhead::kBlockBytes * ReadAhead::kBlockCount + 777;
  ReadAhead readAhead(source.reader(), kData);
  bool failed = true;
  const Bytes all = takeAll(readAhead, 1000, failed);
  EXPECT_EQ(all.size(), kData);
  EXPECT_TRUE(all == pattern(0, kData)) << "bytes lost, repeated or out of order";
  EXPECT_FALSE(failed);

  std::uint8_t more[16];
  EXPECT_EQ(readAhead.take(more, sizeof more).bytes, 0u) << "the end came twice";
}

TEST(ReadAhead, AFailedReadEndsTheDataAfterTheBlocksBeforeIt) {
  PatternSource source(2 * ReadAhead::kBlockBytes + 100);
  ReadAhead readAhead(source.reader(), 10 * ReadAhead::kBlockBytes);
  bool failed = false;
  const Bytes all = takeAll(readAhead, 700, failed);
  EXPECT_TRUE(failed);
  EXPECT_TRUE(all == pattern(0, 2 * ReadAhead::kBlockBytes))
      << "took " << all.size() << " bytes; wanted the two whole blocks before the failure";

  readAhead.restart(0);  // a seek clears the failure and reads again
  Bytes buffer(64);
  readAhead.waitReadable(buffer.size());
  EXPECT_EQ(readAhead.take(buffer.data(), buffer.size()).bytes, buffer.size());
}

}  // namespace
}  // namespace brisolt::platform
