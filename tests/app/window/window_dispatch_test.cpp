// The hot spots and keys of the main window: the table, what acts in which
// state, the information panel, help and the About box.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <thread>

#include "compose/data_text.h"
#include "app/window/help_page.h"
#include "app/window/hot_spots.h"
#include "app/window/key_filter.h"
#include "platform/window/main_window_ids.h"
#include "platform/window/pictures/face_layout.h"
#include "platform/window/picture_ids.h"
#include "tests/app/window/window_test_support.h"
#include "tests/support/file_bytes.h"

namespace brisolt::test {
namespace {

namespace control = platform::control;
using platform::Key;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(HotSpotTable, HoldsEveryActionOnceWithTheAlwaysSpotsFirst) {
  const auto& table = hotSpotTable();
  std::set<HotSpotAction> seen;
  for (const HotSpot& spot : table) EXPECT_TRUE(seen.insert(spot.action).second) << hotSpotName(spot.action) << " twice";
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(HotSpotAction::kCompose) + 1);
  EXPECT_EQ(table.front().action, HotSpotAction::kPhraseBack);
  EXPECT_EQ(table.back().action, HotSpotAction::kCompose);
  EXPECT_EQ(table.back().place, (platform::Rect{400, 170, 160, 25}));
}

TEST(HotSpotTable, TheFaceIsDrawnWhereTheSpotsAre) {
  // The pictures of the face are painted at these places; a spot that moved
  // alone would be a button nobody can see.
  namespace layout = platform::layout;
  const std::pair<HotSpotAction, platform::Rect> drawn[] = {
      {HotSpotAction::kPhraseBack, layout::kPhraseBack},    {HotSpotAction::kPhraseForward, layout::kPhraseForward},
      {HotSpotAction::kInfoPrevious, layout::kInfoLeft},    {HotSpotAction::kInfoNext, layout::kInfoRight},
      {HotSpotAction::kExit, layout::kExit},                {HotSpotAction::kStop, layout::kStop},
      {HotSpotAction::kPlay, layout::kPlay},                {HotSpotAction::kPause, layout::kPause},
      {HotSpotAction::kRecord, layout::kRecord},            {HotSpotAction::kHelp, layout::kHelp},
      {HotSpotAction::kPhraseCountUp, layout::kPhraseCountUp}, {HotSpotAction::kPhraseCountDown, layout::kPhraseCountDown},
      {HotSpotAction::kCompose, layout::kCompose}};
  for (const auto& [action, place] : drawn) EXPECT_EQ(hotSpotPlace(action), place) << hotSpotName(action);
}

TEST(HotSpotTable, NoTwoSpotsOverlap) {
  // With no overlaps, the order of testing matters only for the idle gate.
  const auto& table = hotSpotTable();
  for (std::size_t a = 0; a < table.size(); ++a) {
    for (std::size_t b = a + 1; b < table.size(); ++b) {
      const auto& p = table[a].place;
      const auto& q = table[b].place;
      const bool apart = p.x + p.width <= q.x || q.x + q.width <= p.x || p.y + p.height <= q.y || q.y + q.height <= p.y;
      EXPECT_TRUE(apart) << hotSpotName(table[a].action) << " overlaps " << hotSpotName(table[b].action);
    }
  }
}

TEST(HotSpotTable, AMalformedTableIsRefused) {
  EXPECT_THROW(readHotSpots("play 1 2 3\n"), std::logic_error) << "too few fields";
  EXPECT_THROW(readHotSpots("dance 1 2 3 4 always next\n"), std::logic_error) << "unknown action";
  EXPECT_THROW(readHotSpots("play 10 5 3 4 always next\n"), std::logic_error) << "right before left";
  EXPECT_THROW(readHotSpots("play 1 2 3 4 sometimes next\n"), std::logic_error);
  EXPECT_THROW(readHotSpots("compose 1 2 3 4 idle next\nplay 5 6 7 8 always next\n"), std::logic_error)
      << "an always spot after the idle gate";
  const auto spots = readHotSpots("# comment\nexit 580 620 530 545 always stop\n");
  ASSERT_EQ(spots.size(), 1u);
  EXPECT_EQ(spots[0].place, (platform::Rect{580, 530, 40, 15}));
  EXPECT_TRUE(spots[0].stops);
  EXPECT_FALSE(spots[0].idleOnly);
}

TEST(HotSpotTable, AFaultNamesTheFileAndTheLine) {
  try {
    readHotSpots("# the face\nexit 580 620 530 545 always stop\ndance 1 2 3 4 always next\n");
    FAIL() << "an unknown action was accepted";
  } catch (const compose::DataTextError& error) {
    EXPECT_EQ(std::string(error.what()), "Line 3 of hot_spots.txt: unknown action 'dance'");
  }
}

TEST(KeyFilter, MapsTheWindowsKeys) {
  EXPECT_EQ(filterKey({Key::kF10, false}), KeyAction::kSwallow);
  EXPECT_EQ(filterKey({Key::kF10, true}), KeyAction::kNone);
  EXPECT_EQ(filterKey({Key::kF1, false}), KeyAction::kSwallow);
  EXPECT_EQ(filterKey({Key::kEnter, false}), KeyAction::kCompose);
  EXPECT_EQ(filterKey({Key::kLetterX, false}), KeyAction::kExit);
  EXPECT_EQ(filterKey({Key::kLetterH, false}), KeyAction::kToggleHiFi);
  EXPECT_EQ(filterKey({Key::kF9, false}), KeyAction::kExit);
  EXPECT_EQ(filterKey({Key::kOther, false}), KeyAction::kNone);
  // With Alt held every key is a system key and none of the window's.
  for (const Key key : {Key::kEnter, Key::kKeypadPlus, Key::kKeypadMinus, Key::kLetterX, Key::kF9, Key::kF1, Key::kF2}) {
    EXPECT_EQ(filterKey({key, true}), KeyAction::kNone) << "key " << static_cast<int>(key) << " with Alt";
  }
}

class WindowDispatch : public WindowTest {};

TEST_F(WindowDispatch, ComposeAndEnterAreRefusedWhilePlaying) {
  start();
  compose();
  ASSERT_EQ(appState(), playback::kPlaying);
  ASSERT_EQ(renders.size(), 1u);
  window.click(450, 180);
  window.pressKey({Key::kEnter});
  EXPECT_EQ(renders.size(), 1u) << "no second Generate while playing";
  EXPECT_EQ(appState(), playback::kPlaying);
}

TEST_F(WindowDispatch, AnActionRunByNameKeepsTheIdleRuleOfItsSpot) {
  start();
  compose();
  ASSERT_EQ(appState(), playback::kPlaying);
  dialog->runAction(HotSpotAction::kCompose);
  EXPECT_EQ(renders.size(), 1u) << "compose works only while idle, however it is asked for";
  dialog->runAction(HotSpotAction::kPause);
  EXPECT_EQ(appState(), playback::kPaused) << "pause works in any state";
  dialog->runAction(HotSpotAction::kStop);
  ASSERT_EQ(appState(), playback::kIdle);
  dialog->runAction(HotSpotAction::kCompose);
  EXPECT_EQ(renders.size(), 2u);
}

TEST_F(WindowDispatch, EnterComposesWhileIdle) {
  start();
  window.pressKey({Key::kEnter});
  EXPECT_EQ(renders.size(), 1u);
}

TEST_F(WindowDispatch, KeypadPlusAddsPhrasesWhenIdleAndJumpsAPhraseWhenPlaying) {
  start();
  window.pressKey({Key::kKeypadPlus});
  EXPECT_EQ(dialog->settings().phraseCount, 10);
  window.pressKey({Key::kKeypadMinus});
  EXPECT_EQ(dialog->settings().phraseCount, 5);
  compose();
  ASSERT_EQ(appState(), playback::kPlaying);
  playbackCalls.clear();
  window.pressKey({Key::kKeypadPlus});
  window.pressKey({Key::kKeypadMinus});
  EXPECT_THAT(playbackCalls, ElementsAre("seekPhrase 1", "seekPhrase -1"));
  EXPECT_EQ(dialog->settings().phraseCount, 5) << "the phrase count is left alone while playing";
}

TEST_F(WindowDispatch, TheInformationPanelStopsAtItsFirstAndLastPage) {
  start();
  window.clearCalls();
  window.click(50, 460);
  EXPECT_THAT(window.calls(), IsEmpty()) << "no page before the title page";
  for (int page = 1; page <= 5; ++page) window.click(600, 470);
  EXPECT_EQ(dialog->infoPage(), 5);
  EXPECT_EQ(pictureNumber(control::kInfoPanel), 1062);
  window.clearCalls();
  window.click(600, 470);
  EXPECT_THAT(window.calls(), IsEmpty()) << "no page after page 5";
  window.click(60, 470);
  EXPECT_EQ(pictureNumber(control::kInfoPanel), 1061);
}

TEST_F(WindowDispatch, ThePanelPagesTurnInAnyState) {
  start();
  compose();
  window.click(600, 470);
  EXPECT_EQ(dialog->infoPage(), 1);
}

TEST_F(WindowDispatch, F1AndF10AreSwallowed) {
  start();
  window.clearCalls();
  window.pressKey({Key::kF1});
  window.pressKey({Key::kF10});
  window.pressKey({Key::kF10, true});
  EXPECT_THAT(window.calls(), IsEmpty());
  EXPECT_THAT(openedUrls, IsEmpty()) << "F1 is not help";
}

TEST_F(WindowDispatch, XEndsTheDialog) {
  start();
  window.pressKey({Key::kLetterX});
  EXPECT_EQ(window.result(), 1);
}

TEST_F(WindowDispatch, HTurnsTheMidiAndRenditionOffAndOnAndTheSettingsFileKeepsIt) {
  start();
  ASSERT_TRUE(dialog->settings().hifi) << "on by default";
  window.pressKey({Key::kLetterH});
  EXPECT_FALSE(dialog->settings().hifi);
  window.pressKey({Key::kLetterH});
  EXPECT_TRUE(dialog->settings().hifi);
  window.pressKey({Key::kLetterH});
  window.requestClose();
  destroy();
  const test::Bytes written = test::readFileBytes(settingsPath());
  EXPECT_TRUE(std::string(written.begin(), written.end()).ends_with("\nHiFi=Off\n"));
}

TEST_F(WindowDispatch, F2AndTheTitleShowTheAboutBoxInAnyState) {
  start();
  window.pressKey({Key::kF2});
  window.click(100, 40);
  compose();
  window.click(200, 60);
  ASSERT_EQ(window.aboutBoxes().size(), 3u);
  EXPECT_EQ(window.aboutBoxes()[0],
            (platform::AboutRequest{"About Brisolt", platform::picture::kAbout, "Brisolt Version 2.1.0"}));
}

TEST_F(WindowDispatch, HelpOpensThePageBesideTheProgramAtItsStart) {
  start();
  window.click(510, 130);
  ASSERT_EQ(openedUrls.size(), 1u);
  EXPECT_EQ(openedUrls[0], "file://" + exeFolder + "/brisolt.html#context-20");
  EXPECT_THAT(window.messageBoxes(), IsEmpty());
}

TEST_F(WindowDispatch, AMissingHelpPageOrOpenerIsToldNotFatal) {
  std::filesystem::remove(exeFolder + "/brisolt.html");
  start();
  window.click(510, 130);
  EXPECT_THAT(openedUrls, IsEmpty());
  ASSERT_EQ(window.messageBoxes().size(), 1u);
  EXPECT_EQ(window.messageBoxes()[0].caption, "Brisolt - Help");
  EXPECT_THAT(window.messageBoxes()[0].text, ::testing::HasSubstr(exeFolder + "/brisolt.html"));

  writeFileBytes(exeFolder + "/brisolt.html", {'<'});
  openerProblem = "xdg-open was not found on $PATH.";
  window.click(510, 130);
  ASSERT_EQ(window.messageBoxes().size(), 2u);
  EXPECT_EQ(window.messageBoxes()[1].text, "xdg-open was not found on $PATH.");
}

TEST(HelpPage, TheUrlEscapesThePathAndOpensAtContext20) {
  EXPECT_EQ(helpPageUrl("/opt/My Music/brisolt.html"), "file:///opt/My%20Music/brisolt.html#context-20");
  EXPECT_EQ(helpPageUrl("/a/b#c%.html"), "file:///a/b%23c%25.html#context-20");
}

// Runs with $PATH set to one folder of the test's own.
class XdgOpen : public TempFolderTest {
 protected:
  XdgOpen() : saved_(std::getenv("PATH") ? std::getenv("PATH") : "") { ::setenv("PATH", folder().path().c_str(), 1); }
  ~XdgOpen() override { ::setenv("PATH", saved_.c_str(), 1); }

 private:
  std::string saved_;
};

TEST_F(XdgOpen, AMissingOpenerIsNamedWithWhatToInstall) {
  const auto problem = openWithXdgOpen("file:///x.html#context-20");
  ASSERT_TRUE(problem.has_value());
  EXPECT_THAT(*problem, ::testing::HasSubstr("xdg-open was not found"));
  EXPECT_THAT(*problem, ::testing::HasSubstr("file:///x.html#context-20"));
}

TEST_F(XdgOpen, TheOpenerRunsInTheBackgroundWithTheUrl) {
  const std::string opened = folder().file("opened");
  const std::string script = "#!/bin/sh\n/bin/sleep 1\necho \"$1\" > \"${0%/*}/opened\"\n";
  writeFileBytes(folder().file("xdg-open"), Bytes(script.begin(), script.end()));
  std::filesystem::permissions(folder().file("xdg-open"), std::filesystem::perms::owner_all);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(openWithXdgOpen("file:///a%20b.html#context-20"), std::nullopt);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds{900}) << "the window did not wait";
  for (int i = 0; i < 100 && readFileBytes(opened).empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds{50});
  const Bytes got = readFileBytes(opened);
  EXPECT_EQ(std::string(got.begin(), got.end()), "file:///a%20b.html#context-20\n");
}

TEST(HelpPage, ThePageHasTheStartAnchor) {
  std::ifstream page(BRISOLT_SOURCE_DIR "/app/help/Brisolt.html");
  const std::string text((std::istreambuf_iterator<char>(page)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("id=\"context-20\""), std::string::npos);
}

TEST_F(WindowDispatch, TheCloseBoxEndsTheDialogAsCancel) {
  start();
  window.requestClose();
  EXPECT_EQ(window.result(), platform::kDialogCancel);
}

TEST_F(WindowDispatch, PlaybackTransportFollowsTheButtons) {
  start();
  compose();
  ASSERT_EQ(appState(), playback::kPlaying);
  EXPECT_TRUE(window.isControlVisible(control::kPlayLit));
  EXPECT_FALSE(window.isControlVisible(control::kStopLit));
  window.click(500, 270);
  EXPECT_EQ(appState(), playback::kPaused);
  EXPECT_TRUE(window.isControlVisible(control::kPauseLit));
  window.click(500, 270);
  EXPECT_EQ(appState(), playback::kPlaying);
  audio.advance(std::chrono::milliseconds{1500});
  window.tickTimer(platform::timer::kPlayback);
  EXPECT_EQ(digits({control::kCurrentTime.begin(), control::kCurrentTime.end()}), "0001");
  EXPECT_EQ(digits({control::kCurrentPhrase.begin(), control::kCurrentPhrase.end()}), "01");
  window.click(395, 270);  // stop
  EXPECT_EQ(appState(), playback::kIdle);
  EXPECT_TRUE(window.isControlVisible(control::kStopLit));
  EXPECT_FALSE(window.isControlVisible(control::kCurrentTime[0]));
}

}  // namespace
}  // namespace brisolt::test
