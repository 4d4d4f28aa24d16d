// The media player on the fake clock: every command, the answers, positions
// and the notification each way a play can end.
#include "platform/media/media_player.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/media/fake_audio_backend.h"
#include "test_wave_file.h"

// The fixture takes the suite name MediaPlayer; the player itself is
// platform::MediaPlayer here.
namespace brisolt::platform::testing {
namespace {

using std::chrono::milliseconds;
using Flags = std::vector<NotifyFlag>;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kBytesPerSecond = 44100;

// A player on the fake clock, with a two-second file (two blocks of reading)
// whose header declares what it holds.
class MediaPlayer : public ::testing::Test {
 protected:
  MediaPlayer()
      : samples_(countingSamples(kBytesPerSecond)),
        player_(backend_, [this](NotifyFlag flag, DeviceId) { flags_.push_back(flag); }) {}

  std::string writeWave(const Bytes& samples, std::uint32_t declared) {
    return folder_.writeWave("mix" + std::to_string(++files_) + ".wav", samples, declared);
  }
  void openLv(const std::string& path) { expectOk("open " + path + " type waveaudio alias lv wait"); }
  void openLv() { openLv(writeWave(samples_, static_cast<std::uint32_t>(samples_.size()))); }

  MediaReply expectOk(const std::string& command) {
    MediaReply reply = player_.send(command);
    EXPECT_EQ(reply.result, MediaResult::success) << command << ": " << reply.error;
    return reply;
  }
  std::string position() { return expectOk("status lv position wait").answer; }
  FakeAudioOutput& output() {
    EXPECT_NE(backend_.latest(), nullptr) << "no audio output is open";
    return *backend_.latest();
  }
  Bytes samplesFrom(std::size_t from, std::size_t to) const {
    return Bytes(samples_.begin() + static_cast<std::ptrdiff_t>(from), samples_.begin() + static_cast<std::ptrdiff_t>(to));
  }

  TestFolder folder_;
  Bytes samples_;  // 88200 bytes: two seconds
  FakeAudioBackend backend_;
  Flags flags_;
  platform::MediaPlayer player_;
  int files_ = 0;
};

TEST_F(MediaPlayer, OpenAnswersTheDeviceAndStatusAnswersMilliseconds) {
  const std::string path = writeWave(samples_, static_cast<std::uint32_t>(samples_.size()));
  EXPECT_EQ(expectOk("open " + path + " type waveaudio alias lv wait").answer, "1");
  EXPECT_EQ(expectOk("set lv time format MS wait").answer, "");
  EXPECT_EQ(expectOk("status lv length wait").answer, "2000");
  EXPECT_EQ(position(), "0");
  EXPECT_EQ(player_.send("open " + path + " type waveaudio alias lv wait").result, MediaResult::aliasInUse);
  EXPECT_EQ(expectOk("open " + path + " type waveaudio alias other wait").answer, "2");
}

TEST_F(MediaPlayer, EveryCommandOnAnAliasThatIsNotOpenFails) {
  for (const char* command : {"set lv time format MS wait", "status lv length wait", "status lv position wait",
                              "pause lv", "stop lv wait", "seek lv to 5", "seek lv to 5 wait", "close lv wait"}) {
    EXPECT_EQ(player_.send(command).result, MediaResult::notOpen) << command;
  }
  EXPECT_EQ(player_.send("play lv notify").result, MediaResult::notOpen);
  EXPECT_EQ(flags_, Flags{NotifyFlag::failure}) << "a play that cannot start must still end the caller's playback";
  expectOk("close all wait");

  openLv();
  expectOk("close lv wait");
  EXPECT_EQ(player_.send("set lv time format MS wait").result, MediaResult::notOpen) << "after close";
}

TEST_F(MediaPlayer, RefusesUnknownCommandsMissingFilesAndOtherFormats) {
  for (const char* command : {"", "play lv wait", "status lv mode wait", "record lv"}) {
    EXPECT_EQ(player_.send(command).result, MediaResult::unknownCommand) << "'" << command << "'";
  }
  EXPECT_EQ(player_.send("open " + folder_.path("none.wav") + " type waveaudio alias lv wait").result,
            MediaResult::cannotOpenFile);
  Bytes stereo = waveHeader(4, {1, 2, 22050, 88200, 4, 16});
  stereo.resize(stereo.size() + 4);
  EXPECT_EQ(player_.send("open " + folder_.write("stereo.wav", stereo) + " type waveaudio alias lv wait").result,
            MediaResult::unsupportedFormat);
  EXPECT_EQ(player_.send("set lv time format MS wait").result, MediaResult::notOpen) << "a failed open opens nothing";
  EXPECT_TRUE(flags_.empty());
}

TEST_F(MediaPlayer, PlaysToTheEndAndNotifiesSuccessfulOnce) {
  openLv();
  expectOk("play lv notify");
  backend_.advance(milliseconds(500));
  EXPECT_EQ(position(), "500");
  EXPECT_TRUE(flags_.empty());
  backend_.advance(milliseconds(1600));
  EXPECT_EQ(flags_, Flags{NotifyFlag::successful});
  EXPECT_EQ(position(), "2000");
  EXPECT_TRUE(output().playedData() == samples_) << "played " << output().playedData().size() << " of "
                                                 << samples_.size() << " bytes, or other bytes";
  backend_.advance(milliseconds(1000));
  expectOk("stop lv wait");
  expectOk("close lv wait");
  EXPECT_EQ(flags_, Flags{NotifyFlag::successful}) << "nothing after the end";
}

TEST_F(MediaPlayer, PositionIsWhatWasPlayedNotWhatWasReadAhead) {
  openLv();
  expectOk("play lv notify");
  output().pull(4410);
  EXPECT_EQ(position(), "0");
  output().playPulled();
  EXPECT_EQ(position(), "100");
  output().pull(4410);  // in the device buffer when the pause comes: dropped
  expectOk("pause lv");
  EXPECT_EQ(position(), "100");
  expectOk("play lv notify");
  backend_.advance(milliseconds(100));
  EXPECT_EQ(position(), "200");
  EXPECT_TRUE(output().playedData() == samplesFrom(0, 8820)) << "resuming must neither skip nor repeat";
}

TEST_F(MediaPlayer, PauseAndStopAbortKeepThePositionAndPlayGoesOn) {
  for (const char* halt : {"pause lv", "stop lv wait"}) {
    SCOPED_TRACE(halt);
    flags_.clear();
    openLv();
    expectOk("play lv notify");
    backend_.advance(milliseconds(300));
    expectOk(halt);
    EXPECT_EQ(flags_, Flags{NotifyFlag::aborted});
    backend_.advance(milliseconds(500));
    EXPECT_FALSE(output().running());
    EXPECT_EQ(position(), "300");
    expectOk("play lv notify");
    backend_.advance(milliseconds(1700));
    EXPECT_EQ(flags_, (Flags{NotifyFlag::aborted, NotifyFlag::successful}));
    EXPECT_TRUE(output().playedData() == samples_) << "the halt must neither skip nor repeat bytes";
    expectOk("close lv wait");
  }
}

TEST_F(MediaPlayer, SeekWhilePausedStaysPausedAndPlayGoesOnFromThere) {
  openLv();
  expectOk("play lv notify");
  backend_.advance(milliseconds(100));
  expectOk("pause lv");
  expectOk("seek lv to 1700");
  EXPECT_EQ(position(), "1700");
  backend_.advance(milliseconds(500));
  EXPECT_EQ(position(), "1700") << "the seek must not restart playback";
  expectOk("play lv notify");
  backend_.advance(milliseconds(300));
  EXPECT_EQ(flags_, (Flags{NotifyFlag::aborted, NotifyFlag::successful}));
  Bytes expected = samplesFrom(0, 4410);
  const Bytes tail = samplesFrom(74970, samples_.size());  // 1700 ms
  expected.insert(expected.end(), tail.begin(), tail.end());
  EXPECT_TRUE(output().playedData() == expected);
}

// The phrase jump of the program: stop, seek, play.
TEST_F(MediaPlayer, StopSeekPlayLandsWhereAsked) {
  openLv();
  expectOk("play lv notify");
  backend_.advance(milliseconds(100));
  expectOk("stop lv wait");
  expectOk("seek lv to 501");
  EXPECT_EQ(position(), "501");
  expectOk("play lv notify");
  backend_.advance(milliseconds(1500));
  EXPECT_EQ(flags_, (Flags{NotifyFlag::aborted, NotifyFlag::successful}));
  // 501 ms is 22094.1 bytes: playing starts at the next whole frame.
  const Bytes& played = output().playedData();
  ASSERT_EQ(played.size(), 4410 + samples_.size() - 22096);
  EXPECT_TRUE(Bytes(played.begin() + 4410, played.end()) == samplesFrom(22096, samples_.size()));
}

TEST_F(MediaPlayer, SeekWhilePlayingStopsAndSeekPastTheEndClamps) {
  openLv();
  expectOk("play lv notify");
  expectOk("seek lv to 200 wait");
  EXPECT_EQ(flags_, Flags{NotifyFlag::aborted});
  EXPECT_FALSE(output().running());
  EXPECT_EQ(position(), "200");
  expectOk("seek lv to 99000");
  EXPECT_EQ(position(), "2000");
  expectOk("play lv notify");
  EXPECT_EQ(flags_, (Flags{NotifyFlag::aborted, NotifyFlag::successful})) << "a play at the end ends at once";
}

TEST_F(MediaPlayer, PlayWhilePlayingSupersedesAndCloseAborts) {
  openLv();
  expectOk("play lv notify");
  expectOk("play lv notify");
  EXPECT_EQ(flags_, Flags{NotifyFlag::superseded});
  backend_.advance(milliseconds(100));
  expectOk("close all wait");
  EXPECT_EQ(flags_, (Flags{NotifyFlag::superseded, NotifyFlag::aborted}));
  EXPECT_EQ(backend_.latest(), nullptr) << "close must release the audio output";
  EXPECT_EQ(player_.send("status lv position wait").result, MediaResult::notOpen);
}

TEST_F(MediaPlayer, PlaysTheRealDataWhenTheHeaderDeclaresOtherwise) {
  struct Case {
    const char* name;
    std::size_t realBytes;
    std::uint32_t declaredBytes;
    const char* length;
  };
  for (const Case& c : {Case{"short", 22050, 441000, "500"}, Case{"long", 88200, 22050, "2000"}}) {
    SCOPED_TRACE(c.name);
    flags_.clear();
    const Bytes samples = samplesFrom(0, c.realBytes);
    openLv(writeWave(samples, c.declaredBytes));
    EXPECT_EQ(expectOk("status lv length wait").answer, c.length);
    expectOk("play lv notify");
    backend_.advance(milliseconds(2500));
    EXPECT_EQ(flags_, Flags{NotifyFlag::successful});
    EXPECT_EQ(position(), c.length);
    EXPECT_TRUE(output().playedData() == samples) << "played " << output().playedData().size() << " bytes";
    expectOk("close lv wait");
  }
}

TEST_F(MediaPlayer, AnOutputThatCannotOpenOrAFileThatCannotBeReadGivesFailure) {
  openLv();
  backend_.failOpens("no sound card here");
  const MediaReply reply = player_.send("play lv notify");
  EXPECT_EQ(reply.result, MediaResult::deviceError);
  EXPECT_NE(reply.error.find("no sound card here"), std::string::npos) << reply.error;
  EXPECT_EQ(flags_, Flags{NotifyFlag::failure});
  expectOk("close lv wait");
  EXPECT_EQ(flags_, Flags{NotifyFlag::failure}) << "close after a failed play has nothing to abort";

  backend_.failOpens("");
  const std::string path = writeWave(samples_, 0);
  openLv(path);
  std::filesystem::resize_file(path, 44 + 1000);  // the file shrinks under the open device
  expectOk("play lv notify");
  backend_.advance(milliseconds(100));
  EXPECT_EQ(flags_, (Flags{NotifyFlag::failure, NotifyFlag::failure}));
  EXPECT_EQ(position(), "0");
}

// Saving a phrase: the device is closed and reopened at the kept position.
TEST_F(MediaPlayer, ReopenAndSeekResumesWhereItWas) {
  const std::string path = writeWave(samples_, static_cast<std::uint32_t>(samples_.size()));
  openLv(path);
  expectOk("play lv notify");
  backend_.advance(milliseconds(600));
  const std::string kept = position();
  expectOk("stop lv wait");
  expectOk("close lv wait");
  openLv(path);
  expectOk("set lv time format MS wait");
  expectOk("seek lv to " + kept + " wait");
  expectOk("play lv notify");
  EXPECT_EQ(position(), "600");
  backend_.advance(milliseconds(1400));
  EXPECT_EQ(flags_, (Flags{NotifyFlag::aborted, NotifyFlag::successful}));
  EXPECT_TRUE(output().playedData() == samplesFrom(26460, samples_.size()));
}

}  // namespace
}  // namespace brisolt::platform::testing
