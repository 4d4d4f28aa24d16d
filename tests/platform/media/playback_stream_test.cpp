// The hand-over of the end-of-play notification between the audio thread
// and the player's thread.
#include "platform/media/playback_stream.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "test_wave_file.h"

namespace brisolt::platform {
namespace {

// The end of playback on the audio thread racing a stop on the player's
// thread: whichever wins, exactly one notification is sent, and successful
// only when everything was played.
TEST(PlaybackStream, EndRacingAStopGivesExactlyOneNotification) {
  testing::TestFolder folder;
  const std::vector<std::uint8_t> samples = testing::countingSamples(2048);
  const std::string path = folder.writeWave("race.wav", samples, 0);
  int successful = 0;
  for (int round = 0; round < 300; ++round) {
    WaveStream wave;
    std::string error;
    ASSERT_EQ(wave.open(path, error), MediaResult::kSuccess) << error;
    std::atomic<int> notifications{0};
    std::atomic<bool> sawSuccessful{false};
    const NotificationSink sink = [&](MediaNotification flag, DeviceId) {
      ++notifications;
      if (flag == MediaNotification::kSuccessful) sawSuccessful = true;
    };
    PlaybackStream stream(std::move(wave), 1, sink);
    ASSERT_FALSE(stream.armNotification().has_value());

    std::thread audio([&stream] {
      std::uint8_t buffer[256];
      for (;;) {
        stream.awaitReadable(sizeof buffer);
        const std::size_t got = stream.read(buffer, sizeof buffer);
        if (got == 0) break;
        stream.played(got);
      }
    });
    for (int i = 0; i < round % 7; ++i) std::this_thread::yield();
    stream.settleNotification(MediaNotification::kAborted);
    audio.join();

    ASSERT_EQ(notifications.load(), 1) << "round " << round;
    if (sawSuccessful) {
      ++successful;
      EXPECT_EQ(stream.playedBytes(), samples.size()) << "successful before the end, round " << round;
    }
  }
  RecordProperty("successfulRounds", successful);
}

}  // namespace
}  // namespace brisolt::platform
