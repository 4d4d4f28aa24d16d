// The window's playback on the fake clock: what the display shows as the mix
// plays, seeking by phrase, pause, the state machine, the end of the file,
// the nothing-to-play question and the aborted flag.
#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "audio/file_mixer.h"
#include "platform/message_pump.h"
#include "platform/window/main_window_ids.h"
#include "tests/playback/playback_fixture.h"
#include "tests/support/file_bytes.h"

namespace brisolt::playback::testing {
namespace {

namespace control = platform::control;
using std::chrono::milliseconds;
using std::chrono::seconds;

class PlaybackDisplay : public PlaybackFixture {};

TEST_F(PlaybackDisplay, FivePhrasePieceCountsPhrasesFromTheEndOfTheLeadIn) {
  generateSession(5);
  ASSERT_EQ(playback_.play(), 0);
  EXPECT_EQ(playback_.lengthSeconds(), 323) << "0.5 s lead-in + 5 x 64 s + 2.5 s tail";
  EXPECT_EQ(window_.progressRange(control::kPositionBar), (platform::ProgressRange{0, 323}));
  EXPECT_TRUE(visible(control::kPositionBar));

  runFor(milliseconds(400));
  EXPECT_EQ(phraseDigits(), "00") << "during the first half second";
  EXPECT_EQ(state_.currentPhrase, 0);
  runFor(milliseconds(100));
  EXPECT_EQ(position(), 500);
  EXPECT_EQ(phraseDigits(), "01") << "from 0.5 s";

  runFor(milliseconds(63900));  // 64.4 s
  EXPECT_EQ(phraseDigits(), "01");
  EXPECT_EQ(timeDigits(), "0104");
  runFor(milliseconds(100));  // 64.5 s
  EXPECT_EQ(phraseDigits(), "02");
  EXPECT_EQ(state_.currentPhrase, 2);
  EXPECT_EQ(window_.progressPosition(control::kPositionBar), 64);

  runFor(seconds(260));  // past 323 s
  EXPECT_EQ(state_.appState, kIdle) << "the end of the file stops playback";
}

TEST_F(PlaybackDisplay, TimeDigitsShowMinutesAndSecondsAsTheyChange) {
  generateSession(5);
  playback_.play();
  runFor(seconds(1));
  EXPECT_EQ(timeDigits(), "0001");
  runFor(seconds(69));
  EXPECT_EQ(timeDigits(), "0110");
  EXPECT_EQ(playback_.shownSecond(), 70);
  EXPECT_EQ(window_.progressPosition(control::kPositionBar), 70);

  // The digits are redrawn only when the second changes.
  const auto digitSwaps = [this] {
    int swaps = 0;
    for (const std::string& call : window_.calls()) swaps += call.rfind("picture 105", 0) == 0;
    window_.clearCalls();
    return swaps;
  };
  window_.clearCalls();
  runFor(milliseconds(900));
  EXPECT_EQ(digitSwaps(), 0) << "from 70.1 s to 70.9 s";
  runFor(milliseconds(100));
  EXPECT_EQ(digitSwaps(), 4) << "at 71 s the four digits are drawn again";
  EXPECT_EQ(timeDigits(), "0111");
}

TEST_F(PlaybackDisplay, PlayLightsThePlayButtonAndStartsTheTimerUnderOneLock) {
  generateSession(5);
  window_.clearCalls();
  ASSERT_EQ(playback_.play(), 0);
  EXPECT_EQ(state_.appState, kPlaying);
  EXPECT_TRUE(visible(control::kPlayLit));
  EXPECT_FALSE(visible(control::kDoneLabel));
  EXPECT_FALSE(visible(control::kStopLit));
  EXPECT_TRUE(visible(control::kComposeDottedLabel));
  EXPECT_EQ(window_.timerPeriod(platform::timer::kPlayback), milliseconds(100));
  EXPECT_EQ(timeDigits(), "0000");
  EXPECT_EQ(phraseDigits(), "00");
  for (const platform::ControlId id : control::kCurrentTime) EXPECT_TRUE(visible(id)) << id;
  for (const platform::ControlId id : control::kCurrentPhrase) EXPECT_TRUE(visible(id)) << id;

  const auto& calls = window_.calls();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "start timer 1 100 ms [locked]"), calls.end())
      << "the timer starts while redrawing is locked";
  EXPECT_EQ(window_.lockDepth(), 0);
  EXPECT_EQ(playback_.playFile(), state_.musicFile);
  EXPECT_EQ(playback_.shownSecond(), -1);
  EXPECT_EQ(playback_.shownPhrase(), -1);
}

TEST_F(PlaybackDisplay, PlaysTheLVariantWhenItExists) {
  generateSession(5);
  const std::string variant = writeMix(std::string(kPrefix) + "PelkoL.wav", 2000);
  playback_.play();
  EXPECT_EQ(playback_.playFile(), variant);
  EXPECT_EQ(playback_.lengthSeconds(), 2);
  playback_.stopPlayback();

  ASSERT_TRUE(platform::deleteFile(variant));
  playback_.play();
  EXPECT_EQ(playback_.playFile(), state_.musicFile) << "a missing variant is no error";
}

class PlaybackSeek : public PlaybackFixture {
 protected:
  void SetUp() override {
    generateSession(5);
    ASSERT_EQ(playback_.play(), 0);
  }
};

TEST_F(PlaybackSeek, ForwardFromTheLastPhraseStaysOnIt) {
  goToPhrase(5);
  EXPECT_EQ(position(), 256501);
  runFor(seconds(10));
  ASSERT_EQ(playback_.shownPhrase(), 5);
  EXPECT_EQ(playback_.seekPhrase(+1), 0);
  EXPECT_EQ(position(), 256501) << "back to the start of the last planned phrase";
}

TEST_F(PlaybackSeek, BackFromPhraseOneOrTwoGoesTo501Milliseconds) {
  runFor(seconds(10));
  ASSERT_EQ(playback_.shownPhrase(), 1);
  playback_.seekPhrase(-1);
  EXPECT_EQ(position(), 501);

  runFor(seconds(70));
  ASSERT_EQ(playback_.shownPhrase(), 2);
  playback_.seekPhrase(-1);
  EXPECT_EQ(position(), 501);
}

TEST_F(PlaybackSeek, ToPhraseThreeIs128501Milliseconds) {
  runFor(seconds(70));
  ASSERT_EQ(playback_.shownPhrase(), 2);
  playback_.seekPhrase(+1);
  EXPECT_EQ(position(), 128501);
  runFor(milliseconds(100));
  EXPECT_EQ(phraseDigits(), "03");
  EXPECT_EQ(state_.appState, kPlaying) << "a seek while playing goes on playing";
  EXPECT_EQ(position(), 128601);
}

TEST_F(PlaybackSeek, PauseSeekResume) {
  runFor(seconds(3));
  playback_.togglePause();
  EXPECT_EQ(state_.appState, kPaused);
  EXPECT_TRUE(visible(control::kPauseLit));
  const std::int64_t paused = position();
  runFor(seconds(2));
  EXPECT_EQ(position(), paused) << "paused";

  playback_.seekPhrase(+1);
  EXPECT_EQ(position(), 64501);
  runFor(seconds(2));
  EXPECT_EQ(position(), 64501) << "the seek does not restart playback";
  EXPECT_EQ(phraseDigits(), "02") << "the display follows the new position while paused";

  playback_.togglePause();
  EXPECT_EQ(state_.appState, kPlaying);
  EXPECT_FALSE(visible(control::kPauseLit));
  runFor(seconds(1));
  EXPECT_EQ(position(), 65501) << "the resume plays on from the new position";
}

TEST_F(PlaybackSeek, DoesNothingUnlessPlayingOrPaused) {
  playback_.stopPlayback();
  EXPECT_EQ(playback_.seekPhrase(+1), 1);
  EXPECT_EQ(playback_.seekPhrase(-1), 1);
  EXPECT_FALSE(deviceOpen());
  playback_.togglePause();
  EXPECT_EQ(state_.appState, kIdle) << "pause does nothing while idle";
}

class PlaybackStates : public PlaybackFixture {};

TEST_F(PlaybackStates, PlayWhilePlayingOrPausedDoesNothing) {
  generateSession(5);
  playback_.play();
  runFor(seconds(2));
  window_.clearCalls();
  EXPECT_EQ(playback_.play(), 0);
  EXPECT_TRUE(window_.calls().empty()) << "nothing redrawn: " << window_.calls().front();
  EXPECT_EQ(position(), 2000);
  runFor(seconds(1));
  EXPECT_EQ(position(), 3000) << "playing on undisturbed";

  playback_.togglePause();
  window_.clearCalls();
  EXPECT_EQ(playback_.play(), 0);
  EXPECT_TRUE(window_.calls().empty());
  EXPECT_EQ(state_.appState, kPaused);
  runFor(seconds(1));
  EXPECT_EQ(position(), 3000) << "still paused";
  EXPECT_EQ(backend_.opens(), 1) << "one audio output for the whole playback";
}

TEST_F(PlaybackStates, EndOfTheFileClosesTheDeviceAndLightsStop) {
  generateSession(5);
  state_.musicFile = writeMix("short.wav", 1500);
  playback_.play();
  runFor(seconds(2));

  EXPECT_EQ(events_.notifications, std::vector{platform::MediaNotification::kSuccessful});
  EXPECT_EQ(state_.appState, kIdle);
  EXPECT_EQ(state_.currentPhrase, 0);
  EXPECT_FALSE(deviceOpen()) << "closed";
  EXPECT_EQ(backend_.latest(), nullptr) << "the audio output is released";
  EXPECT_TRUE(visible(control::kStopLit));
  for (const platform::ControlId id : {control::kPositionBar, control::kPlayLit, control::kPauseLit,
                                       control::kComposeDottedLabel, control::kCurrentTime[0],
                                       control::kCurrentTime[3], control::kCurrentPhrase[0],
                                       control::kCurrentPhrase[1]}) {
    EXPECT_FALSE(visible(id)) << id << " still shown";
  }
  EXPECT_TRUE(window_.isTimerRunning(platform::timer::kPlayback)) << "the timer is left running, and idles";
  const std::size_t calls = window_.calls().size();
  runFor(milliseconds(300));
  EXPECT_EQ(window_.calls().size(), calls) << "ticks while idle change nothing";

  // Play again opens the file afresh from the start.
  ASSERT_EQ(playback_.play(), 0);
  EXPECT_EQ(position(), 0);
  EXPECT_EQ(playback_.shownSecond(), -1);
}

TEST_F(PlaybackStates, StopEndsPlayingAndPausedAlikeAndIgnoresItsOwnNotifications) {
  generateSession(5);
  playback_.play();
  runFor(seconds(1));
  playback_.togglePause();
  EXPECT_EQ(playback_.stopPlayback(), 0);
  EXPECT_EQ(state_.appState, kIdle);
  EXPECT_FALSE(deviceOpen());
  window_.dispatchPending();
  for (const platform::MediaNotification flag : events_.notifications) {
    EXPECT_EQ(flag, platform::MediaNotification::kAborted) << "pause and close abort the play";
  }
  EXPECT_EQ(remainingTimeHides_, 0) << "not generating";
  EXPECT_EQ(platform::listFiles(archive_, kPrefix).size(), 3u) << "stopping playback keeps the session";

  // A superseded or aborted notification never stops a playback.
  playback_.play();
  playback_.onMediaNotification(platform::MediaNotification::kSuperseded);
  playback_.onMediaNotification(platform::MediaNotification::kAborted);
  EXPECT_EQ(state_.appState, kPlaying);
  playback_.onMediaNotification(platform::MediaNotification::kFailure);
  EXPECT_EQ(state_.appState, kIdle);
}

TEST_F(PlaybackStates, AMixThatCannotBePlayedEndsPlaybackThroughTheFailureNotification) {
  generateSession(5);
  state_.musicFile = archive_ + "gone.wav";
  EXPECT_EQ(playback_.play(), 0);
  EXPECT_EQ(playback_.lengthSeconds(), 0) << "the length of an unopened device reads as 0";
  window_.dispatchPending();
  EXPECT_EQ(events_.notifications, std::vector{platform::MediaNotification::kFailure});
  EXPECT_EQ(state_.appState, kIdle);
  EXPECT_TRUE(visible(control::kStopLit));

  // Likewise when the sound output cannot be opened.
  state_.musicFile = archive_ + std::string(kPrefix) + "Pelko.wav";
  backend_.failOpens("no sound card");
  EXPECT_EQ(playback_.play(), 0);
  window_.dispatchPending();
  EXPECT_EQ(state_.appState, kIdle);
  EXPECT_FALSE(deviceOpen());
}

TEST_F(PlaybackStates, NothingToPlayAsksToGenerate) {
  window_.queueAnswer(platform::MessageBoxAnswer::kYes);
  EXPECT_EQ(playback_.play(), 1);
  ASSERT_EQ(window_.messageBoxes().size(), 1u);
  const platform::MessageBoxRequest& box = window_.messageBoxes()[0];
  EXPECT_EQ(box.text, "Nothing to play, would you like to GENERATE some music first?");
  EXPECT_EQ(box.buttons, platform::MessageBoxButtons::kYesNo);
  EXPECT_EQ(composeActions_, 1) << "Yes runs COMPOSE";
  EXPECT_EQ(state_.appState, kIdle);

  window_.queueAnswer(platform::MessageBoxAnswer::kNo);
  EXPECT_EQ(playback_.play(), 1);
  EXPECT_EQ(composeActions_, 1) << "No does nothing";

  // A box that could not be shown got no answer: nothing is composed, or a
  // Generate refused for lack of room would ask again without end.
  EXPECT_EQ(playback_.play(), 1);
  EXPECT_EQ(composeActions_, 1);
  EXPECT_FALSE(visible(control::kPlayLit));
  EXPECT_FALSE(deviceOpen());
}

TEST_F(PlaybackStates, TheAbortedFlagSwallowsOnePlay) {
  generateSession(5);
  state_.aborted = true;
  EXPECT_EQ(playback_.play(), 1);
  EXPECT_FALSE(state_.aborted);
  EXPECT_EQ(state_.appState, kIdle);
  EXPECT_TRUE(window_.messageBoxes().empty());
  EXPECT_FALSE(deviceOpen());

  EXPECT_EQ(playback_.play(), 0) << "the next Play plays";
  EXPECT_EQ(state_.appState, kPlaying);

  // It swallows the nothing-to-play question too.
  playback_.stopPlayback();
  state_.musicFile.clear();
  state_.aborted = true;
  EXPECT_EQ(playback_.play(), 1);
  EXPECT_TRUE(window_.messageBoxes().empty());
}

TEST_F(PlaybackStates, AnEndOfPlayStillQueuedWhenAGenerateStartsLeavesTheGenerateAlone) {
  generateSession(5);
  state_.musicFile = writeMix("short.wav", 1500);
  playback_.play();
  backend_.advance(seconds(2));  // the end is posted, not yet delivered
  playback_.stopPlayback();      // Stop, then COMPOSE, come first
  const std::string next = "240131_142600_";
  generateSession(5, next);
  state_.appState = kGenerating;

  window_.dispatchPending();
  ASSERT_EQ(events_.notifications, std::vector{platform::MediaNotification::kSuccessful});
  EXPECT_EQ(state_.appState, kGenerating);
  EXPECT_EQ(state_.sessionPrefix, next);
  EXPECT_EQ(remainingTimeHides_, 0);
  EXPECT_EQ(platform::listFiles(archive_, next).size(), 3u) << "the session being made keeps its files";
}

class StopDuringGenerate : public PlaybackFixture {};

TEST_F(StopDuringGenerate, ClosesTheMixersFilesDiscardsThePartialSessionAndGoesIdle) {
  generateSession(5);
  writeOtherSession();
  state_.appState = kGenerating;
  window_.hideControl(control::kStopLit);

  // Stop arrives through the message pump in the middle of the final mix.
  const std::string source = folder().file("stem.wav");
  test::writeFileBytes(source, test::Bytes(16320 * 8, 7));
  const std::string finalMix = archive_ + kPrefix + "Pelko.wav";
  int pumps = 0;
  platform::setMessagePump([&] {
    if (++pumps == 2) playback_.stopPlayback();
  });
  const int copied = mixer_.copyFile(source, finalMix);
  platform::setMessagePump({});

  EXPECT_EQ(copied, audio::kCopyFileCancelled) << "closing the mixer's files stops its copy";
  EXPECT_EQ(remainingTimeHides_, 1);
  EXPECT_EQ(state_.appState, kIdle);
  EXPECT_TRUE(state_.sessionPrefix.empty());
  EXPECT_TRUE(state_.musicFile.empty());
  EXPECT_TRUE(visible(control::kStopLit));
  EXPECT_EQ(platform::listFiles(archive_, kPrefix), std::vector<std::string>{})
      << "every file of the cancelled session is gone, the half-written mix too";
  EXPECT_EQ(platform::listFiles(archive_, kOtherPrefix).size(), 3u) << "an earlier session is never touched";
}

}  // namespace
}  // namespace brisolt::playback::testing
