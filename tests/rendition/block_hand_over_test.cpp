// The hand-over of played blocks to a worker thread: every block arrives
// whole and in order however the two threads' speeds differ, a failure stops
// the player and drops what waits, and finishing waits for the work.
#include "rendition/block_hand_over.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace brisolt::rendition {
namespace {

constexpr std::size_t kFrames = 64;

std::vector<float> blockNumbered(int number, std::size_t frames = kFrames) {
  std::vector<float> samples(frames * 2);
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<float>(number * 1000 + static_cast<int>(i));
  return samples;
}

TEST(BlockHandOver, EveryBlockArrivesWholeAndInOrderWhenTheWorkerIsSlower) {
  std::vector<std::vector<float>> received;
  BlockHandOver handOver(
      [&](const float* samples, std::size_t frames) {
        if (received.size() % 7 == 0) std::this_thread::sleep_for(std::chrono::milliseconds{2});
        received.emplace_back(samples, samples + frames * 2);
        return true;
      },
      kFrames, 2);
  for (int number = 0; number < 50; ++number) {
    // The last block is shorter, as a piece's last one is.
    const std::vector<float> block = blockNumbered(number, number == 49 ? 10 : kFrames);
    ASSERT_TRUE(handOver.push(block.data(), block.size() / 2));
  }
  ASSERT_TRUE(handOver.finish());
  ASSERT_EQ(received.size(), 50u) << "finish() waits for the work on every block";
  for (int number = 0; number < 50; ++number) {
    EXPECT_EQ(received[static_cast<std::size_t>(number)], blockNumbered(number, number == 49 ? 10 : kFrames))
        << "block " << number;
  }
}

TEST(BlockHandOver, AFailedBlockStopsThePlayerAndNothingAfterItIsWorked) {
  int worked = 0;
  BlockHandOver handOver(
      [&](const float*, std::size_t) {
        ++worked;
        return worked < 3;  // the third block cannot be written
      },
      kFrames, 2);
  const std::vector<float> block = blockNumbered(0);
  int accepted = 0;
  for (int number = 0; number < 100; ++number) {
    if (!handOver.push(block.data(), kFrames)) break;
    ++accepted;
  }
  EXPECT_LT(accepted, 100) << "the player hears of the failure";
  EXPECT_FALSE(handOver.finish());
  EXPECT_EQ(worked, 3) << "the blocks that waited behind the failed one were dropped";
  EXPECT_FALSE(handOver.push(block.data(), kFrames));
}

TEST(BlockHandOver, ABlockLongerThanPlannedIsKeptWhole) {
  std::vector<float> received;
  BlockHandOver handOver(
      [&](const float* samples, std::size_t frames) {
        received.assign(samples, samples + frames * 2);
        return true;
      },
      kFrames);
  const std::vector<float> block = blockNumbered(3, kFrames * 3);
  ASSERT_TRUE(handOver.push(block.data(), kFrames * 3));
  ASSERT_TRUE(handOver.finish());
  EXPECT_EQ(received, block);
}

}  // namespace
}  // namespace brisolt::rendition
