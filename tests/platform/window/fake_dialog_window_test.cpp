// The window logic's tests lean on the fake, so it must keep the promises of
// its header: state per control, the journal, the scripted boxes, delivery.
#include "tests/support/window/fake_dialog_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "platform/message_pump.h"
#include "platform/window/main_window_ids.h"
#include "platform/window/picture_ids.h"
#include "tests/support/window/recording_window_events.h"

namespace brisolt::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(FakeDialogWindowControls, KeepsPlaceVisibilityAndPictureOfEachControl) {
  FakeDialogWindow window;
  window.createPictureControl(control::kPlayLit, {440, 265, 25, 25}, picture::kPlayLit, false);
  window.createPictureControl(control::kPhraseMode, {105, 260, 240, 35}, picture::kPhraseModes[9], true);

  // Control 1000 shows picture 1006; picture 1000 is phrase mode J elsewhere.
  EXPECT_EQ(window.pictureOf(control::kPlayLit), picture::kPlayLit);
  EXPECT_EQ(window.pictureOf(control::kPhraseMode), PictureId{1000});
  EXPECT_FALSE(window.isControlVisible(control::kPlayLit));
  EXPECT_TRUE(window.isControlVisible(control::kPhraseMode));
  EXPECT_EQ(window.pictureControl(control::kPhraseMode)->place, (Rect{105, 260, 240, 35}));

  window.showControl(control::kPlayLit);
  window.freeControlPicture(control::kPhraseMode);
  EXPECT_EQ(window.pictureOf(control::kPhraseMode), std::nullopt);
  window.setControlPicture(control::kPhraseMode, picture::kPhraseModes[10]);
  EXPECT_TRUE(window.isControlVisible(control::kPlayLit));
  EXPECT_EQ(window.pictureOf(control::kPhraseMode), PictureId{1001});
  EXPECT_EQ(window.pictureControl(control::kPhraseMode)->swaps, 1);
  EXPECT_EQ(window.pictureControl(control::kPhraseMode)->frees, 1);
  EXPECT_THAT(window.misuses(), IsEmpty());
}

TEST(FakeDialogWindowControls, MisuseChangesNothingAndIsListed) {
  FakeDialogWindow window;
  window.createProgressControl(control::kGenerationBar, {380, 225, 205, 15}, false);
  window.setControlPicture(control::kGenerationBar, picture::kDigits[0]);  // a bar has no picture
  window.showControl(ControlId{4242});
  window.createPictureControl(control::kInfoPanel, {80, 450, 500, 70}, PictureId{994}, true);  // no picture 994

  EXPECT_EQ(window.misuses().size(), 3u);
  EXPECT_EQ(window.pictureOf(control::kInfoPanel), std::nullopt);
  EXPECT_FALSE(window.isControlVisible(ControlId{4242}));
  EXPECT_FALSE(window.setBackground(PictureId{1}));
  EXPECT_EQ(window.background(), std::nullopt);
}

TEST(FakeDialogWindowControls, ProgressRangeAndPositionReadBack) {
  FakeDialogWindow window;
  window.createProgressControl(control::kGenerationBar, {380, 225, 205, 15}, false);
  window.setProgressBackgroundColour(control::kGenerationBar, {150, 149, 147});
  window.setProgressBarColour(control::kGenerationBar, {255, 0, 0});
  window.setProgressRange(control::kGenerationBar, 0, 84);
  window.setProgressPosition(control::kGenerationBar, 0);
  window.setProgressStep(control::kGenerationBar, 1);
  for (int i = 0; i < 3; ++i) window.stepProgress(control::kGenerationBar);

  EXPECT_EQ(window.progressRange(control::kGenerationBar), (ProgressRange{0, 84}));
  EXPECT_EQ(window.progressPosition(control::kGenerationBar), 3);
  const auto* bar = window.progressControl(control::kGenerationBar);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->steps, 3);
  EXPECT_EQ(bar->model.background(), (Rgb{150, 149, 147}));
  EXPECT_EQ(bar->model.bar(), (Rgb{255, 0, 0}));
  EXPECT_EQ(window.progressRange(control::kPositionBar), (ProgressRange{0, 0}));  // never made
}

TEST(FakeDialogWindowControls, TextStripKeepsColoursAndText) {
  FakeDialogWindow window;
  window.createTextStrip(control::kTextStrip, {15, 530, 300, 15}, {{255, 255, 255}, {77, 84, 87}}, true);
  window.setControlText(control::kTextStrip, "ready");
  const auto* strip = window.textStrip(control::kTextStrip);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->colours.background, (Rgb{77, 84, 87}));
  EXPECT_EQ(strip->text, "ready");
}

TEST(FakeDialogWindowJournal, MarksChangesMadeWhileRedrawingIsLockedAndCountsPaints) {
  FakeDialogWindow window;
  window.createPictureControl(control::kCurrentTime[0], {400, 310, 20, 35}, picture::kDigits[0], true);
  window.lockRedraw();
  window.hideControl(control::kCurrentTime[0]);
  window.repaintNow();  // deferred: no paint while locked
  window.unlockRedraw();
  window.showControl(control::kCurrentTime[0]);
  window.repaintNow();

  EXPECT_THAT(window.calls(), ElementsAre("create picture 1054 (400, 310) 20 x 35 930 shown", "lock",
                                          "hide 1054 [locked]", "repaint [locked]", "unlock", "show 1054",
                                          "repaint"));
  EXPECT_EQ(window.paintCount(), 2);
  EXPECT_EQ(window.lockDepth(), 0);
}

TEST(FakeDialogWindowJournal, UnlockWithoutLockIsAMisuse) {
  FakeDialogWindow window;
  window.unlockRedraw();
  EXPECT_EQ(window.lockDepth(), 0);
  EXPECT_EQ(window.paintCount(), 0);
  EXPECT_EQ(window.misuses().size(), 1u);
}

TEST(FakeDialogWindowBoxes, AnswersFromTheScriptThenNone) {
  FakeDialogWindow window;
  window.queueAnswer(MessageBoxAnswer::kRetry);
  window.queueAnswer(MessageBoxAnswer::kCancel);
  const MessageBoxRequest busy{"Brisolt - File Error", "Can't delete file", MessageBoxIcon::kWarning,
                               MessageBoxButtons::kRetryCancel};
  EXPECT_EQ(window.showMessageBox(busy), MessageBoxAnswer::kRetry);
  EXPECT_EQ(window.showMessageBox(busy), MessageBoxAnswer::kCancel);
  EXPECT_EQ(window.showMessageBox(busy), MessageBoxAnswer::kNone);
  EXPECT_EQ(window.messageBoxes().size(), 3u);
  EXPECT_EQ(window.messageBoxes()[0], busy);
  EXPECT_EQ(window.unusedAnswers(), 0u);

  window.showAbout({"About Brisolt", picture::kAbout, "Brisolt Version 2.1.0"});
  ASSERT_EQ(window.aboutBoxes().size(), 1u);
  EXPECT_EQ(window.aboutBoxes()[0].line, "Brisolt Version 2.1.0");
}

TEST(FakeDialogWindowStartUp, SplashAndWaitAreRecordedWithoutSleeping) {
  FakeDialogWindow window;
  EXPECT_EQ(window.createSplash(PictureId{1}), nullptr);
  {
    auto splash = window.createSplash(picture::kSplash);
    ASSERT_NE(splash, nullptr);
    splash->show();
    EXPECT_TRUE(splash->isVisible());
    const auto deadline = std::chrono::system_clock::now() + std::chrono::hours{1};
    window.waitUntil(deadline);  // returns at once
    ASSERT_EQ(window.waits().size(), 1u);
    EXPECT_EQ(window.waits()[0], deadline);
    splash->hide();
  }
  ASSERT_EQ(window.splashes().size(), 1u);
  EXPECT_EQ(window.splashes()[0].picture, picture::kSplash);
  EXPECT_EQ(window.splashes()[0].shows, 1);
  EXPECT_TRUE(window.splashes()[0].destroyed);
}

// A fake and the events it delivers to; the events outlive the fake.
class FakeDialogWindowDelivery : public ::testing::Test {
 protected:
  RecordingWindowEvents events_;
  FakeDialogWindow window_;
};
using FakeDialogWindowPump = FakeDialogWindowDelivery;

TEST_F(FakeDialogWindowDelivery, RunModalInitialisesThenDeliversUntilTheDialogEnds) {
  events_.onClick = [this](int x, int) {
    if (x == 580) window_.endDialog(1);
  };
  window_.queueClick(124, 120);
  window_.queueKey({Key::kF10, true});
  window_.queueClick(580, 530);
  window_.queueClick(10, 10);  // after the end: not delivered by runModal

  EXPECT_EQ(window_.runModal(events_), 1);
  EXPECT_THAT(events_.got, ElementsAre("init", "click 124 120", "key F10 alt", "click 580 530"));
  EXPECT_EQ(window_.pendingMessages(), 1u);
  EXPECT_EQ(window_.result(), 1);
}

TEST_F(FakeDialogWindowDelivery, RunModalThatRunsDryStaysAttachedForMoreInput) {
  EXPECT_EQ(window_.runModal(events_), FakeDialogWindow::kNotEnded);
  EXPECT_TRUE(window_.isShown());
  window_.pressKey({Key::kEnter, false});
  window_.requestClose();
  EXPECT_THAT(events_.got, ElementsAre("init", "key Enter", "close"));
}

TEST_F(FakeDialogWindowDelivery, EndDialogDuringInitialisationEndsBeforeAnyMessage) {
  events_.onInit = [this] { window_.endDialog(kDialogCancel); };
  window_.queueClick(1, 1);
  EXPECT_EQ(window_.runModal(events_), kDialogCancel);
  EXPECT_FALSE(window_.isShown());
  EXPECT_THAT(events_.got, ElementsAre("init"));
}

TEST_F(FakeDialogWindowDelivery, TicksOfATimerThatIsNotRunningAreDropped) {
  window_.attach(events_);
  window_.tickTimer(timer::kPlayback);
  window_.startTimer(timer::kPlayback, std::chrono::milliseconds{100});
  EXPECT_EQ(window_.timerPeriod(timer::kPlayback), std::chrono::milliseconds{100});
  window_.tickTimer(timer::kPlayback);
  window_.queueTimerTick(timer::kPlayback);
  window_.killTimer(timer::kPlayback);
  window_.dispatchPending();
  EXPECT_THAT(events_.got, ElementsAre("timer 1"));
}

TEST_F(FakeDialogWindowPump, PlatformPumpDeliversOneQueuedMessageInTheMiddleOfAHandler) {
  std::vector<std::string> seenDuringWork;
  events_.onClick = [&](int x, int) {
    if (x != 400) return;  // COMPOSE: a long job that pumps between blocks
    platform::pumpOneMessage();
    seenDuringWork = events_.got;
    platform::pumpOneMessage();
    platform::pumpOneMessage();  // nothing left
  };
  window_.attach(events_);
  window_.queueClick(400, 170);
  window_.queueClick(385, 265);  // Stop
  window_.postMediaNotification(MediaNotification::kAborted);
  window_.dispatchPending();

  EXPECT_THAT(seenDuringWork, ElementsAre("click 400 170", "click 385 265"));
  EXPECT_THAT(events_.got, ElementsAre("click 400 170", "click 385 265", "media aborted"));
  EXPECT_EQ(window_.pumpCalls(), 3);
  EXPECT_EQ(window_.pumpedMessages(), 2);
}

TEST_F(FakeDialogWindowPump, NotificationPostedFromAnotherThreadArrivesWithItsFlag) {
  window_.attach(events_);
  std::thread player([this] { window_.postMediaNotification(MediaNotification::kSuccessful); });
  player.join();
  EXPECT_TRUE(window_.pumpOneMessage());
  EXPECT_FALSE(window_.pumpOneMessage());
  EXPECT_THAT(events_.got, ElementsAre("media successful"));
}

TEST(FakeDialogWindowLifetime, DestroyingTheFakeUninstallsItsPump) {
  RecordingWindowEvents events;
  {
    FakeDialogWindow window;
    window.attach(events);
  }
  platform::pumpOneMessage();  // must not reach the destroyed fake
  EXPECT_THAT(events.got, IsEmpty());
}

TEST(FakeDialogWindowJournal, ProgressAndStartUpCallsAreWrittenAsDocumented) {
  FakeDialogWindow window;
  window.setBackground(picture::kFace);
  window.setClientSize({650, 600});
  window.createProgressControl(control::kPositionBar, {380, 225, 205, 15}, false);
  window.setProgressRange(control::kPositionBar, 0, 323);
  window.setProgressPosition(control::kPositionBar, 12);
  window.setProgressBackgroundColour(control::kPositionBar, {150, 149, 147});
  window.startTimer(timer::kPlayback, std::chrono::milliseconds{100});
  window.endDialog(1);
  EXPECT_THAT(window.calls(),
              ElementsAre("background 1072", "client 650 x 600", "create progress 1059 (380, 225) 205 x 15 hidden",
                          "range 1059 0..323", "position 1059 12", "background colour 1059 rgb(150, 149, 147)",
                          "start timer 1 100 ms", "end dialog 1"));
  window.clearCalls();
  EXPECT_THAT(window.calls(), IsEmpty());
}

TEST(FakeDialogWindowControls, CreatingAgainReplacesThePlaceAndVisibility) {
  FakeDialogWindow window;
  window.createPictureControl(control::kInfoPanel, {0, 0, 10, 10}, picture::kInfoPages[0], false);
  window.createPictureControl(control::kInfoPanel, {80, 450, 500, 70}, picture::kInfoPages[5], true);
  EXPECT_EQ(window.pictureControl(control::kInfoPanel)->place, (Rect{80, 450, 500, 70}));
  EXPECT_EQ(window.pictureOf(control::kInfoPanel), PictureId{1062});
  EXPECT_TRUE(window.isControlVisible(control::kInfoPanel));
  window.createTextStrip(control::kInfoPanel, {0, 0, 1, 1}, {}, true);  // of another kind: refused
  EXPECT_EQ(window.textStrip(control::kInfoPanel), nullptr);
  EXPECT_EQ(window.misuses().size(), 1u);
}

}  // namespace
}  // namespace brisolt::platform
