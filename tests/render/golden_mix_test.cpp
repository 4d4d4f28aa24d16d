// Pinned final mixes: for fixed session ids and settings on the synthetic
// bank, the sha256 of the final mix is written here, and both render engines
// must give it. Any change to what the planner or the render produces shows
// as a changed hash, so a change of the output has to be made on purpose (and
// the hashes updated with it).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "audio/file_mixer.h"
#include "audio/output_files.h"
#include "compose/composer.h"
#include "platform/files/file_system.h"
#include "render/render_driver.h"
#include "render/render_engine.h"
#include "tests/render/piece_test_support.h"
#include "tests/support/shell_command.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt::render {
namespace {

struct GoldenPiece {
  const char* name;
  test::PieceSettings settings;
  const char* sha256;
};

void PrintTo(const GoldenPiece& piece, std::ostream* out) { *out << piece.name; }

class GoldenMix : public test::TempFolderTest, public ::testing::WithParamInterface<GoldenPiece> {
 protected:
  GoldenMix() { test::writeSyntheticBank(folder().file("Data.dat")); }

  // The sha256 of the final mix of `piece` rendered by `engine`, as
  // sha256sum prints it; empty when the piece could not be planned or rendered.
  std::string renderedHash(const GoldenPiece& piece, RenderEngine engine) {
    const std::string prefix = folder().file("golden_");
    compose::Composer composer;
    if (!test::planPiece(composer, piece.settings, prefix)) return {};
    audio::FileMixer mixer;
    test::CountingHost host;
    Score score;
    if (renderWith(engine, composer, mixer, folder().file("Data.dat"), prefix, host, score) != kRenderDone) return {};
    const test::ShellRun run = test::runShell("sha256sum '" + audio::finalMixPath(prefix) + "'");
    if (run.status != 0) return {};
    return run.out.substr(0, run.out.find(' '));
  }
};

TEST_P(GoldenMix, FinalMixHasThePinnedHash) {
  const GoldenPiece& piece = GetParam();
  EXPECT_EQ(renderedHash(piece, RenderEngine::kFiles), piece.sha256)
      << "the final mix of " << piece.name << " changed; if that was meant, pin the new hash";
}

TEST_P(GoldenMix, TheStreamingRenderGivesThePinnedHash) {
  const GoldenPiece& piece = GetParam();
  EXPECT_EQ(renderedHash(piece, RenderEngine::kStreaming), piece.sha256)
      << "the streaming render of " << piece.name << " differs from the pinned final mix";
}

// clang-format off
const GoldenPiece kPieces[] = {
  {"OpenSimpleFiveInC", {20240131, 5, 1, 0, 0, 0, "Ope", "Sim", "F", "60"},
   "b8c5e2f9c1f20cfa098025bd958a248957f74e8035da892014bd53d7331521d1"},
  {"ClosedComplexFiveInFSharp", {777, 5, 7, 3, 5, 2, "Clo", "Com", "B", "60"},
   "66a60ebc2cdef601a465ddb33a3b9bc8dce0c3dabba6021276cbb5bf64f443ba"},
  {"OpenComplexFiveInB", {123456, 5, 12, 11, 11, 4, "Ope", "Com", "F", "90"},
   "74e2c11fbaf9e2c6869db28e52b43f05d8aa7fc2fd7f301f9d28676071692788"},
  {"ClosedSimpleFiveInE", {31337, 5, 5, 6, 8, 9, "Clo", "Sim", "F", "45"},
   "8320fd4cecacccfb7c6dd53a478429fc07b7a450cdf35b6933b4355cec61aede"},
  {"OpenSimpleTwelveInD", {99, 12, 3, 7, 2, 7, "Ope", "Sim", "B", "60"},
   "fff8b9e5b80543232c6eecbfeba46adca0c1e7f73a0eead4d36bf21d91600ba9"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Pieces, GoldenMix, ::testing::ValuesIn(kPieces),
                         [](const ::testing::TestParamInfo<GoldenPiece>& piece) { return piece.param.name; });

}  // namespace
}  // namespace brisolt::render
