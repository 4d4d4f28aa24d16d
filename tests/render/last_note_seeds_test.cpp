// Session ids whose last accompaniment note falls on a key without the layer
// of its duration (keys outside 13..56 have only layers 1 and 2): with the
// default settings they never rendered. Each is rendered whole here, by the
// real renderers on a full-size synthetic bank.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "platform/files/file_system.h"
#include "render/render_driver.h"
#include "render/render_engine.h"
#include "render/voice_failure.h"
#include "tests/render/piece_test_support.h"
#include "tests/support/default_plan_options.h"
#include "tests/support/file_bytes.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt::render {
namespace {

class LastNoteSeeds : public test::TempFolderTest, public ::testing::WithParamInterface<std::uint32_t> {
 protected:
  LastNoteSeeds() { test::writeSyntheticBank(folder().file("Data.dat")); }
};

TEST_P(LastNoteSeeds, TheWholePieceRenders) {
  const std::string prefix = folder().file("260101_000000_");
  compose::Composer composer;
  audio::FileMixer mixer;
  test::CountingHost host;
  composer.fixSessionId(GetParam());
  ASSERT_EQ(composer.planPiece(test::defaultPlanOptions(prefix)), 5);
  EXPECT_EQ(render(composer, mixer, folder().file("Data.dat"), prefix, host), kRenderDone) << lastRenderFailure();
  EXPECT_EQ(lastRenderFailure(), "");
  EXPECT_EQ(host.aborts, 0);
  EXPECT_GT(test::fileSize(prefix + "Pelko.wav"), 80u * 176400u);
}

TEST_P(LastNoteSeeds, TheWholePieceStreams) {
  // The default engine of compose and the window.
  const std::string prefix = folder().file("260101_000001_");
  compose::Composer composer;
  audio::FileMixer mixer;
  test::CountingHost host;
  Score score;
  composer.fixSessionId(GetParam());
  ASSERT_EQ(composer.planPiece(test::defaultPlanOptions(prefix)), 5);
  EXPECT_EQ(renderWith(kDefaultRenderEngine, composer, mixer, folder().file("Data.dat"), prefix, host, score),
            kRenderDone)
      << lastRenderFailure();
  EXPECT_EQ(lastRenderFailure(), "");
  EXPECT_FALSE(score.notes.empty());
  EXPECT_GT(test::fileSize(prefix + "Pelko.wav"), 320u * 44100u) << "the whole mix: five phrases of 64 s";
}

INSTANTIATE_TEST_SUITE_P(DefaultSettings, LastNoteSeeds,
                         ::testing::Values(1052u, 1058u, 2011u, 2014u, 3994382237u));

}  // namespace
}  // namespace brisolt::render
