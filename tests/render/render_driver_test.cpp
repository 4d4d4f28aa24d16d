// The render driver with recording fake renderers: the schedule as called,
// progress and remaining-time calls, the final mix, and the three ways a run
// ends (finished, cancelled, failed), each leaving no temporary file behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "platform/files/file_system.h"
#include "platform/message_pump.h"
#include "render/render_driver.h"
#include "tests/render/fake_voice_renderers.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace brisolt::render {
namespace {

class RecordingHost : public RenderHost {
 public:
  void advanceProgress() override { ++position; }
  void showRemainingTime() override { estimates.push_back(position); }
  void abortGeneration() override { ++aborts; }
  void mixWritten(int mix) override { mixes.push_back(mix); }

  int position = 0;
  std::vector<int> estimates;  // the progress position at each remaining-time call
  int aborts = 0;
  std::vector<int> mixes;
};

class RenderDriver : public test::TempFolderTest {
 protected:
  RenderDriver() { platform::createFolder(archive()); }
  ~RenderDriver() override { platform::setMessagePump({}); }

  int run(test::FakeVoiceRenderers& fakes) {
    return render(composer_, mixer_, dataPath(), outputPrefix(), host_, fakes.table());
  }
  std::string archive() const { return folder().file("archive/"); }
  std::string outputPrefix() const { return archive() + "240131_142507_"; }
  std::string finalMix() const { return outputPrefix() + "Pelko.wav"; }
  std::string dataPath() const { return "/somewhere/Data.dat"; }
  // Files the run left in the temporary folder (the archive is a folder, not listed).
  std::vector<std::string> leftInTemporaryFolder() const { return platform::listFiles(folder().path(), ""); }

  compose::Composer composer_;
  audio::FileMixer mixer_;
  RecordingHost host_;
};

// Letter and step of every call with a letter, as the design tables them.
constexpr const char* kScheduledLettersAndSteps =
    "J8K7L8N8W9Z8" "O8P8Q8R8S8T8q8r8" "183848687787s7t7" "a8b8c8d8e8f8g8h8" "i8j8m7n7o7p70696"
    "k1l1U1V1" "u8v8w8x8y8z82158" "A8B8C8D8E7F8H8I8";

std::string lettersAndSteps(const std::vector<test::RecordedCall>& calls) {
  std::string text;
  for (const auto& call : calls) {
    if (call.letter != 0) text += std::string(1, call.letter) + std::to_string(call.step);
  }
  return text;
}

TEST_F(RenderDriver, ACompleteRunMakesTheScheduledCallsAndLeavesOnlyTheFinalMix) {
  test::FakeVoiceRenderers fakes;
  ASSERT_EQ(run(fakes), kRenderDone);

  const auto& calls = fakes.calls();
  ASSERT_EQ(calls.size(), 59u);
  EXPECT_EQ(calls.front().renderer, Renderer::kMelody);
  EXPECT_EQ(lettersAndSteps(calls), kScheduledLettersAndSteps);
  for (const auto& call : calls) {
    EXPECT_EQ(call.barCursorAtEntry, 0) << "call of '" << call.letter << "' found the plan unrewound";
    EXPECT_EQ(call.sampleDataPath, dataPath());
  }
  std::set<char> letters;
  for (const auto& call : calls) letters.insert(call.letter);
  for (const char never : {'G', 'M', 'X', 'Y'}) EXPECT_EQ(letters.count(never), 0u) << never;
  EXPECT_EQ(letters.size(), 59u) << "a letter was rendered twice";
  EXPECT_EQ(fakes.files().size(), 64u);

  EXPECT_TRUE(test::fileExists(finalMix()));
  EXPECT_EQ(host_.aborts, 0);
  EXPECT_EQ(host_.mixes, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(leftInTemporaryFolder(), std::vector<std::string>{});
}

TEST_F(RenderDriver, RendererKindsFollowTheGroups) {
  test::FakeVoiceRenderers fakes;
  ASSERT_EQ(run(fakes), kRenderDone);
  std::string kinds;
  for (const auto& call : fakes.calls()) kinds += rendererName(call.renderer).front();
  // m melody, a accompaniment, e ensemble, p pulse, s split; one group per run.
  EXPECT_EQ(kinds, std::string("maaaaaa") + "eeeeeeee" + "eeeeeeaa" + "eeeeeeee" + "eepppppp" + "ssss" + "eeeeeeee" +
                       "aaaaaaaa");
}

TEST_F(RenderDriver, ProgressAndRemainingTimeComeAfterTheStepsTheyFollow) {
  test::FakeVoiceRenderers fakes;
  ASSERT_EQ(run(fakes), kRenderDone);
  EXPECT_EQ(host_.position, kRenderProgressSteps);
  // From the W call on, after each call and each mix but group 1's; the
  // split voices' two files advance two steps before the estimate.
  std::vector<int> expected = {7, 8};
  for (int group = 2; group <= 8; ++group) {
    const int start = 10 * (group - 1);
    if (group == 6) {
      for (int call = 1; call <= 4; ++call) expected.push_back(start + 2 * call);
    } else {
      for (int call = 1; call <= 8; ++call) expected.push_back(start + call);
    }
    expected.push_back(start + 10);
  }
  expected.push_back(82);
  EXPECT_EQ(host_.estimates, expected);
}

TEST_F(RenderDriver, TheFinalMixBeginsWithTheFirstVoiceFileOfGroupTwo) {
  test::FakeVoiceRenderers fakes;
  ASSERT_EQ(run(fakes), kRenderDone);
  test::Bytes start = test::readFileBytes(finalMix());
  ASSERT_GE(start.size(), 104u);
  start.resize(104);
  EXPECT_EQ(start, fakes.preambleOf('O'));
  EXPECT_EQ(test::fileSize(finalMix()), 104u + 2 * 3000u) << "the mix is as long as each voice file";
}

TEST_F(RenderDriver, SilentVoicesLeaveNoScratchFileBehind) {
  // Mixes of silent inputs keep their scratch file; the driver removes it.
  test::FakeVoiceRenderers fakes(2000, /*silent=*/true);
  ASSERT_EQ(run(fakes), kRenderDone);
  EXPECT_TRUE(test::fileExists(finalMix()));
  EXPECT_EQ(leftInTemporaryFolder(), std::vector<std::string>{});
}

TEST_F(RenderDriver, NoTemporaryFolderStopsBeforeAnyRenderer) {
  test::ScopedTmpdir missing(folder().file("no such folder"));
  test::FakeVoiceRenderers fakes;
  EXPECT_EQ(run(fakes), kRenderStopped);
  EXPECT_TRUE(fakes.calls().empty());
  EXPECT_EQ(host_.position, 0);
}

// Cancelling: the run ends at once, abortGeneration is called, and the
// current group's files and all stems are deleted.
using RenderDriverCancel = RenderDriver;

TEST_F(RenderDriverCancel, ACancelledVoiceInGroupThreeEndsTheRunAtOnce) {
  test::FakeVoiceRenderers fakes;
  fakes.setTwist([](const test::RecordedCall& call, render::VoiceResult result) {
    if (call.letter == '4') result.end = VoiceEnd::kCancelled;
    return result;
  });
  EXPECT_EQ(run(fakes), kRenderStopped);
  EXPECT_EQ(host_.aborts, 1);
  EXPECT_EQ(fakes.calls().size(), 7u + 8u + 3u) << "voices after the cancelled one were rendered";
  EXPECT_EQ(host_.mixes, (std::vector<int>{1, 2}));
  EXPECT_FALSE(test::fileExists(finalMix()));
  for (const std::string& file : fakes.files()) EXPECT_FALSE(test::fileExists(file)) << file;
  EXPECT_EQ(leftInTemporaryFolder(), std::vector<std::string>{});
}

TEST_F(RenderDriverCancel, ACancelledMelodyDeletesBothItsFilesAfterOneStep) {
  test::FakeVoiceRenderers fakes;
  fakes.setTwist([](const test::RecordedCall& call, render::VoiceResult) {
    return VoiceResult{{call.files[0], call.files[1]}, VoiceEnd::kCancelled};
  });
  EXPECT_EQ(run(fakes), kRenderStopped);
  EXPECT_EQ(host_.aborts, 1);
  EXPECT_EQ(host_.position, 1);
  EXPECT_EQ(leftInTemporaryFolder(), std::vector<std::string>{});
}

TEST_F(RenderDriverCancel, AVoiceStoppedBeforeItBeganAFileEndsTheRunAtItsGroupsMix) {
  test::FakeVoiceRenderers fakes;
  fakes.setTwist([this](const test::RecordedCall& call, render::VoiceResult result) {
    if (call.letter != 'P') return result;
    composer_.cancelRequested = true;
    platform::deleteFile(result.paths.front());
    return VoiceResult{};
  });
  EXPECT_EQ(run(fakes), kRenderStopped);
  EXPECT_EQ(host_.aborts, 1);
  EXPECT_EQ(fakes.calls().size(), 7u + 8u);
  EXPECT_EQ(host_.mixes, (std::vector<int>{1}));
  EXPECT_EQ(leftInTemporaryFolder(), std::vector<std::string>{});
}

TEST_F(RenderDriverCancel, StopBetweenTheLastVoiceAndTheMixStillStops) {
  // mixEight clears the mixer's flag, so the Composer's flag must tell.
  test::FakeVoiceRenderers fakes;
  fakes.setTwist([this](const test::RecordedCall& call, render::VoiceResult result) {
    if (call.letter == 'r') {
      composer_.cancelRequested = true;
      mixer_.requestCancel();
    }
    return result;
  });
  EXPECT_EQ(run(fakes), kRenderStopped);
  EXPECT_EQ(host_.aborts, 1);
  EXPECT_EQ(host_.mixes, (std::vector<int>{1}));
  EXPECT_EQ(host_.position, 8 + 2 + 8) << "the stopped mix advanced the progress bar";
  EXPECT_EQ(leftInTemporaryFolder(), std::vector<std::string>{});
}

// Stop pressed while group 4 is being mixed, at the given pump of that mix.
// Each fake voice file is two blocks long: pumps 1-3 average, 4-6 match peaks.
void stopDuringGroupFourMix(audio::FileMixer& mixer, compose::Composer& composer, test::FakeVoiceRenderers& fakes,
                            int stopAtPump) {
  auto pumps = std::make_shared<int>(-1);
  fakes.setTwist([pumps](const test::RecordedCall& call, render::VoiceResult result) {
    if (call.letter == 'h') *pumps = 0;
    return result;
  });
  platform::setMessagePump([pumps, stopAtPump, &mixer, &composer] {
    if (*pumps >= 0 && ++*pumps == stopAtPump) {
      composer.cancelRequested = true;
      mixer.requestCancel();
    }
  });
}

TEST_F(RenderDriverCancel, StopWhileAveragingInterruptsTheMix) {
  test::FakeVoiceRenderers fakes;
  stopDuringGroupFourMix(mixer_, composer_, fakes, 1);
  EXPECT_EQ(run(fakes), kRenderStopped);
  EXPECT_EQ(host_.aborts, 1);
  EXPECT_EQ(host_.mixes, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(fakes.calls().size(), 31u);
  EXPECT_EQ(leftInTemporaryFolder(), std::vector<std::string>{});
}

TEST_F(RenderDriverCancel, StopWhileMatchingPeaksInterruptsTheMix) {
  test::FakeVoiceRenderers fakes;
  stopDuringGroupFourMix(mixer_, composer_, fakes, 5);
  EXPECT_EQ(run(fakes), kRenderStopped);
  EXPECT_EQ(host_.aborts, 1);
  EXPECT_EQ(host_.mixes, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(leftInTemporaryFolder(), std::vector<std::string>{});
}

// Failures: the run ends at the failing mix without abortGeneration.
using RenderDriverFailure = RenderDriver;

TEST_F(RenderDriverFailure, AFailedVoiceFailsItsGroupAndTheGroupsOtherFilesGoToo) {
  test::FakeVoiceRenderers fakes;
  fakes.setTwist([this](const test::RecordedCall& call, render::VoiceResult result) {
    if (call.letter != 'c') return result;
    mixer_.requestCancel();  // as if left over from an earlier Stop: no reason to call this run cancelled
    platform::deleteFile(result.paths.front());
    return VoiceResult{};
  });
  EXPECT_EQ(run(fakes), kRenderStopped);
  EXPECT_EQ(host_.aborts, 0);
  EXPECT_EQ(fakes.calls().size(), 31u) << "the driver goes on to the group's mix";
  EXPECT_EQ(host_.mixes, (std::vector<int>{1, 2, 3}));
  EXPECT_FALSE(test::fileExists(finalMix()));
  EXPECT_EQ(leftInTemporaryFolder(), std::vector<std::string>{});
}

TEST_F(RenderDriverFailure, AFailedFinalMixDeletesTheStems) {
  test::FakeVoiceRenderers fakes;
  const int result = render(composer_, mixer_, dataPath(), folder().file("missing/") + "240131_142507_", host_,
                            fakes.table());
  EXPECT_EQ(result, kRenderStopped);
  EXPECT_EQ(host_.aborts, 0);
  EXPECT_EQ(host_.mixes, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(host_.position, 80);
  EXPECT_EQ(leftInTemporaryFolder(), std::vector<std::string>{});
}

}  // namespace
}  // namespace brisolt::render
