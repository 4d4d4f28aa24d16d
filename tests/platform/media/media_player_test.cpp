// The media player on the fake clock: every command, the answers, positions
// and the notification each way a play can end.
#include "platform/media/media_player.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/fake_audio_backend.h"
#include "test_wave_file.h"

// The fixture takes the suite name MediaPlayer; the player itself is
// platform::MediaPlayer here.
namespace brisolt::platform::testing {
namespace {

using std::chrono::milliseconds;
using Flags = std::vector<MediaNotification>;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kBytesPerSecond = 44100;

// A player on the fake clock, with a two-second file (two blocks of reading)
// whose header declares what it holds.
class MediaPlayer : public ::testing::Test {
 protected:
  MediaPlayer()
      : samples_(countingSamples(kBytesPerSecond)),
        player_(backend_, [this](MediaNotification flag, DeviceId) { flags_.push_back(flag); }) {}

  std::string writeWave(const Bytes& samples, std::uint32_t declared) {
    return folder_.writeWave("mix" + std::to_string(++files_) + ".wav", samples, declared);
  }
  void openLv(const std::string& path) { expectOk(MediaCommand::open(path, "lv")); }
  void openLv() { openLv(writeWave(samples_, static_cast<std::uint32_t>(samples_.size()))); }

  MediaReply expectOk(const MediaCommand& command) {
    MediaReply reply = player_.send(command);
    EXPECT_EQ(reply.result, MediaResult::kSuccess) << command << ": " << reply.error;
    return reply;
  }
  std::string position() { return expectOk(MediaCommand::statusPosition("lv")).answer; }
  // The phrase jump of the program on the playing "lv": stop, seek to 501 ms
  // and play on for 1.5 s, past the end of two seconds of sound.
  void jumpTo501AndPlayToTheEnd() {
    expectOk(MediaCommand::stop("lv"));
    expectOk(MediaCommand::seek("lv", 501));
    EXPECT_EQ(position(), "501");
    expectOk(MediaCommand::play("lv"));
    backend_.advance(milliseconds(1500));
    EXPECT_EQ(flags_, (Flags{MediaNotification::kAborted, MediaNotification::kSuccessful}));
  }
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
  EXPECT_EQ(expectOk(MediaCommand::open(path, "lv")).answer, "1");
  EXPECT_EQ(expectOk(MediaCommand::setTimeFormat("lv")).answer, "");
  EXPECT_EQ(expectOk(MediaCommand::statusLength("lv")).answer, "2000");
  EXPECT_EQ(position(), "0");
  EXPECT_EQ(player_.send(MediaCommand::open(path, "lv")).result, MediaResult::kAliasInUse);
  EXPECT_EQ(expectOk(MediaCommand::open(path, "other")).answer, "2");
}

TEST_F(MediaPlayer, EveryCommandOnAnAliasThatIsNotOpenFails) {
  for (const MediaCommand& command :
       {MediaCommand::setTimeFormat("lv"), MediaCommand::statusLength("lv"), MediaCommand::statusPosition("lv"),
        MediaCommand::pause("lv"), MediaCommand::stop("lv"), MediaCommand::seek("lv", 5),
        MediaCommand::seekAndWait("lv", 5), MediaCommand::close("lv")}) {
    EXPECT_EQ(player_.send(command).result, MediaResult::kNotOpen) << command;
  }
  EXPECT_EQ(player_.send(MediaCommand::play("lv")).result, MediaResult::kNotOpen);
  EXPECT_EQ(flags_, Flags{MediaNotification::kFailure}) << "a play that cannot start must still end the caller's playback";
  expectOk(MediaCommand::closeAll());

  openLv();
  expectOk(MediaCommand::close("lv"));
  EXPECT_EQ(player_.send(MediaCommand::setTimeFormat("lv")).result, MediaResult::kNotOpen) << "after close";
}

TEST_F(MediaPlayer, RefusesUnknownCommandsMissingFilesAndOtherFormats) {
  MediaCommand playAndWait = MediaCommand::play("lv");
  playAndWait.completion = Completion::kWait;
  MediaCommand pauseAndNotify = MediaCommand::pause("lv");
  pauseAndNotify.completion = Completion::kNotify;
  for (const MediaCommand& command : {playAndWait, pauseAndNotify, MediaCommand::open("", "lv"),
                                      MediaCommand::open(folder_.path("x.wav"), "all"), MediaCommand::stop("")}) {
    EXPECT_EQ(player_.send(command).result, MediaResult::kUnknownCommand) << "'" << command << "'";
  }
  EXPECT_EQ(player_.send(MediaCommand::open(folder_.path("none.wav"), "lv")).result,
            MediaResult::kCannotOpenFile);
  Bytes stereo = waveHeader(4, {1, 2, 22050, 88200, 4, 16});
  stereo.resize(stereo.size() + 4);
  EXPECT_EQ(player_.send(MediaCommand::open(folder_.write("stereo.wav", stereo), "lv")).result,
            MediaResult::kUnsupportedFormat);
  EXPECT_EQ(player_.send(MediaCommand::setTimeFormat("lv")).result, MediaResult::kNotOpen) << "a failed open opens nothing";
  EXPECT_TRUE(flags_.empty());
}

TEST_F(MediaPlayer, PlaysToTheEndAndNotifiesSuccessfulOnce) {
  openLv();
  expectOk(MediaCommand::play("lv"));
  backend_.advance(milliseconds(500));
  EXPECT_EQ(position(), "500");
  EXPECT_TRUE(flags_.empty());
  backend_.advance(milliseconds(1600));
  EXPECT_EQ(flags_, Flags{MediaNotification::kSuccessful});
  EXPECT_EQ(position(), "2000");
  EXPECT_TRUE(output().playedData() == samples_) << "played " << output().playedData().size() << " of "
                                                 << samples_.size() << " bytes, or other bytes";
  backend_.advance(milliseconds(1000));
  expectOk(MediaCommand::stop("lv"));
  expectOk(MediaCommand::close("lv"));
  EXPECT_EQ(flags_, Flags{MediaNotification::kSuccessful}) << "nothing after the end";
}

TEST_F(MediaPlayer, PositionIsWhatWasPlayedNotWhatWasReadAhead) {
  openLv();
  expectOk(MediaCommand::play("lv"));
  output().pull(4410);
  EXPECT_EQ(position(), "0");
  output().playPulled();
  EXPECT_EQ(position(), "100");
  output().pull(4410);  // in the device buffer when the pause comes: dropped
  expectOk(MediaCommand::pause("lv"));
  EXPECT_EQ(position(), "100");
  expectOk(MediaCommand::play("lv"));
  backend_.advance(milliseconds(100));
  EXPECT_EQ(position(), "200");
  EXPECT_TRUE(output().playedData() == samplesFrom(0, 8820)) << "resuming must neither skip nor repeat";
}

TEST_F(MediaPlayer, PauseAndStopAbortKeepThePositionAndPlayGoesOn) {
  for (const MediaCommand& halt : {MediaCommand::pause("lv"), MediaCommand::stop("lv")}) {
    SCOPED_TRACE(commandText(halt));
    flags_.clear();
    openLv();
    expectOk(MediaCommand::play("lv"));
    backend_.advance(milliseconds(300));
    expectOk(halt);
    EXPECT_EQ(flags_, Flags{MediaNotification::kAborted});
    backend_.advance(milliseconds(500));
    EXPECT_FALSE(output().running());
    EXPECT_EQ(position(), "300");
    expectOk(MediaCommand::play("lv"));
    backend_.advance(milliseconds(1700));
    EXPECT_EQ(flags_, (Flags{MediaNotification::kAborted, MediaNotification::kSuccessful}));
    EXPECT_TRUE(output().playedData() == samples_) << "the halt must neither skip nor repeat bytes";
    expectOk(MediaCommand::close("lv"));
  }
}

TEST_F(MediaPlayer, SeekWhilePausedStaysPausedAndPlayGoesOnFromThere) {
  openLv();
  expectOk(MediaCommand::play("lv"));
  backend_.advance(milliseconds(100));
  expectOk(MediaCommand::pause("lv"));
  expectOk(MediaCommand::seek("lv", 1700));
  EXPECT_EQ(position(), "1700");
  backend_.advance(milliseconds(500));
  EXPECT_EQ(position(), "1700") << "the seek must not restart playback";
  expectOk(MediaCommand::play("lv"));
  backend_.advance(milliseconds(300));
  EXPECT_EQ(flags_, (Flags{MediaNotification::kAborted, MediaNotification::kSuccessful}));
  Bytes expected = samplesFrom(0, 4410);
  const Bytes tail = samplesFrom(74970, samples_.size());  // 1700 ms
  expected.insert(expected.end(), tail.begin(), tail.end());
  EXPECT_TRUE(output().playedData() == expected);
}

// The phrase jump of the program: stop, seek, play.
TEST_F(MediaPlayer, StopSeekPlayLandsWhereAsked) {
  openLv();
  expectOk(MediaCommand::play("lv"));
  backend_.advance(milliseconds(100));
  jumpTo501AndPlayToTheEnd();
  // 501 ms is 22094.1 bytes: playing starts at the next whole frame.
  const Bytes& played = output().playedData();
  ASSERT_EQ(played.size(), 4410 + samples_.size() - 22096);
  EXPECT_TRUE(Bytes(played.begin() + 4410, played.end()) == samplesFrom(22096, samples_.size()));
}

// The stereo rendition: 44,100 frames of four bytes a second. Its length,
// positions and the phrase jump are counted from its own byte rate, and a
// seek lands on a whole frame, never between the left and right sample.
TEST_F(MediaPlayer, TheStereoRenditionPlaysAtItsOwnRateAndSeeksToWholeFrames) {
  constexpr std::size_t kStereoBytesPerSecond = 176400;
  const Bytes stereo = countingSamples(kStereoBytesPerSecond);  // two seconds
  Bytes file = waveHeader(static_cast<std::uint32_t>(stereo.size()), kPlayableStereoFormat);
  file.insert(file.end(), stereo.begin(), stereo.end());
  openLv(folder_.write("rendition.wav", file));
  EXPECT_EQ(expectOk(MediaCommand::statusLength("lv")).answer, "2000");
  expectOk(MediaCommand::play("lv"));
  EXPECT_EQ(output().format().sampleRate, 44100);
  EXPECT_EQ(output().format().channels, 2);
  EXPECT_EQ(output().format().bitsPerSample, 16);
  backend_.advance(milliseconds(100));
  EXPECT_EQ(position(), "100");
  jumpTo501AndPlayToTheEnd();
  // 501 ms is 88376.4 bytes: playing goes on from the next whole frame, 88380.
  const Bytes& played = output().playedData();
  ASSERT_EQ(played.size(), 17640 + stereo.size() - 88380);
  EXPECT_TRUE(Bytes(played.begin(), played.begin() + 17640) == Bytes(stereo.begin(), stereo.begin() + 17640));
  EXPECT_TRUE(Bytes(played.begin() + 17640, played.end()) == Bytes(stereo.begin() + 88380, stereo.end()));
}

TEST_F(MediaPlayer, SeekWhilePlayingStopsAndSeekPastTheEndClamps) {
  openLv();
  expectOk(MediaCommand::play("lv"));
  expectOk(MediaCommand::seekAndWait("lv", 200));
  EXPECT_EQ(flags_, Flags{MediaNotification::kAborted});
  EXPECT_FALSE(output().running());
  EXPECT_EQ(position(), "200");
  expectOk(MediaCommand::seek("lv", 99000));
  EXPECT_EQ(position(), "2000");
  expectOk(MediaCommand::play("lv"));
  EXPECT_EQ(flags_, (Flags{MediaNotification::kAborted, MediaNotification::kSuccessful})) << "a play at the end ends at once";
}

TEST_F(MediaPlayer, PlayWhilePlayingSupersedesAndCloseAborts) {
  openLv();
  expectOk(MediaCommand::play("lv"));
  expectOk(MediaCommand::play("lv"));
  EXPECT_EQ(flags_, Flags{MediaNotification::kSuperseded});
  backend_.advance(milliseconds(100));
  expectOk(MediaCommand::closeAll());
  EXPECT_EQ(flags_, (Flags{MediaNotification::kSuperseded, MediaNotification::kAborted}));
  EXPECT_EQ(backend_.latest(), nullptr) << "close must release the audio output";
  EXPECT_EQ(player_.send(MediaCommand::statusPosition("lv")).result, MediaResult::kNotOpen);
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
    EXPECT_EQ(expectOk(MediaCommand::statusLength("lv")).answer, c.length);
    expectOk(MediaCommand::play("lv"));
    backend_.advance(milliseconds(2500));
    EXPECT_EQ(flags_, Flags{MediaNotification::kSuccessful});
    EXPECT_EQ(position(), c.length);
    EXPECT_TRUE(output().playedData() == samples) << "played " << output().playedData().size() << " bytes";
    expectOk(MediaCommand::close("lv"));
  }
}

TEST_F(MediaPlayer, AnOutputThatCannotOpenOrAFileThatCannotBeReadGivesFailure) {
  openLv();
  backend_.failOpens("no sound card here");
  const MediaReply reply = player_.send(MediaCommand::play("lv"));
  EXPECT_EQ(reply.result, MediaResult::kDeviceError);
  EXPECT_NE(reply.error.find("no sound card here"), std::string::npos) << reply.error;
  EXPECT_EQ(flags_, Flags{MediaNotification::kFailure});
  expectOk(MediaCommand::close("lv"));
  EXPECT_EQ(flags_, Flags{MediaNotification::kFailure}) << "close after a failed play has nothing to abort";

  backend_.failOpens("");
  const std::string path = writeWave(samples_, 0);
  openLv(path);
  std::filesystem::resize_file(path, 44 + 1000);  // the file shrinks under the open device
  expectOk(MediaCommand::play("lv"));
  backend_.advance(milliseconds(100));
  EXPECT_EQ(flags_, (Flags{MediaNotification::kFailure, MediaNotification::kFailure}));
  EXPECT_EQ(position(), "0");
}

// Saving a phrase: the device is closed and reopened at the kept position.
TEST_F(MediaPlayer, ReopenAndSeekResumesWhereItWas) {
  const std::string path = writeWave(samples_, static_cast<std::uint32_t>(samples_.size()));
  openLv(path);
  expectOk(MediaCommand::play("lv"));
  backend_.advance(milliseconds(600));
  const std::string kept = position();
  expectOk(MediaCommand::stop("lv"));
  expectOk(MediaCommand::close("lv"));
  openLv(path);
  expectOk(MediaCommand::setTimeFormat("lv"));
  expectOk(MediaCommand::seekAndWait("lv", static_cast<std::uint32_t>(std::stoul(kept))));
  expectOk(MediaCommand::play("lv"));
  EXPECT_EQ(position(), "600");
  backend_.advance(milliseconds(1400));
  EXPECT_EQ(flags_, (Flags{MediaNotification::kAborted, MediaNotification::kSuccessful}));
  EXPECT_TRUE(output().playedData() == samplesFrom(26460, samples_.size()));
}

}  // namespace
}  // namespace brisolt::platform::testing
