// The SDL window under the dummy video driver: what it composes, what its
// queue delivers and when it paints.
#include "platform/window/sdl/sdl_dialog_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "platform/message_pump.h"
#include "platform/window/main_window_ids.h"
#include "platform/window/picture_ids.h"
#include "platform/window/sdl/sdl_splash_window.h"
#include "tests/support/window/recording_window_events.h"

namespace brisolt::platform {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;

class SdlDialogWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    pictures_ = PictureLibrary::paint(error).release();
    ASSERT_NE(pictures_, nullptr) << error;
  }
  static void TearDownTestSuite() {
    delete pictures_;
    pictures_ = nullptr;
  }

  void SetUp() override {
    std::string error;
    window_ = SdlDialogWindow::create(*pictures_, error);
    ASSERT_NE(window_, nullptr) << error;
    ASSERT_TRUE(window_->setBackground(picture::kFace));
  }

  static Rgb pictureAt(PictureId id, int x, int y) {
    SDL_Surface* surface = pictures_->find(id);
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Rgb colour;
    SDL_GetRGB(reinterpret_cast<const Uint32*>(row)[x], surface->format, &colour.red, &colour.green, &colour.blue);
    return colour;
  }

  void pushClick(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.windowID = SDL_GetWindowID(window_->sdlWindow());
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = x;
    event.button.y = y;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }

  void pushKey(SDL_Keycode code) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SDL_GetWindowID(window_->sdlWindow());
    event.key.keysym.sym = code;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }

  static PictureLibrary* pictures_;
  std::unique_ptr<SdlDialogWindow> window_;
};

PictureLibrary* SdlDialogWindowTest::pictures_ = nullptr;

TEST_F(SdlDialogWindowTest, TheFaceSetsTheClientSizeAndIsDrawnAtTheOrigin) {
  EXPECT_EQ(window_->pictureSize(picture::kFace), (Size{650, 600}));
  window_->setClientSize(*window_->pictureSize(picture::kFace));
  window_->repaintNow();
  int w = 0, h = 0;
  SDL_GetWindowSize(window_->sdlWindow(), &w, &h);
  EXPECT_EQ((Size{w, h}), (Size{650, 600}));
  for (auto [x, y] : {std::pair{0, 0}, std::pair{649, 599}, std::pair{115, 127}})
    EXPECT_EQ(window_->pixelAt(x, y), pictureAt(picture::kFace, x, y)) << x << ", " << y;
  EXPECT_FALSE(window_->setBackground(PictureId{5}));
  EXPECT_FALSE(window_->setIcon(PictureId{5}));
  EXPECT_TRUE(window_->setIcon(picture::kIcon));
}

TEST_F(SdlDialogWindowTest, PictureControlsAreDrawnAtTheirPlaceAndSwapped) {
  window_->createPictureControl(control::kScale, {105, 160, 240, 35}, picture::kScales[0], true);
  window_->repaintNow();
  EXPECT_EQ(window_->pixelAt(105 + 32 + 5, 160 + 27), pictureAt(picture::kScales[0], 37, 27));

  window_->freeControlPicture(control::kScale);
  window_->setControlPicture(control::kScale, picture::kScales[11]);
  window_->repaintNow();
  for (int x = 0; x < 240; x += 7)
    for (int y = 0; y < 35; y += 3)
      ASSERT_EQ(window_->pixelAt(105 + x, 160 + y), pictureAt(picture::kScales[11], x, y)) << x << ", " << y;
}

TEST_F(SdlDialogWindowTest, HiddenControlsAndTheUncoveredPartOfADigitShowTheFace) {
  // A digit picture is 30 high in a 35 high control: the last rows are face.
  window_->createPictureControl(control::kTotalTime[0], {145, 310, 20, 35}, picture::kDigits[8], true);
  window_->createPictureControl(control::kPlayLit, {440, 265, 25, 25}, picture::kPlayLit, false);
  window_->repaintNow();
  EXPECT_EQ(window_->pixelAt(155, 310 + 14), pictureAt(picture::kDigits[8], 10, 14));
  EXPECT_EQ(window_->pixelAt(155, 310 + 32), pictureAt(picture::kFace, 155, 342));
  EXPECT_EQ(window_->pixelAt(452, 277), pictureAt(picture::kFace, 452, 277));

  window_->showControl(control::kPlayLit);
  window_->repaintNow();
  EXPECT_TRUE(window_->isControlVisible(control::kPlayLit));
  EXPECT_EQ(window_->pixelAt(452, 277), pictureAt(picture::kPlayLit, 12, 12));
}

TEST_F(SdlDialogWindowTest, ProgressBarFillsInTheBarColourAndReadsBack) {
  window_->createProgressControl(control::kGenerationBar, {380, 225, 205, 15}, true);
  window_->setProgressBackgroundColour(control::kGenerationBar, {150, 149, 147});
  window_->setProgressBarColour(control::kGenerationBar, {255, 0, 0});
  window_->setProgressRange(control::kGenerationBar, 0, 84);
  window_->setProgressStep(control::kGenerationBar, 1);
  for (int i = 0; i < 42; ++i) window_->stepProgress(control::kGenerationBar);
  window_->repaintNow();

  EXPECT_EQ(window_->progressRange(control::kGenerationBar), (ProgressRange{0, 84}));
  EXPECT_EQ(window_->progressPosition(control::kGenerationBar), 42);
  EXPECT_EQ(window_->pixelAt(430, 232), (Rgb{255, 0, 0}));        // a quarter along: filled
  EXPECT_EQ(window_->pixelAt(560, 232), (Rgb{150, 149, 147}));    // past half: background
  EXPECT_EQ(window_->progressPosition(control::kPositionBar), 0);  // never made
}

TEST_F(SdlDialogWindowTest, TextStripIsFilledWithItsBackground) {
  window_->createTextStrip(control::kTextStrip, {15, 530, 300, 15}, {{255, 255, 255}, {77, 84, 87}}, true);
  window_->repaintNow();
  EXPECT_EQ(window_->pixelAt(200, 537), (Rgb{77, 84, 87}));
  window_->setControlText(control::kTextStrip, "WWWW");
  window_->repaintNow();
  int bright = 0;
  for (int x = 15; x < 60; ++x)
    for (int y = 530; y < 545; ++y) bright += window_->pixelAt(x, y).red > 200;
  EXPECT_GT(bright, 10) << "the white text should show on the strip";
}

TEST_F(SdlDialogWindowTest, LockedRedrawingDefersPaintingUntilTheUnlock) {
  window_->createPictureControl(control::kStopLit, {385, 265, 25, 25}, picture::kStopLit, true);
  window_->repaintNow();
  const int before = window_->framesPainted();

  window_->lockRedraw();
  window_->hideControl(control::kStopLit);
  window_->repaintNow();
  EXPECT_FALSE(window_->pumpOneMessage());  // no dialog running: nothing to pump
  EXPECT_EQ(window_->framesPainted(), before);
  EXPECT_EQ(window_->pixelAt(397, 277), pictureAt(picture::kStopLit, 12, 12)) << "nothing new drawn while locked";

  window_->unlockRedraw();
  EXPECT_EQ(window_->framesPainted(), before + 1);
  EXPECT_EQ(window_->pixelAt(397, 277), pictureAt(picture::kFace, 397, 277));
  window_->unlockRedraw();  // an unlock too many changes nothing
  EXPECT_EQ(window_->framesPainted(), before + 1);
}

TEST_F(SdlDialogWindowTest, PumpDispatchesExactlyOneMessagePerCall) {
  RecordingWindowEvents events;
  std::vector<bool> pumped;
  std::vector<std::size_t> seen;
  events.onInit = [&] {
    pushClick(1, 2);
    pushClick(3, 4);
    pushKey(SDLK_KP_PLUS);
    for (int i = 0; i < 4; ++i) {
      pumped.push_back(window_->pumpOneMessage());
      seen.push_back(events.got.size());
    }
    window_->endDialog(7);
  };
  EXPECT_EQ(window_->runModal(events), 7);
  EXPECT_THAT(pumped, ElementsAre(true, true, true, false));
  EXPECT_THAT(seen, ElementsAre(2u, 3u, 4u, 4u));  // "init" came first
  EXPECT_THAT(events.got, ElementsAre("init", "click 1 2", "click 3 4", "key keypad +"));
}

TEST_F(SdlDialogWindowTest, MessagesQueuedDuringALongJobArriveThroughThePlatformPump) {
  RecordingWindowEvents events;
  events.onInit = [&] { pushClick(400, 170); };
  events.onClick = [&](int x, int) {
    if (x != 400) return;
    pushClick(385, 265);  // Stop, pressed while the job runs
    // A job of blocks of a millisecond pumps after each; the window looks
    // at its queue only every few of them.
    const auto end = std::chrono::steady_clock::now() + 100ms;
    while (std::chrono::steady_clock::now() < end) {
      std::this_thread::sleep_for(1ms);
      platform::pumpOneMessage();
    }
    window_->endDialog(1);
  };
  EXPECT_EQ(window_->runModal(events), 1);
  EXPECT_THAT(events.got, ElementsAre("init", "click 400 170", "click 385 265"));
}

TEST_F(SdlDialogWindowTest, TimerTicksArriveUntilTheTimerIsKilled) {
  RecordingWindowEvents events;
  int ticks = 0;
  events.onInit = [&] { window_->startTimer(timer::kPlayback, 10ms); };
  events.onTick = [&](TimerId) {
    if (++ticks == 3) {
      window_->killTimer(timer::kPlayback);
      window_->startTimer(TimerId{2}, 60ms);  // gives killed ticks time to show up
    }
    if (ticks == 4) window_->endDialog(0);
  };
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(window_->runModal(events), 0);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_THAT(events.got, ElementsAre("init", "timer 1", "timer 1", "timer 1", "timer 2"));
  EXPECT_GE(took, 90ms);
  EXPECT_LT(took, 2s);
}

TEST_F(SdlDialogWindowTest, NotificationPostedFromAnotherThreadArrivesWithItsFlag) {
  RecordingWindowEvents events;
  events.onInit = [&] {
    std::thread player([this] { window_->postMediaNotification(MediaNotification::kFailure); });
    player.join();
  };
  events.onMedia = [&] { window_->endDialog(0); };
  EXPECT_EQ(window_->runModal(events), 0);
  EXPECT_THAT(events.got, ElementsAre("init", "media failure"));
}

TEST_F(SdlDialogWindowTest, CloseRequestReachesTheHandlerWhichEndsTheDialog) {
  RecordingWindowEvents events;
  events.onInit = [&] {
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(window_->sdlWindow());
    SDL_PushEvent(&close);
    pushClick(9, 9);
  };
  events.onClick = [&](int, int) { window_->endDialog(kDialogCancel); };
  EXPECT_EQ(window_->runModal(events), kDialogCancel);
  EXPECT_THAT(events.got, ElementsAre("init", "close", "click 9 9"));
}

TEST_F(SdlDialogWindowTest, RunModalShowsTheWindowAfterInitAndPaintsIt) {
  RecordingWindowEvents events;
  bool shownDuringInit = true;
  int framesBefore = 0;
  events.onInit = [&] {
    shownDuringInit = (SDL_GetWindowFlags(window_->sdlWindow()) & SDL_WINDOW_SHOWN) != 0;
    framesBefore = window_->framesPainted();
    window_->postMediaNotification(MediaNotification::kSuccessful);
  };
  events.onMedia = [&] {
    EXPECT_TRUE(SDL_GetWindowFlags(window_->sdlWindow()) & SDL_WINDOW_SHOWN);
    window_->endDialog(3);
  };
  EXPECT_EQ(window_->runModal(events), 3);
  EXPECT_FALSE(shownDuringInit);
  EXPECT_GT(window_->framesPainted(), framesBefore);
  EXPECT_FALSE(SDL_GetWindowFlags(window_->sdlWindow()) & SDL_WINDOW_SHOWN);
}

TEST_F(SdlDialogWindowTest, MessageBoxWithoutADisplayAnswersNoneAndPrintsItsText) {
  const auto start = std::chrono::steady_clock::now();
  testing::internal::CaptureStderr();
  EXPECT_EQ(window_->showMessageBox({"Brisolt - Save Session", "Nothing to save!", MessageBoxIcon::kInformation,
                                     MessageBoxButtons::kOk}),
            MessageBoxAnswer::kNone);
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_NE(printed.find("Brisolt - Save Session: Nothing to save!"), std::string::npos) << printed;
}

TEST_F(SdlDialogWindowTest, AboutBoxClosesOnEnterAndKeepsTheKeyFromTheMainWindow) {
  RecordingWindowEvents events;
  events.onInit = [&] {
    pushKey(SDLK_RETURN);
    window_->showAbout({"About Brisolt", picture::kAbout, "Brisolt Version 2.1.0"});
    pushClick(5, 5);
  };
  events.onClick = [&](int, int) { window_->endDialog(0); };
  EXPECT_EQ(window_->runModal(events), 0);
  EXPECT_THAT(events.got, ElementsAre("init", "click 5 5"));
}

TEST_F(SdlDialogWindowTest, SplashIsItsPictureAndWaitingKeepsMessagesQueued) {
  EXPECT_EQ(window_->createSplash(PictureId{5}), nullptr);
  auto splash = window_->createSplash(picture::kSplash);
  ASSERT_NE(splash, nullptr);
  splash->show();
  EXPECT_TRUE(splash->isVisible());
  const auto size = window_->pictureSize(picture::kSplash);
  int w = 0, h = 0;
  SDL_GetWindowSize(static_cast<SdlSplashWindow*>(splash.get())->window(), &w, &h);
  EXPECT_EQ((Size{w, h}), size);

  pushClick(7, 7);
  const auto start = std::chrono::system_clock::now();
  window_->waitUntil(start + 120ms);
  EXPECT_GE(std::chrono::system_clock::now() - start, 120ms);
  splash->hide();
  EXPECT_FALSE(splash->isVisible());

  RecordingWindowEvents events;
  events.onClick = [&](int, int) { window_->endDialog(0); };
  window_->runModal(events);
  EXPECT_THAT(events.got, ElementsAre("init", "click 7 7")) << "the click made during the wait must still arrive";
}

TEST_F(SdlDialogWindowTest, LaterControlsAreDrawnOverEarlierOnesAndOnlyLeftClicksCount) {
  window_->createPictureControl(control::kComposeLabel, {400, 170, 160, 25}, picture::kCompose, true);
  window_->createPictureControl(control::kWorkingLabel, {400, 170, 160, 25}, picture::kWorking, true);
  window_->repaintNow();
  EXPECT_EQ(window_->pixelAt(480, 182), pictureAt(picture::kWorking, 80, 12));
  window_->hideControl(control::kWorkingLabel);
  window_->repaintNow();
  EXPECT_EQ(window_->pixelAt(480, 182), pictureAt(picture::kCompose, 80, 12));

  RecordingWindowEvents events;
  events.onInit = [&] {
    SDL_Event right{};
    right.type = SDL_MOUSEBUTTONDOWN;
    right.button.windowID = SDL_GetWindowID(window_->sdlWindow());
    right.button.button = SDL_BUTTON_RIGHT;
    SDL_PushEvent(&right);
    pushClick(2, 2);
  };
  events.onClick = [&](int, int) { window_->endDialog(0); };
  window_->runModal(events);
  EXPECT_THAT(events.got, ElementsAre("init", "click 2 2"));
}

TEST_F(SdlDialogWindowTest, ADueTimerWaitsUntilTheQueuedInputIsHandled) {
  RecordingWindowEvents events;
  events.onInit = [&] {
    window_->startTimer(timer::kPlayback, 1ms);
    std::this_thread::sleep_for(5ms);  // the tick is due before the clicks are handled
    pushClick(1, 1);
    pushClick(2, 2);
  };
  events.onTick = [&](TimerId) { window_->endDialog(0); };
  window_->runModal(events);
  EXPECT_THAT(events.got, ElementsAre("init", "click 1 1", "click 2 2", "timer 1"));
}

TEST_F(SdlDialogWindowTest, RecreatingAControlAsAnotherKindReplacesIt) {
  window_->createPictureControl(ControlId{77}, {0, 0, 20, 35}, picture::kDigits[1], true);
  window_->createProgressControl(ControlId{77}, {0, 0, 100, 15}, true);
  window_->setProgressRange(ControlId{77}, 0, 10);
  window_->setProgressPosition(ControlId{77}, 4);
  window_->setControlPicture(ControlId{77}, picture::kDigits[2]);  // no longer a picture: ignored
  EXPECT_EQ(window_->progressPosition(ControlId{77}), 4);
  window_->repaintNow();
  EXPECT_EQ(window_->pixelAt(10, 7), kDefaultProgressBar);
}

TEST_F(SdlDialogWindowTest, TimerTicksAndNotificationsGoOnBehindTheAboutBox) {
  RecordingWindowEvents events;
  int ticks = 0;
  events.onInit = [&] {
    window_->startTimer(timer::kPlayback, 5ms);
    window_->postMediaNotification(MediaNotification::kSuccessful);
    window_->showAbout({"About Brisolt", picture::kAbout, "Brisolt Version 2.1.0"});
    window_->endDialog(0);
  };
  events.onTick = [&](TimerId) {
    if (++ticks == 2) pushKey(SDLK_ESCAPE);  // closes the box
  };
  window_->runModal(events);
  EXPECT_GE(ticks, 2);
  ASSERT_GE(events.got.size(), 2u);
  EXPECT_EQ(events.got[1], "media successful") << "the first message after init";
}

}  // namespace
}  // namespace brisolt::platform
