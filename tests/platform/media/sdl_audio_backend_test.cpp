// The SDL backend end to end, through SDL's disk and a missing driver.
#include "platform/media/sdl_audio_backend.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/media/media_player.h"
#include "test_wave_file.h"

namespace brisolt::platform {
namespace {

// Collects notifications that may come from the audio thread.
class Notifications {
 public:
  NotificationSink sink() {
    return [this](MediaNotification flag, DeviceId) {
      std::lock_guard lock(mutex_);
      flags_.push_back(flag);
      arrived_.notify_all();
    };
  }
  // Waits for the first notification, at most `limit` (a safety net: the disk
  // driver runs far faster than real time).
  std::vector<MediaNotification> waitForOne(std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, limit, [this] { return !flags_.empty(); });
    return flags_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<MediaNotification> flags_;
};

// A media player on a fresh SDL backend through the audio driver `driver`,
// with a wave file of `frames` counting samples (and `declaredBytes` in its
// header) ready to open.
struct PlayerOnDriver {
  PlayerOnDriver(const char* driver, std::size_t frames, std::uint32_t declaredBytes) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    path = folder.writeWave("tone.wav", testing::countingSamples(frames), declaredBytes);
    backend = std::make_unique<SdlAudioBackend>();
    player = std::make_unique<MediaPlayer>(*backend, notifications.sink());
  }

  testing::TestFolder folder;
  std::string path;
  Notifications notifications;
  std::unique_ptr<SdlAudioBackend> backend;
  std::unique_ptr<MediaPlayer> player;
};

// End to end through SDL's disk driver, which writes what the device was
// given to a file: the file holds silence while the device waited for play,
// then exactly the samples, then the silence that pads the last buffer.
TEST(SdlAudioBackend, PlaysAFileToTheEndThroughTheDiskDriver) {
  testing::TestFolder folder;
  const std::string received = folder.path("received.raw");
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", received.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "1", 1);  // ms per buffer of 46 ms: quick, but not a spin
  const std::vector<std::uint8_t> samples = testing::countingSamples(5000);  // values 1..5000, no zero
  const std::string path = folder.writeWave("tone.wav", samples, 441000);

  Notifications notifications;
  {
    SdlAudioBackend backend;
    MediaPlayer player(backend, notifications.sink());
    ASSERT_TRUE(player.send(MediaCommand::open(path, "lv")).ok());
    const MediaReply play = player.send(MediaCommand::play("lv"));
    if (play.result == MediaResult::kDeviceError) GTEST_SKIP() << "no disk audio driver: " << play.error;
    ASSERT_TRUE(play.ok()) << play.error;
    EXPECT_EQ(notifications.waitForOne(std::chrono::seconds(30)), std::vector{MediaNotification::kSuccessful});
    EXPECT_EQ(player.send(MediaCommand::statusPosition("lv")).answer, "226");  // 10000 bytes
    ASSERT_TRUE(player.send(MediaCommand::close("lv")).ok());
  }

  std::ifstream file(received, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::size_t start = 0;
  while (start < bytes.size() && bytes[start] == 0) ++start;
  ASSERT_LT(start, bytes.size()) << "the device received only silence (" << bytes.size() << " bytes)";
  ASSERT_EQ(start % 2, 0u) << "the samples start in the middle of a frame";
  ASSERT_GE(bytes.size() - start, samples.size()) << "the device received too few bytes";
  EXPECT_TRUE(std::equal(samples.begin(), samples.end(), bytes.begin() + static_cast<std::ptrdiff_t>(start)))
      << "the device received other bytes than the file's samples";
  const auto tail = bytes.begin() + static_cast<std::ptrdiff_t>(start + samples.size());
  EXPECT_EQ(std::count(tail, bytes.end(), 0), bytes.end() - tail) << "only silence may follow the samples";
}

// Saving a phrase while paused: pause, seek, close and reopen at the kept
// position, with the reading thread of each device started and stopped.
TEST(SdlAudioBackend, PauseSeekCloseAndReopenReturnAtOnce) {
  PlayerOnDriver setUp("dummy", 441000, 882000);
  MediaPlayer& player = *setUp.player;
  const std::string& path = setUp.path;
  ASSERT_TRUE(player.send(MediaCommand::open(path, "lv")).ok());
  const MediaReply play = player.send(MediaCommand::play("lv"));
  if (play.result == MediaResult::kDeviceError) GTEST_SKIP() << "no dummy audio driver: " << play.error;
  ASSERT_TRUE(play.ok()) << play.error;
  ASSERT_TRUE(player.send(MediaCommand::pause("lv")).ok());
  ASSERT_TRUE(player.send(MediaCommand::stop("lv")).ok());
  ASSERT_TRUE(player.send(MediaCommand::seek("lv", 9000)).ok());
  ASSERT_TRUE(player.send(MediaCommand::stop("lv")).ok());
  ASSERT_TRUE(player.send(MediaCommand::close("lv")).ok());
  ASSERT_TRUE(player.send(MediaCommand::open(path, "lv")).ok());
  ASSERT_TRUE(player.send(MediaCommand::setTimeFormat("lv")).ok());
  ASSERT_TRUE(player.send(MediaCommand::seekAndWait("lv", 9000)).ok());
  EXPECT_EQ(player.send(MediaCommand::statusPosition("lv")).answer, "9000");
  ASSERT_TRUE(player.send(MediaCommand::play("lv")).ok());
  ASSERT_TRUE(player.send(MediaCommand::close("lv")).ok());
}

TEST(SdlAudioBackend, NoAudioDriverMeansDeviceErrorAndFailure) {
  PlayerOnDriver setUp("no-such-driver", 100, 200);
  MediaPlayer& player = *setUp.player;
  ASSERT_TRUE(player.send(MediaCommand::open(setUp.path, "lv")).ok());
  const MediaReply play = player.send(MediaCommand::play("lv"));
  EXPECT_EQ(play.result, MediaResult::kDeviceError);
  EXPECT_NE(play.error.find("no-such-driver"), std::string::npos) << "SDL's reason names the driver: " << play.error;
  EXPECT_EQ(setUp.notifications.waitForOne(std::chrono::seconds(0)), std::vector{MediaNotification::kFailure});
}

}  // namespace
}  // namespace brisolt::platform
