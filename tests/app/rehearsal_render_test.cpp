// The stand-in render the program uses until the render driver is built in:
// it must take the driver's steps, call back as the driver does, stop on a
// cancel flag and leave a mix that Play can open.
#include "app/rehearsal_render.h"

#include <gtest/gtest.h>

#include "app/composition_settings.h"
#include "app/plan_options_from_settings.h"
#include "audio/wave_format.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

class CountingHost final : public render::RenderHost {
 public:
  int steps = 0;
  int estimates = 0;
  int aborts = 0;
  void advanceProgress() override { ++steps; }
  void showRemainingTime() override { ++estimates; }
  void abortGeneration() override { ++aborts; }
};

class RehearsalRender : public test::TempFolderTest {
 protected:
  RehearsalRender() {
    composer.fixSessionId(7);
    planned = composer.planPiece(planOptionsFromSettings(CompositionSettings{}, prefix()));
  }
  std::string prefix() const { return folder().file("240131_142507_"); }

  compose::Composer composer;
  audio::FileMixer mixer;
  CountingHost host;
  int planned = 0;
};

TEST_F(RehearsalRender, TakesTheDriversStepsAndWritesAMixOfThePiecesLength) {
  ASSERT_EQ(planned, 5);
  EXPECT_EQ(rehearsalRender(composer, mixer, prefix(), host, std::chrono::milliseconds{0}), render::kRenderDone);
  EXPECT_EQ(host.steps, 82);
  EXPECT_EQ(host.estimates, 82 - kRehearsalFirstEstimateStep);
  EXPECT_EQ(host.aborts, 0);
  EXPECT_EQ(test::fileSize(prefix() + "Pelko.wav"), audio::kHeaderSize + audio::predictedDataSize(80, 60));
}

TEST_F(RehearsalRender, StopsOnEitherCancelFlagAndLeavesNoMix) {
  composer.cancelRequested = true;
  EXPECT_EQ(rehearsalRender(composer, mixer, prefix(), host, std::chrono::milliseconds{0}), render::kRenderStopped);
  EXPECT_EQ(host.aborts, 1);
  EXPECT_EQ(host.steps, 0);
  composer.cancelRequested = false;
  mixer.requestCancel();
  host = {};
  EXPECT_EQ(rehearsalRender(composer, mixer, prefix(), host, std::chrono::milliseconds{0}), render::kRenderStopped);
  EXPECT_EQ(host.aborts, 1);
  EXPECT_FALSE(test::fileExists(prefix() + "Pelko.wav"));
}

}  // namespace
}  // namespace brisolt
