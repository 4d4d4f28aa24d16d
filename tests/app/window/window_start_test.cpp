// Start-up and close of the main window, and the skinned dialog under it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/window/dialog_sk.h"
#include "platform/window/main_window_ids.h"
#include "platform/window/picture_ids.h"
#include "tests/app/window/window_test_support.h"
#include "tests/support/file_bytes.h"

namespace brisolt::test {
namespace {

namespace control = platform::control;
namespace picture = platform::picture;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

std::size_t indexOf(const std::vector<std::string>& calls, const std::string& call) {
  return static_cast<std::size_t>(std::find(calls.begin(), calls.end(), call) - calls.begin());
}

class WindowStartUp : public WindowTest {};

TEST_F(WindowStartUp, TheSplashIsUpForFiveWholeSecondsBeforeTheFaceIsSet) {
  start();
  ASSERT_EQ(window.splashes().size(), 1u);
  EXPECT_EQ(window.splashes()[0].picture, picture::kSplash);
  EXPECT_EQ(window.splashes()[0].shows, 1);
  EXPECT_FALSE(window.splashes()[0].visible) << "hidden once the wait is over";
  ASSERT_EQ(window.waits().size(), 1u) << "one wait on the clock, not a loop";
  EXPECT_GE(window.waits()[0] - now, std::chrono::seconds{5}) << "deadline from the moment the splash was shown";

  const auto& calls = window.calls();
  EXPECT_LT(indexOf(calls, "splash show"), indexOf(calls, "wait"));
  EXPECT_LT(indexOf(calls, "wait"), indexOf(calls, "splash hide"));
  EXPECT_LT(indexOf(calls, "splash hide"), indexOf(calls, "background 1072"));
}

TEST_F(WindowStartUp, TheFaceSizesTheWindowAndTheDialogIsNotDragged) {
  start();
  EXPECT_EQ(window.background(), picture::kFace);
  EXPECT_EQ(window.clientSize(), (platform::Size{650, 600}));
  EXPECT_EQ(window.icon(), picture::kIcon);
  EXPECT_EQ(window.caption(), "Aurelune V4.0, Tavrin");
  EXPECT_FALSE(dialog->easyMove());
  EXPECT_EQ(dialog->backgroundStyle(), CDialogSK::kSizedToBitmap);
  EXPECT_TRUE(window.misuses().empty()) << window.misuses().front();
}

TEST_F(WindowStartUp, ControlsStartShownOrHiddenAsTheTemplateSays) {
  start();
  for (const platform::ControlId shown :
       {control::kStopLit, control::kComposeLabel, control::kKeySignature, control::kScale, control::kMotifMode,
        control::kPhraseMode, control::kInfoPanel, control::kTextStrip, control::kTotalTime[0], control::kTotalTime[3],
        control::kPhraseCount[0], control::kPhraseCount[1]}) {
    EXPECT_TRUE(window.isControlVisible(shown)) << shown << " should be shown";
  }
  for (const platform::ControlId hidden :
       {control::kRecordLit, control::kPlayLit, control::kPauseLit, control::kDoneLabel, control::kWorkingLabel,
        control::kComposeDottedLabel, control::kGenerationBar, control::kPositionBar, control::kRemainingTimeLabel,
        control::kCurrentTime[0], control::kCurrentTime[3], control::kCurrentPhrase[0], control::kCurrentPhrase[1]}) {
    EXPECT_FALSE(window.isControlVisible(hidden)) << hidden << " should be hidden";
  }
  EXPECT_EQ(pictureNumber(control::kInfoPanel), 1070);
  EXPECT_EQ(dialog->infoPage(), 0);
}

TEST_F(WindowStartUp, TheGenerationBarAndTheTextStripHaveTheirPlacesAndColours) {
  start();
  const auto* bar = window.progressControl(control::kGenerationBar);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->place, (platform::Rect{380, 225, 205, 15}));
  EXPECT_EQ(bar->model.background(), (platform::Rgb{150, 149, 147}));
  EXPECT_EQ(bar->model.bar(), (platform::Rgb{255, 0, 0}));
  const auto* strip = window.textStrip(control::kTextStrip);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->place, (platform::Rect{15, 530, 300, 15}));
  EXPECT_EQ(strip->colours.background, (platform::Rgb{77, 84, 87}));
  EXPECT_EQ(strip->colours.text, (platform::Rgb{255, 255, 255}));
  EXPECT_EQ(strip->text, "");
  EXPECT_EQ(window.pictureControl(control::kPhraseMode)->place, (platform::Rect{105, 260, 240, 35}));
  EXPECT_EQ(window.pictureControl(control::kCurrentPhrase[1])->place, (platform::Rect{540, 310, 20, 35}));
}

TEST_F(WindowStartUp, AProgramFolderLongerThan128CharactersGetsItsOwnSettingsFile) {
  exeFolder = folder().path() + std::string(140, 'd') + "/" + std::string(60, 'e');
  std::filesystem::create_directories(exeFolder);
  start();
  EXPECT_EQ(dialog->folders().exeFolder, exeFolder);
  destroy();
  EXPECT_TRUE(fileExists(exeFolder + "/Brisolt.INI")) << "settings beside the program, not in a folder cut short";
  EXPECT_FALSE(fileExists(exeFolder.substr(0, 128) + "/Brisolt.INI"));
}

TEST_F(WindowStartUp, AnInstalledProgramKeepsItsSettingsInTheUserConfigFolder) {
  exeFolderWritable = false;
  environment["XDG_CONFIG_HOME"] = folder().path() + "config";
  start();
  destroy();
  EXPECT_TRUE(fileExists(folder().path() + "config/brisolt/Brisolt.INI")) << "the folder is made when missing";
  EXPECT_FALSE(fileExists(exeFolder + "/Brisolt.INI"));
}

class WindowClose : public WindowTest {};

TEST_F(WindowClose, ClosesTheDeviceThenDiscardsTheUnsavedSessionThenWritesTheSettings) {
  start();
  window.click(330, 125);  // key signature up: C#
  compose();
  ASSERT_EQ(appState(), playback::kPlaying);
  const std::string prefix = archive() + state().sessionPrefix;
  ASSERT_TRUE(fileExists(prefix + "Pelko.wav"));
  ASSERT_TRUE(fileExists(prefix + "log.txt"));
  const std::size_t cleanupsBefore = cleanups.size();

  window.requestClose();
  EXPECT_THAT(window.endDialogCalls(), ElementsAre(platform::kDialogCancel));
  destroy();

  ASSERT_EQ(cleanups.size(), cleanupsBefore + 1) << "one archive cleanup at destruction";
  EXPECT_FALSE(cleanups.back().deviceOpen) << "\"close all wait\" comes first";
  EXPECT_FALSE(cleanups.back().settingsWritten) << "the settings are written last";
  EXPECT_FALSE(fileExists(prefix + "Pelko.wav"));
  EXPECT_FALSE(fileExists(prefix + "log.txt"));
  const std::string expected = "KeySignature=CD\nScale=Major\nMotifMode=B\nPhraseMode=B\nPhrases=5\nHiFi=On\n";
  EXPECT_EQ(readFileBytes(settingsPath()), Bytes(expected.begin(), expected.end()));
}

TEST_F(WindowClose, ASavedSessionSurvivesTheClose) {
  start();
  compose();
  window.click(400, 270);  // stop
  const std::string mix = state().musicFile;
  window.click(560, 270);  // save, stopped: the whole session
  ASSERT_EQ(window.messageBoxes().back().caption, "Aurelune - Save Session");
  destroy();
  EXPECT_TRUE(fileExists(mix));
}

TEST_F(WindowClose, ExitWhilePausedEndsTheDialogWithoutAStop) {
  start();
  compose();
  window.click(500, 270);  // pause
  ASSERT_EQ(appState(), playback::kPaused);
  playbackCalls.clear();
  window.click(600, 535);  // EXIT
  EXPECT_EQ(window.result(), 1);
  EXPECT_THAT(playbackCalls, Not(Contains("stopPlayback")));
  EXPECT_NE(audio.latest(), nullptr) << "the device is still open when the dialog ends";
  destroy();
  EXPECT_EQ(audio.latest(), nullptr) << "destruction closed every device";
}

TEST_F(WindowClose, ExitWhilePlayingStopsFirst) {
  start();
  compose();
  playbackCalls.clear();
  window.pressKey({platform::Key::kF9});
  EXPECT_EQ(window.result(), 1);
  EXPECT_THAT(playbackCalls, ElementsAre("stopPlayback"));
  EXPECT_EQ(audio.latest(), nullptr);
}

TEST_F(WindowClose, ADialogThatNeverStartedWritesNothing) {
  DialogServices unused{window, composer, mixer, audio, {}, {}, programPlayback(), {}, {}, {}};
  { CBrisoltDlg never(std::move(unused)); }
  EXPECT_FALSE(fileExists(exeFolder + "/Brisolt.INI"));
  EXPECT_FALSE(fileExists("Brisolt.INI"));
}

TEST(SkinnedDialog, APictureWithoutASizeIsRejectedAndLeavesNoFace) {
  platform::FakeDialogWindow window;
  CDialogSK skin(window);
  EXPECT_EQ(skin.setBitmap(platform::PictureId{4242}), 0);
  EXPECT_EQ(skin.bitmap(), std::nullopt);
  skin.setStyle(CDialogSK::kSizedToBitmap);
  EXPECT_EQ(window.clientSize(), (platform::Size{0, 0})) << "no picture, nothing to size to";

  EXPECT_EQ(skin.setBitmap(picture::kFace), 1);
  skin.setStyle(CDialogSK::kSizedToBitmap);
  EXPECT_EQ(window.clientSize(), (platform::Size{650, 600}));
  EXPECT_EQ(window.background(), picture::kFace);
}

TEST(SkinnedDialog, WithoutLayeredWindowsTransparencyDoesNothing) {
  platform::FakeDialogWindow window;
  CDialogSK skin(window);
  EXPECT_EQ(skin.setTransparent(128), 0);
  EXPECT_EQ(skin.setTransparent(255), 0);
  EXPECT_EQ(skin.setTransparentColor({1, 2, 3}, true), 0);
  EXPECT_TRUE(window.calls().empty()) << window.calls().front();
  EXPECT_TRUE(skin.easyMove()) << "easy move is on until switched off";
}

}  // namespace
}  // namespace brisolt::test
