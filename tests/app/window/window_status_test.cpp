// The status strip, the keys beyond the hot spots and the session-id entry,
// on the recording fake: what the strip says in each state, the keys by
// the action they run, and a piece made again from its session id.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "app/cli/compose_command.h"
#include "app/window/generate_step_costs.h"
#include "app/window/remaining_time_estimate.h"
#include "app/window/status_line.h"
#include "platform/message_pump.h"
#include "platform/window/main_window_ids.h"
#include "platform/window/number_entry_model.h"
#include "session/generation_progress.h"
#include "tests/app/window/window_test_support.h"
#include "tests/support/file_bytes.h"

namespace brisolt::test {
namespace {

namespace control = platform::control;
using platform::EntryEnd;
using platform::EntryKey;
using platform::Key;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

// ---- The lines

TEST(StatusLine, APieceIsItsSessionIdAndSettings) {
  const PieceSummary piece{1172353556, "C", "Major", 1, 1, 5};
  EXPECT_EQ(pieceStatus(piece), "Session 1172353556 \u00B7 C Major \u00B7 B/B \u00B7 5 phrases");
  const PieceSummary other{7, "F#", "Minor Melodic", 0, 11, 90};
  EXPECT_EQ(pieceStatus(other), "Session 7 \u00B7 F# Minor Melodic \u00B7 A/L \u00B7 90 phrases");
}

TEST(StatusLine, NoSoundSaysWhyAndWhereThePieceIs) {
  const std::string line = noSoundStatus("no audio driver 'nonexistent'", "/home/u/Archive/260101_Pelko.wav");
  EXPECT_THAT(line, StartsWith("No sound output device (no audio driver 'nonexistent')"));
  EXPECT_THAT(line, HasSubstr("the piece is in /home/u/Archive/260101_Pelko.wav"));
}

// ---- The number entry

platform::NumberEntryRequest entryRequest() {
  return {"caption", "prompt", 4, [](const std::string& digits) -> std::optional<std::string> {
            if (digits == "13") return "unlucky";
            return std::nullopt;
          }};
}

TEST(NumberEntry, DigitsAndBackspaceEditTheText) {
  platform::NumberEntryModel entry(entryRequest());
  entry.type("12");
  EXPECT_FALSE(entry.key(EntryKey::kBackspace));
  entry.type("5");
  EXPECT_EQ(entry.digits(), "15");
  EXPECT_EQ(entry.key(EntryKey::kEnter), EntryEnd::kAccepted);
}

TEST(NumberEntry, RefusesOtherKeysTooManyDigitsAndWhatTheCheckRefuses) {
  platform::NumberEntryModel entry(entryRequest());
  entry.type("1a");
  EXPECT_EQ(entry.digits(), "1");
  EXPECT_THAT(entry.problem(), HasSubstr("digits"));
  entry.type("3");
  EXPECT_EQ(entry.key(EntryKey::kEnter), std::nullopt) << "the check refuses 13";
  EXPECT_EQ(entry.problem(), "unlucky");
  entry.type("456");
  EXPECT_EQ(entry.digits(), "1345") << "four digits at most";
  EXPECT_THAT(entry.problem(), HasSubstr("At most 4"));
}

TEST(NumberEntry, EnterWithNothingTypedIsRefusedAndEscLeaves) {
  platform::NumberEntryModel entry(entryRequest());
  EXPECT_EQ(entry.key(EntryKey::kEnter), std::nullopt);
  EXPECT_FALSE(entry.problem().empty());
  EXPECT_EQ(entry.key(EntryKey::kEscape), EntryEnd::kCancelled);
}

// ---- The strip in the window

class StatusStrip : public WindowTest {
 protected:
  std::string strip() const { return window.textStrip(control::kTextStrip)->text; }
};

TEST_F(StatusStrip, IsEmptyAtStartAndNamesTheSessionAfterGenerate) {
  start();
  EXPECT_EQ(strip(), "");
  compose();
  ASSERT_EQ(renders.size(), 1u);
  const auto& plan = renders[0].plan;
  EXPECT_EQ(strip(), "Session " + std::to_string(plan.sessionId) + " \u00B7 " + plan.keyDisplayName + " Major" +
                         " \u00B7 B/B \u00B7 5 phrases");
}

TEST_F(StatusStrip, SaysWhatGenerateIsDoingWhileItRuns) {
  // Without the rendition the bar is the render's alone.
  writeSettings("KeySignature=CD\nScale=Major\nMotifMode=B\nPhraseMode=B\nPhrases=5\nHiFi=Off\n");
  start();
  std::vector<std::string> seen;
  onRenderStep = [this, &seen](int step, render::RenderHost&) -> std::optional<int> {
    if (step == 0 || step == 41) seen.push_back(strip());
    return std::nullopt;
  };
  compose();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_THAT(seen[0], StartsWith("Composing session " + std::to_string(renders[0].plan.sessionId)));
  EXPECT_THAT(seen[0], HasSubstr(": 2 %"));
  EXPECT_THAT(seen[1], HasSubstr(": 51 %"));
}

TEST_F(StatusStrip, SaysThatStopDiscardedThePiece) {
  start();
  onRenderStep = [this](int step, render::RenderHost&) -> std::optional<int> {
    if (step == 10) window.queueClick(395, 270);  // Stop, taken by the render's pump
    platform::pumpOneMessage();
    return std::nullopt;
  };
  compose();
  EXPECT_EQ(state().musicFile, "");
  EXPECT_THAT(strip(), StartsWith("Stopped"));
}

TEST_F(StatusStrip, SaysWhyARenderFailed) {
  start();
  renderWritesMix = false;
  onRenderStep = [](int step, render::RenderHost&) -> std::optional<int> {
    if (step == 5) return render::kRenderStopped;
    return std::nullopt;
  };
  compose();
  EXPECT_THAT(strip(), StartsWith("Not composed: "));
}

TEST_F(StatusStrip, WithoutASoundDeviceSaysSoAndWhereThePieceIs) {
  audio.failOpens("no audio driver 'nonexistent'");
  start();
  compose();
  ASSERT_FALSE(state().musicFile.empty());
  EXPECT_EQ(appState(), playback::kIdle) << "playback fell back to STOP";
  EXPECT_EQ(strip(), noSoundStatus("no audio driver 'nonexistent'", state().musicFile));
}

TEST_F(StatusStrip, ShowsALongLineShortenedToTheStripKeepingWhatMatters) {
  const std::string reason = "Audio target 'nonexistent' not available; SDL_AUDIODRIVER names no driver of this system";
  audio.failOpens(reason);
  start();
  compose();
  ASSERT_FALSE(state().musicFile.empty());
  const auto* shown = window.textStrip(control::kTextStrip);
  ASSERT_EQ(shown->text, noSoundStatus(reason, state().musicFile)) << "the whole line is kept for the strip";
  const std::string line = shown->shown;
  int characters = 0;
  for (const char byte : line) characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  EXPECT_LE(characters * platform::FakeDialogWindow::kCharacterWidth,
            shown->place.width - 2 * platform::FakeDialogWindow::kTextStripInset)
      << "the line shown must fit the " << shown->place.width << "-pixel strip: " << line;
  EXPECT_THAT(line, StartsWith("No sound output device (")) << "the reason's opening stays: " << line;
  EXPECT_THAT(line, HasSubstr("\u2026")) << "an ellipsis marks what was left out: " << line;
  // With no room for the path even by its file name, the line says why first.
  const std::string kept = line.substr(0, line.size() - std::string("\u2026").size());
  EXPECT_EQ(shown->text.rfind(kept, 0), 0u) << "the shown line is the text's beginning: " << line;
}

TEST_F(StatusStrip, ShowsALineThatFitsAsItIs) {
  start();
  compose();
  const auto* shown = window.textStrip(control::kTextStrip);
  EXPECT_EQ(shown->shown, shown->text);
}

// ---- Keys by the action they run

class WindowKeys : public WindowTest {};

TEST_F(WindowKeys, SpacePlaysThenPausesAndResumes) {
  start();
  compose();
  ASSERT_EQ(appState(), playback::kPlaying);
  playbackCalls.clear();
  window.pressKey({Key::kSpace});
  EXPECT_EQ(appState(), playback::kPaused);
  window.pressKey({Key::kSpace});
  EXPECT_EQ(appState(), playback::kPlaying);
  EXPECT_THAT(playbackCalls, ElementsAre("togglePause", "togglePause"));
  window.click(395, 270);  // Stop
  playbackCalls.clear();
  window.pressKey({Key::kSpace});
  EXPECT_THAT(playbackCalls, ElementsAre("play")) << "Space while idle is PLAY";
}

TEST_F(WindowKeys, LeftAndRightStepPhrasesOnlyWhilePlaying) {
  start();
  window.pressKey({Key::kLeft});
  window.pressKey({Key::kRight});
  EXPECT_THAT(playbackCalls, IsEmpty()) << "nothing to seek while idle";
  compose();
  playbackCalls.clear();
  window.pressKey({Key::kRight});
  window.pressKey({Key::kLeft});
  EXPECT_THAT(playbackCalls, ElementsAre("seekPhrase 1", "seekPhrase -1"));
}

TEST_F(WindowKeys, MainRowPlusAndMinusWorkLikeTheKeypads) {
  start();
  window.pressKey({Key::kPlus});
  EXPECT_EQ(dialog->settings().phraseCount, 10);
  window.pressKey({Key::kMinus});
  EXPECT_EQ(dialog->settings().phraseCount, 5);
  compose();
  playbackCalls.clear();
  window.pressKey({Key::kPlus});
  window.pressKey({Key::kMinus});
  EXPECT_THAT(playbackCalls, ElementsAre("seekPhrase 1", "seekPhrase -1"));
}

TEST_F(WindowKeys, TheNewKeysAreNotTheWindowsWithAltHeld) {
  start();
  window.pressKey({Key::kSpace, true});
  window.pressKey({Key::kF3, true});
  window.pressKey({Key::kPlus, true});
  EXPECT_THAT(playbackCalls, IsEmpty());
  EXPECT_THAT(window.entries(), IsEmpty());
  EXPECT_EQ(dialog->settings().phraseCount, 5);
}

// ---- Re-creating a piece from its session id

class SessionEntry : public WindowTest {};

TEST_F(SessionEntry, F3SetsTheSessionIdOfTheNextGenerateOnly) {
  start();
  window.queueEntryKeys("1052777\n");
  window.pressKey({Key::kF3});
  ASSERT_EQ(window.entries().size(), 1u);
  EXPECT_EQ(window.entries()[0].result, "1052777");
  EXPECT_THAT(window.textStrip(control::kTextStrip)->text, HasSubstr("1052777"));
  compose();
  ASSERT_EQ(renders.size(), 1u);
  EXPECT_EQ(renders[0].plan.sessionId, 1052777u);
  EXPECT_THAT(renders[0].logText, HasSubstr("Session ID: 1052777"));
  EXPECT_THAT(window.textStrip(control::kTextStrip)->text, StartsWith("Session 1052777 "));
  window.click(395, 270);  // Stop
  compose();
  ASSERT_EQ(renders.size(), 2u);
  EXPECT_NE(renders[1].plan.sessionId, 1052777u) << "the next one comes from the clock again";
}

TEST_F(SessionEntry, AClickOnTheStripOpensItWhileIdleOnly) {
  start();
  window.click(100, 537);
  EXPECT_EQ(window.entries().size(), 1u);
  compose();
  window.click(100, 537);
  EXPECT_EQ(window.entries().size(), 1u) << "not while playing";
}

TEST_F(SessionEntry, RefusesWhatIsNotASessionIdAndEscLeavesTheNextGenerateAlone) {
  start();
  window.queueEntryKeys("9999999999\n\x1b");
  window.pressKey({Key::kF3});
  ASSERT_EQ(window.entries().size(), 1u);
  EXPECT_EQ(window.entries()[0].result, std::nullopt);
  ASSERT_EQ(window.entries()[0].problems.size(), 1u);
  EXPECT_THAT(window.entries()[0].problems[0], HasSubstr("Not a session id: 9999999999"));
  EXPECT_FALSE(dialog->generateCommand().nextSessionId());
}

TEST_F(SessionEntry, MakesTheSameFinalMixAsTheCommandWithThatSessionId) {
  realRender = true;
  start();
  window.queueEntryKeys("1052345678\n");
  window.pressKey({Key::kF3});
  compose();
  ASSERT_FALSE(state().musicFile.empty());
  const Bytes fromWindow = readFileBytes(state().musicFile);

  ComposeRequest request;
  request.settings = dialog->settings();
  request.sessionId = 1052345678u;
  request.archiveFolder = folder().path() + "command/";
  request.sampleDataPath = exeFolder + "/Data.dat";
  request.quiet = true;
  ComposeEnvironment commandEnvironment;
  commandEnvironment.clock = [] { return std::int64_t{1'700'000'000}; };
  commandEnvironment.elapsedSeconds = [] { return std::int64_t{0}; };
  commandEnvironment.renderers = &render::programVoiceRenderers();
  commandEnvironment.mixer = &mixer;
  commandEnvironment.freeBytes = [](const std::string&) { return std::optional<std::uint64_t>{}; };
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(runCompose(request, commandEnvironment, out, err), 0) << err.str();
  const std::string commandMix = out.str().substr(0, out.str().find('\n'));  // its first line
  ASSERT_THAT(commandMix, ::testing::EndsWith("Pelko.wav"));
  const Bytes fromCommand = readFileBytes(commandMix);
  EXPECT_GT(fromCommand.size(), 44u);
  EXPECT_TRUE(fromWindow == fromCommand) << "the two mixes differ";
}

}  // namespace
}  // namespace brisolt::test

namespace brisolt {
namespace {

// ---- The remaining-time estimate

TEST(RemainingTimeEstimate, WeighsTheStepsByTheirCost) {
  // Three cheap steps and one that costs as much as the three together.
  RemainingTimeEstimate estimate({1, 1, 1, 3});
  EXPECT_DOUBLE_EQ(estimate.doneAt(3), 0.5);
  EXPECT_EQ(estimate.remaining(3, 6.0), 6) << "half the work in 6 s: 6 s left, not 2";
}

TEST(RemainingTimeEstimate, SaysNothingUntilSomeWorkIsDone) {
  RemainingTimeEstimate estimate(std::vector<double>(100, 1.0));
  EXPECT_EQ(estimate.remaining(1, 1.0), std::nullopt);
  EXPECT_TRUE(estimate.remaining(10, 1.0));
}

TEST(RemainingTimeEstimate, SmoothsAOneOffStallAndCapsAtNinetyNineMinutes) {
  RemainingTimeEstimate estimate(std::vector<double>(10, 1.0));
  ASSERT_EQ(estimate.remaining(5, 5.0), 5);
  // A stall: step 6 at 12 s would alone project 20 s in all (8 s left).
  const int left = *estimate.remaining(6, 12.0);
  EXPECT_GT(left, 0);
  EXPECT_LT(left, 8) << "the projection moves toward the stall, not all the way";
  estimate.restart();
  EXPECT_EQ(estimate.remaining(5, 1e6), 5940);
}

TEST(RemainingTimeEstimate, TheFixedCostsWeighMoreInAShortPiece) {
  // The checks, the plan and the first renderers' calls cost about the same
  // for every piece; the mix passes grow with the phrases.
  const double shortPiece = RemainingTimeEstimate::forGenerate(5, false).doneAt(10);
  const double longPiece = RemainingTimeEstimate::forGenerate(90, false).doneAt(10);
  EXPECT_GT(shortPiece, longPiece) << "5 phrases: " << shortPiece << ", 90 phrases: " << longPiece;
  EXPECT_DOUBLE_EQ(RemainingTimeEstimate::forGenerate(5, false).doneAt(kGenerationSteps), 1.0);
}

TEST(RemainingTimeEstimate, TheSoundfontsLoadWeighsOnTheRenditionsFirstStep) {
  const RemainingTimeEstimate estimate = RemainingTimeEstimate::forGenerate(5, true);
  const double first = estimate.doneAt(kGenerationSteps + 1) - estimate.doneAt(kGenerationSteps);
  const double second = estimate.doneAt(kGenerationSteps + 2) - estimate.doneAt(kGenerationSteps + 1);
  const double last = 1.0 - estimate.doneAt(kGenerationSteps + kRenditionSteps - 1);
  EXPECT_GT(first, 10 * second) << "the load comes before the first block is played";
  EXPECT_NEAR(second, last, 1e-12) << "the blocks after it cost alike";
  EXPECT_DOUBLE_EQ(estimate.doneAt(kGenerationSteps + kRenditionSteps), 1.0);
}

TEST(RemainingTimeEstimate, WithTheRenditionAFullBarStillHasWorkLeft) {
  RemainingTimeEstimate estimate = RemainingTimeEstimate::forGenerate(20, true);
  const double barDone = estimate.doneAt(kGenerationSteps);
  EXPECT_LT(barDone, 0.5) << "the rendition costs more than the render";
  const auto left = estimate.remaining(kGenerationSteps, 10.0);
  ASSERT_TRUE(left);
  EXPECT_EQ(*left, static_cast<int>(10.0 / barDone * (1 - barDone) + 0.5));
}

}  // namespace
}  // namespace brisolt
