// The five settings in the window: loading from Brisolt.INI by stepping,
// the arrows and their edges, the range ends, the phrase digits and the
// total time.
#include <gtest/gtest.h>

#include "app/window/settings_panel.h"
#include "platform/window/main_window_ids.h"
#include "tests/app/window/window_test_support.h"
#include "tests/support/file_bytes.h"

namespace brisolt::test {
namespace {

namespace control = platform::control;

class WindowSettings : public WindowTest {
 protected:
  std::string totalTime() const {
    return digits({control::kTotalTime.begin(), control::kTotalTime.end()});
  }
  std::string phraseDigits() const { return digits({control::kPhraseCount.begin(), control::kPhraseCount.end()}); }
  // Clicks and expects no call at all on the window.
  void expectNothingFrom(int x, int y, const char* what) {
    window.clearCalls();
    window.click(x, y);
    EXPECT_TRUE(window.calls().empty()) << what << ": " << window.calls().front();
  }
};

TEST_F(WindowSettings, WithoutAFileTheDefaultsAreShown) {
  start();
  EXPECT_EQ(pictureNumber(control::kKeySignature), 944);
  EXPECT_EQ(pictureNumber(control::kScale), 957);
  EXPECT_EQ(pictureNumber(control::kMotifMode), 971);
  EXPECT_EQ(pictureNumber(control::kPhraseMode), 992);
  EXPECT_EQ(phraseDigits(), "05");
  EXPECT_EQ(totalTime(), "0523");
}

TEST_F(WindowSettings, LoadingStepsEachPictureUpFromTheLowestValue) {
  writeSettings("KeySignature=FG\nScale=Blues\nMotifMode=A\nPhraseMode=d\nPhrases=7\n");
  start();
  EXPECT_EQ(dialog->settings().keySignature, 7);
  EXPECT_EQ(pictureNumber(control::kKeySignature), 951);
  EXPECT_EQ(pictureNumber(control::kScale), 969);
  EXPECT_EQ(pictureNumber(control::kMotifMode), 970) << "A is shown although no step was taken";
  EXPECT_EQ(dialog->settings().phraseMode, 11) << "lower-case d steps past L and stops there";
  EXPECT_EQ(pictureNumber(control::kPhraseMode), 1002);
  EXPECT_EQ(phraseDigits(), "07");
  EXPECT_EQ(totalTime(), "0731");  // 7 x 64 + 3 = 451 s
  EXPECT_EQ(callsStartingWith("picture 1119").size(), 7u) << "shown at C, then stepped six times";
}

TEST_F(WindowSettings, TheRenditionStaysOffWhenTheFileSaysSo) {
  writeSettings("Phrases=7\nHiFi=Off\n");
  start();
  EXPECT_FALSE(dialog->settings().hifi);
  compose();
  EXPECT_EQ(window.progressControl(control::kGenerationBar)->model.range(), (platform::ProgressRange{0, 84}))
      << "the bar holds the render's steps alone";
  destroy();
  const Bytes written = readFileBytes(settingsPath());
  EXPECT_TRUE(std::string(written.begin(), written.end()).ends_with("\nHiFi=Off\n")) << "and is saved so again";
}

TEST_F(WindowSettings, SevenPhrasesStepInFivesFromWhereTheyStand) {
  writeSettings("Phrases=7\n");
  start();
  window.click(330, 320);  // phrase count up
  EXPECT_EQ(dialog->settings().phraseCount, 12);
  EXPECT_EQ(phraseDigits(), "12");
  EXPECT_EQ(totalTime(), "1251");  // 771 s
  window.click(110, 320);
  window.click(110, 320);  // 7, then 5 (not 2)
  EXPECT_EQ(dialog->settings().phraseCount, 5);
}

TEST_F(WindowSettings, RangeEndsChangeAndRedrawNothing) {
  writeSettings("KeySignature=B\nScale=Blues\nMotifMode=L\nPhraseMode=L\nPhrases=90\n");
  start();
  EXPECT_EQ(totalTime(), "9603");
  expectNothingFrom(330, 120, "key signature past B");
  expectNothingFrom(330, 170, "scale past Blues");
  expectNothingFrom(330, 220, "motif mode past L");
  expectNothingFrom(330, 270, "phrase mode past L");
  expectNothingFrom(330, 320, "phrases past 90");
  EXPECT_EQ(dialog->settingsPanel().stepKeySignature(+1), kStepRefused);
  EXPECT_EQ(dialog->settingsPanel().stepPhraseCount(+1, false), kStepRefused);
}

TEST_F(WindowSettings, LowEndsChangeAndRedrawNothing) {
  writeSettings("MotifMode=A\nPhraseMode=A\n");
  start();
  expectNothingFrom(110, 120, "key signature below C");
  expectNothingFrom(110, 170, "scale below Major");
  expectNothingFrom(110, 220, "motif mode below A");
  expectNothingFrom(110, 270, "phrase mode below A");
  expectNothingFrom(110, 320, "phrases below 5");
}

TEST_F(WindowSettings, AStepFreesTheOldPictureAndShowsTheNext) {
  start();
  window.clearCalls();
  window.click(330, 170);  // scale up
  EXPECT_EQ(window.calls(), (std::vector<std::string>{"free 1120", "picture 1120 958"}));
  EXPECT_EQ(dialog->settings().scale, 1);
}

TEST_F(WindowSettings, TheKeyArrowEndsJustBeforeX125) {
  writeSettings("KeySignature=D\n");
  start();
  window.click(125, 120);
  EXPECT_EQ(dialog->settings().keySignature, 3) << "(125, 120) is outside the left arrow";
  window.click(124, 120);
  EXPECT_EQ(dialog->settings().keySignature, 2) << "(124, 120) is inside";
  EXPECT_EQ(pictureNumber(control::kKeySignature), 945);
}

TEST_F(WindowSettings, ThePhraseModeArrowsReachOnlyToY280) {
  start();
  window.click(330, 285);
  EXPECT_EQ(dialog->settings().phraseMode, 1) << "(330, 285) is below the phrase mode spot";
  window.click(330, 275);
  EXPECT_EQ(dialog->settings().phraseMode, 2);
}

TEST_F(WindowSettings, SettingsDoNotChangeWhilePlaying) {
  start();
  compose();
  ASSERT_EQ(appState(), playback::kPlaying);
  expectNothingFrom(330, 120, "key signature while playing");
  expectNothingFrom(330, 320, "phrases while playing");
  EXPECT_EQ(dialog->settings().keySignature, 1);
}

TEST(TotalTime, IsSixtyFourSecondsAPhraseAndThreeMore) {
  EXPECT_EQ(estimatedLengthSeconds(5, kPieceTempo), 323);
  EXPECT_EQ(estimatedLengthSeconds(90, kPieceTempo), 5763);
  EXPECT_EQ(estimatedLengthSeconds(5, "90"), 216);  // 5 x 42.666 + 3 = 216.33
}

}  // namespace
}  // namespace brisolt::test
