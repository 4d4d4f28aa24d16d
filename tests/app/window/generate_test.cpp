// Generate in the window: the disk and sample-data checks, the options that
// reach the planner, progress and remaining time, the state it leaves for
// Play, and Stop, Exit and the close box in the middle of it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/window/generate_command.h"
#include "app/window/generate_step_costs.h"
#include "app/window/remaining_time_estimate.h"
#include "render/score_json.h"
#include "session/generation_progress.h"
#include "session/session_prefix.h"
#include "platform/files/file_system.h"
#include "platform/message_pump.h"
#include "platform/window/main_window_ids.h"
#include "tests/app/window/window_test_support.h"
#include "tests/support/file_bytes.h"

namespace brisolt::test {
namespace {

namespace control = platform::control;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr std::uint64_t kMiB = 1024 * 1024;

class Generate : public WindowTest {
 protected:
  std::string currentTime() const { return digits({control::kCurrentTime.begin(), control::kCurrentTime.end()}); }
  // Makes the fake render press a spot at the given step, as the user would
  // in the middle of a render (the click arrives through the message pump).
  void clickDuringRender(int atStep, int x, int y) {
    onRenderStep = [this, atStep, x, y](int step, render::RenderHost& host) -> std::optional<int> {
      if (step == atStep) {
        window.queueClick(x, y);
        platform::pumpOneMessage();
      }
      if (composer.cancelRequested) {
        cancelSeenByRender = true;
        mixerCancelSeen = mixer.cancelRequested();
        host.abortGeneration();
        return render::kRenderStopped;
      }
      return std::nullopt;
    };
  }
  std::vector<std::string> sessionFiles() const { return platform::listFiles(archive(), ""); }

  bool cancelSeenByRender = false;
  bool mixerCancelSeen = false;
};

TEST_F(Generate, RendersTheNewSessionIntoTheArchiveAndPlaysIt) {
  start();
  compose();
  ASSERT_EQ(renders.size(), 1u);
  const std::string prefix = sessionPrefix(wholeSeconds(now));
  EXPECT_EQ(renders[0].outputPrefix, exeFolder + "/Archive/" + prefix);
  EXPECT_EQ(renders[0].sampleDataPath, exeFolder + "/Data.dat");
  EXPECT_EQ(renders[0].plan.barCount, 5 * 16) << "planned before the render";
  EXPECT_EQ(state().sessionPrefix, prefix);
  EXPECT_EQ(state().musicFile, exeFolder + "/Archive/" + prefix + "Pelko.wav");
  EXPECT_EQ(state().plannedPhraseTotal, 5);
  EXPECT_TRUE(state().sessionUnsaved);
  EXPECT_TRUE(state().logUnsaved);

  const auto* bar = window.progressControl(control::kGenerationBar);
  // With H on (the default), the rendition's steps follow the render's; here
  // there is no SoundFont, so the rendition never starts.
  EXPECT_EQ(bar->model.range(), (platform::ProgressRange{0, 84 + kRenditionSteps}));
  EXPECT_EQ(bar->steps, 84) << "two of Generate's own and the render's 82";
  EXPECT_FALSE(bar->visible);
  EXPECT_FALSE(window.isControlVisible(control::kWorkingLabel));
  EXPECT_FALSE(window.isControlVisible(control::kRemainingTimeLabel));

  EXPECT_THAT(playbackCalls, Contains("play")) << "the automatic Play";
  EXPECT_EQ(appState(), playback::kPlaying);
  EXPECT_TRUE(window.isControlVisible(control::kComposeDottedLabel));
}

TEST_F(Generate, TheRenderDriverFillsTheBarAndLeavesAMixThatPlays) {
  realRender = true;
  start();
  compose();
  EXPECT_EQ(window.progressControl(control::kGenerationBar)->steps, 84) << "82 of the driver's and Generate's two";
  ASSERT_NE(state().musicFile, "");
  EXPECT_TRUE(fileExists(state().musicFile));
  EXPECT_EQ(appState(), playback::kPlaying);
  EXPECT_THAT(platform::listFiles(folder().path(), ""), IsEmpty()) << "no temporary file is left";
  // The score is kept beside the log, for the keys to light from.
  const render::ScoreParse score =
      render::readScoreFile(exeFolder + "/Archive/" + state().sessionPrefix + "score.json");
  ASSERT_TRUE(score.score) << score.error;
  EXPECT_FALSE(score.score->notes.empty());
}

TEST_F(Generate, StopInTheMiddleOfTheRenderDriverDiscardsTheSession) {
  realRender = true;
  start();
  window.queueClick(450, 180);  // COMPOSE
  window.queueClick(395, 270);  // Stop, taken by the render's message pump
  window.dispatchPending();
  EXPECT_EQ(state().musicFile, "");
  EXPECT_EQ(appState(), playback::kIdle);
  EXPECT_LT(window.progressControl(control::kGenerationBar)->steps, 84);
  EXPECT_THAT(sessionFiles(), IsEmpty());
  EXPECT_THAT(platform::listFiles(folder().path(), ""), IsEmpty()) << "no temporary file is left";
  EXPECT_TRUE(window.isControlVisible(control::kStopLit));
}

TEST_F(Generate, WhileItRunsTheWindowShowsWorkingAndIsGenerating) {
  start();
  bool seen = false;
  onRenderStep = [this, &seen](int step, render::RenderHost&) -> std::optional<int> {
    if (step == 0) {
      seen = true;
      EXPECT_EQ(appState(), playback::kGenerating);
      EXPECT_TRUE(window.isControlVisible(control::kWorkingLabel));
      EXPECT_TRUE(window.isControlVisible(control::kGenerationBar));
      EXPECT_FALSE(window.isControlVisible(control::kComposeLabel));
      EXPECT_FALSE(window.isControlVisible(control::kStopLit));
      EXPECT_EQ(window.progressPosition(control::kGenerationBar), 2) << "Generate's own two steps";
    }
    return std::nullopt;
  };
  compose();
  EXPECT_TRUE(seen);
}

TEST_F(Generate, TheDiskCheckRefusesAndThePlayThatFollowsOffersToCompose) {
  freeBytes = 10 * kMiB;  // five phrases need 15 MB for the mix and log
  start();
  window.queueAnswer(platform::MessageBoxAnswer::kOk);
  window.queueAnswer(platform::MessageBoxAnswer::kNo);
  compose();
  EXPECT_THAT(renders, IsEmpty());
  ASSERT_EQ(window.messageBoxes().size(), 2u);
  EXPECT_EQ(window.messageBoxes()[0].caption, "Brisolt - Not enough space on disk");
  EXPECT_THAT(window.messageBoxes()[0].text, HasSubstr("Not enough space on disk.\nFree: 10 MB\nNeed: "));
  EXPECT_THAT(window.messageBoxes()[1].text, HasSubstr("Nothing to play")) << "then Play, with nothing to play";
  EXPECT_THAT(playbackCalls, Not(Contains("cleanupArchive"))) << "nothing else has changed";
  EXPECT_FALSE(window.isControlVisible(control::kComposeLabel)) << "as it always was: COMPOSE stays hidden";
  EXPECT_TRUE(window.isControlVisible(control::kRemainingTimeLabel));
  EXPECT_EQ(appState(), playback::kIdle);
}

TEST_F(Generate, AfterARefusalThePlayThatFollowsPlaysTheEarlierMix) {
  start();
  compose();
  window.click(395, 270);  // stop
  const std::string earlier = state().musicFile;
  freeBytes = 10 * kMiB;
  compose();
  EXPECT_EQ(renders.size(), 1u);
  EXPECT_EQ(window.messageBoxes().back().caption, "Brisolt - Not enough space on disk");
  EXPECT_EQ(appState(), playback::kPlaying) << "the earlier session plays";
  EXPECT_EQ(state().musicFile, earlier);
}

TEST_F(Generate, AnUnknownFreeSpaceDoesNotBlockButZeroMegabytesDo) {
  start();
  freeBytes = std::nullopt;
  compose();
  EXPECT_EQ(renders.size(), 1u);
  window.click(395, 270);  // stop
  freeBytes = kMiB - 1;  // 0 MB
  window.queueAnswer(platform::MessageBoxAnswer::kOk);
  compose();
  EXPECT_EQ(renders.size(), 1u) << "no room is no room";
}
TEST_F(Generate, TheCurrentModesReachThePlannerEveryTime) {
  writeSettings("MotifMode=A\nPhraseMode=A\n");
  start();
  compose();
  window.click(395, 270);
  for (int i = 0; i < 3; ++i) {
    window.click(330, 220);  // motif mode up, to D
    window.click(330, 270);  // phrase mode up, to D
  }
  compose();
  window.click(395, 270);
  for (int i = 0; i < 8; ++i) {
    window.click(330, 220);
    window.click(330, 270);
  }
  compose();
  ASSERT_EQ(renders.size(), 3u);
  struct Expected {
    bool closed, complex, alternating;
    char motif, phrase;
  };
  const Expected expected[] = {{true, false, false, 'A', 'A'}, {false, true, true, 'D', 'D'}, {false, true, true, 'L', 'L'}};
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& seen = renders[i];
    EXPECT_EQ(seen.plan.switches.closedMotif, expected[i].closed) << "Generate " << i << ": Clo or Ope";
    EXPECT_EQ(seen.plan.switches.complexSteps, expected[i].complex) << "Generate " << i << ": Sim or Com";
    EXPECT_EQ(seen.plan.switches.alternatingMotifs, expected[i].alternating) << "Generate " << i << ": B or F";
    EXPECT_THAT(seen.logText, HasSubstr(std::string(" Motif Mode: ") + expected[i].motif)) << "Generate " << i;
    EXPECT_THAT(seen.logText, HasSubstr(std::string(" Phrase Mode: ") + expected[i].phrase)) << "Generate " << i;
  }
}

TEST_F(Generate, StopCancelsTheRenderAndLeavesTheWindowIdleWithoutAMix) {
  start();
  clickDuringRender(10, 395, 270);
  compose();
  EXPECT_TRUE(cancelSeenByRender);
  EXPECT_TRUE(mixerCancelSeen) << "the program-wide mixer is told as well";
  EXPECT_FALSE(composer.cancelRequested) << "abortGeneration clears the Composer's flag";
  EXPECT_EQ(state().musicFile, "");
  EXPECT_EQ(state().sessionPrefix, "");
  EXPECT_EQ(appState(), playback::kIdle);
  EXPECT_TRUE(window.isControlVisible(control::kStopLit));
  EXPECT_FALSE(window.isControlVisible(control::kWorkingLabel));
  EXPECT_FALSE(window.isControlVisible(control::kGenerationBar));
  EXPECT_FALSE(window.isControlVisible(control::kRemainingTimeLabel));
  EXPECT_THAT(sessionFiles(), IsEmpty()) << "the partial session (its log) is discarded";
  EXPECT_THAT(window.messageBoxes(), IsEmpty()) << "the automatic Play after an abort is swallowed";
  EXPECT_FALSE(state().aborted);
}

TEST_F(Generate, AStopTooLateForTheRenderStillDiscardsThePiece) {
  start();
  onRenderStep = [this](int step, render::RenderHost&) -> std::optional<int> {
    if (step == 81 && renders.size() == 1) {  // after the render's last look at the flags
      window.queueClick(395, 270);
      platform::pumpOneMessage();
    }
    return std::nullopt;
  };
  compose();
  EXPECT_EQ(state().musicFile, "");
  EXPECT_THAT(sessionFiles(), IsEmpty()) << "no mix is left behind without a session to own it";
  EXPECT_EQ(appState(), playback::kIdle);
  EXPECT_THAT(window.messageBoxes(), IsEmpty()) << "the automatic Play is swallowed, as after any Stop";
  ASSERT_TRUE(mixer.cancelRequested()) << "the mixer's flag is still up";

  onRenderStep = [this](int, render::RenderHost&) -> std::optional<int> {
    EXPECT_FALSE(composer.cancelRequested) << "cleared when the next Generate starts";
    EXPECT_FALSE(mixer.cancelRequested());
    return std::nullopt;
  };
  compose();
  EXPECT_EQ(renders.size(), 2u);
  EXPECT_EQ(appState(), playback::kPlaying);
}

TEST_F(Generate, ComposeWhileACancelledRenderWindsDownIsIgnored) {
  start();
  onRenderStep = [this](int step, render::RenderHost& host) -> std::optional<int> {
    if (step == 10) {
      window.queueClick(395, 270);  // Stop: the window is idle again at once
      window.queueClick(450, 180);  // COMPOSE before the render has noticed
      platform::pumpOneMessage();
      platform::pumpOneMessage();
      host.abortGeneration();
      return render::kRenderStopped;
    }
    return std::nullopt;
  };
  compose();
  EXPECT_EQ(renders.size(), 1u) << "no Generate inside a Generate";
  EXPECT_THAT(window.messageBoxes(), IsEmpty());
}

TEST_F(Generate, ExitCancelsAndEndsTheDialog) {
  start();
  clickDuringRender(5, 600, 535);
  compose();
  EXPECT_TRUE(cancelSeenByRender);
  EXPECT_TRUE(mixerCancelSeen);
  EXPECT_EQ(window.result(), 1);
  destroy();
  EXPECT_THAT(sessionFiles(), IsEmpty());
}

TEST_F(Generate, TheCloseBoxCancelsToo) {
  start();
  onRenderStep = [this](int step, render::RenderHost& host) -> std::optional<int> {
    if (step == 3) {
      window.queueClose();
      platform::pumpOneMessage();
    }
    if (composer.cancelRequested) {
      host.abortGeneration();
      return render::kRenderStopped;
    }
    return std::nullopt;
  };
  compose();
  EXPECT_EQ(window.result(), platform::kDialogCancel);
  EXPECT_EQ(state().musicFile, "");
}

TEST_F(Generate, SettingsAndPlayDoNothingDuringTheRender) {
  start();
  onRenderStep = [this](int step, render::RenderHost&) -> std::optional<int> {
    if (step == 4) {
      window.queueClick(330, 120);  // key signature up
      window.queueClick(450, 270);  // play
      platform::pumpOneMessage();
      platform::pumpOneMessage();
    }
    return std::nullopt;
  };
  compose();
  EXPECT_EQ(dialog->settings().keySignature, 1);
  EXPECT_EQ(renders.size(), 1u);
  EXPECT_EQ(appState(), playback::kPlaying) << "only the automatic Play at the end started playback";
}

TEST_F(Generate, AFailedRenderLeavesNoMixAndPlayOffersToCompose) {
  start();
  onRenderStep = [](int step, render::RenderHost&) -> std::optional<int> {
    if (step == 30) return render::kRenderStopped;  // a mix failed: no abort
    return std::nullopt;
  };
  window.queueAnswer(platform::MessageBoxAnswer::kNo);
  compose();
  EXPECT_EQ(state().musicFile, "");
  EXPECT_EQ(appState(), playback::kIdle);
  ASSERT_EQ(window.messageBoxes().size(), 1u);
  EXPECT_THAT(window.messageBoxes()[0].text, HasSubstr("Nothing to play"));
}

TEST_F(Generate, RemainingTimeFollowsTheShareOfTheWorkDone) {
  // Without the rendition, whose share would keep position 43 under the
  // first estimate's threshold.
  writeSettings("HiFi=Off\n");
  start();
  std::vector<std::string> shown;
  onRenderStep = [this, &shown](int step, render::RenderHost&) -> std::optional<int> {
    if (step == 40) now += std::chrono::seconds{43};  // position 43 after this step's advance
    if (step == 41) shown.push_back(currentTime());
    if (step == 50) now += std::chrono::seconds{100000};
    if (step == 51) shown.push_back(currentTime());
    return std::nullopt;
  };
  compose();
  ASSERT_EQ(shown.size(), 2u);
  const double share = RemainingTimeEstimate::forGenerate(5, dialog->settings().hifi).doneAt(43);
  const int expected = static_cast<int>(43 / share - 43 + 0.5);
  std::string digits = minutesAndSeconds(expected);
  digits.erase(2, 1);  // the digits have no colon
  EXPECT_EQ(shown[0], digits) << "43 s for " << share << " of the work";
  EXPECT_EQ(shown[1], "9900") << "no more than 99:00";
}

TEST_F(Generate, MissingSampleDataIsNamedAndNothingChanges) {
  std::filesystem::remove(exeFolder + "/Data.dat");
  start();
  compose();
  EXPECT_THAT(renders, IsEmpty());
  ASSERT_EQ(window.messageBoxes().size(), 1u) << "no Nothing-to-play question after the error";
  EXPECT_EQ(window.messageBoxes()[0].caption, "Brisolt - File Error");
  EXPECT_THAT(window.messageBoxes()[0].text, HasSubstr(exeFolder + "/Data.dat"));
  EXPECT_THAT(window.messageBoxes()[0].text, HasSubstr("brisolt-make-bank"));
  EXPECT_TRUE(window.isControlVisible(control::kComposeLabel));
  EXPECT_FALSE(state().aborted) << "the swallowed Play cleared it";
}

TEST_F(Generate, AShortSampleDataFileIsNamed) {
  writeFileBytes(exeFolder + "/Data.dat", Bytes(1000, 0));
  start();
  compose();
  EXPECT_THAT(renders, IsEmpty());
  EXPECT_THAT(window.messageBoxes().at(0).text, HasSubstr("holds 1000 bytes, fewer than the 15696272"));
}

TEST_F(Generate, AnArchiveThatCannotBeMadeIsRefusedBeforeAnythingChanges) {
  writeFileBytes(exeFolder + "/Archive", {1});  // a file where the archive folder should be
  start();
  compose();
  EXPECT_THAT(renders, IsEmpty());
  ASSERT_EQ(window.messageBoxes().size(), 1u) << "no Nothing-to-play question after the error";
  EXPECT_EQ(window.messageBoxes()[0].caption, "Brisolt - File Error");
  EXPECT_THAT(window.messageBoxes()[0].text, HasSubstr("Cannot create the archive folder '" + exeFolder + "/Archive/'"));
  EXPECT_THAT(playbackCalls, Not(Contains("cleanupArchive")));
  EXPECT_EQ(state().musicFile, "");
  EXPECT_EQ(appState(), playback::kIdle);
}

TEST_F(Generate, ANameTakenInTheArchiveMovesTheSessionToTheNextSecond) {
  start();
  // A folder in the way of the log belongs to someone else: the session
  // takes the next free second instead of writing into it.
  const std::string taken = exeFolder + "/Archive/" + sessionPrefix(wholeSeconds(now)) + "log.txt";
  std::filesystem::create_directories(taken);
  compose();
  ASSERT_EQ(renders.size(), 1u);
  EXPECT_THAT(state().musicFile, HasSubstr(sessionPrefix(wholeSeconds(now) + 1) + "Pelko.wav"));
  EXPECT_TRUE(std::filesystem::is_directory(taken)) << "the other's name is left alone";
}

TEST_F(Generate, TheNextGenerateDiscardsTheUnsavedSession) {
  start();
  compose();
  window.click(395, 270);
  const std::string first = state().musicFile;
  now += std::chrono::seconds{2};
  compose();
  EXPECT_FALSE(fileExists(first));
  EXPECT_TRUE(fileExists(state().musicFile));
}

}  // namespace
}  // namespace brisolt::test
