// The streaming render against the file render, its oracle: for pieces of
// many seeds, keys, scales, motif modes and lengths, on the synthetic bank
// and on the real one, both give the same final mix byte for byte, the same
// phrase excerpts and the same score; a streaming run leaves no file in the
// temporary folder, Stop leaves no final mix, the final name never holds a
// mix in the making, and a bank that ends early fails both engines alike.
//
// The default run sweeps a few dozen pieces (one of 90 phrases); the long
// sweep of hundreds is engine_sweep_test (ctest -L sweep).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "audio/file_mixer.h"
#include "audio/output_files.h"
#include "audio/sample_table.h"
#include "compose/composer.h"
#include "platform/files/file_system.h"
#include "platform/files/owned_names.h"
#include "render/render_engine.h"
#include "render/streaming_render.h"
#include "tests/render/engine_agreement.h"
#include "tests/render/piece_test_support.h"
#include "tests/support/file_bytes.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt::render {
namespace {

using test::CountingHost;
using test::PieceSettings;

// Stops the run once `after` steps have been shown.
class StoppingHost : public CountingHost {
 public:
  StoppingHost(compose::Composer& composer, int after) : composer_(composer), after_(after) {}
  void advanceProgress() override {
    CountingHost::advanceProgress();
    if (steps == after_) composer_.cancelRequested = true;
  }

 private:
  compose::Composer& composer_;
  int after_;
};

class StreamingRender : public test::TempFolderTest {
 protected:
  StreamingRender() { test::writeSyntheticBank(bankPath()); }

  std::string bankPath() const { return folder().file("Data.dat"); }

  void expectSameMix(const PieceSettings& piece, bool excerpts = false) {
    test::expectEnginesAgree(folder().path(), bankPath(), piece, excerpts);
  }

  int renderPiece(RenderEngine engine, const PieceSettings& piece, const std::string& prefix, CountingHost& host) {
    compose::Composer composer;
    if (!test::planPiece(composer, piece, prefix)) return kRenderStopped;
    audio::FileMixer mixer;
    Score score;
    return renderWith(engine, composer, mixer, bankPath(), prefix, host, score);
  }
};

TEST_F(StreamingRender, GivesTheFileRendersMixForPiecesOfEveryShape) {
  // Minor, closed and complex, in the other voice set.
  expectSameMix({.sessionId = 777, .keySignature = 7, .scale = 3, .motifMode = 5, .phraseMode = 2,
                 .motifForm = "Clo", .similarity = "Com", .voiceSet = "B"});
  // Ten phrases, fast.
  expectSameMix({.sessionId = 4242, .phrases = 10, .keySignature = 12, .scale = 11, .motifMode = 11, .tempo = "90"});
}

TEST_F(StreamingRender, GivesTheFileRendersPhraseExcerpts) {
  expectSameMix({.sessionId = 31337, .keySignature = 5, .scale = 6, .motifMode = 8, .tempo = "45"}, true);
}

// A bank whose silence clip is not zeros: silence is then copied from it as
// the voice files copy it, run by run, instead of taken as zeros.
TEST_F(StreamingRender, GivesTheFileRendersMixWhenTheSilenceClipSounds) {
  {
    std::fstream bank(bankPath(), std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(bank.good());
    std::vector<char> hum(audio::kSilenceClipSize);
    for (std::size_t i = 0; i < hum.size(); ++i) hum[i] = static_cast<char>(i % 7 == 0 ? 3 : i % 5);
    bank.seekp(audio::kSilenceClipOffset);
    bank.write(hum.data(), static_cast<std::streamsize>(hum.size()));
    ASSERT_TRUE(bank.good());
  }
  expectSameMix({.sessionId = 1052, .motifForm = "Clo"});
  PieceSettings tenSlow = test::sweepPiece(5);
  tenSlow.tempo = "45";
  expectSameMix(tenSlow);
}

// The first pieces of the sweep, one test each (piece 23 has 90 phrases).
class StreamingRenderSweep : public StreamingRender, public ::testing::WithParamInterface<int> {};

TEST_P(StreamingRenderSweep, GivesTheFileRendersMix) {
  expectSameMix(test::sweepPiece(GetParam()), GetParam() % 10 == 0);
}

INSTANTIATE_TEST_SUITE_P(Pieces, StreamingRenderSweep, ::testing::Range(0, 24));

// On Data.dat as brisolt-make-bank builds it, where the SoundFont is installed.
TEST(StreamingRenderRealBank, GivesTheFileRendersMixAndExcerpts) {
  if (test::realBankPath().empty()) GTEST_SKIP() << "no real bank: " << test::realBankMissing();
  test::TempFolder folder;
  test::ScopedTmpdir tmpdir(folder.path());
  test::expectEnginesAgree(folder.path(), test::realBankPath(), test::sweepPiece(0), true);
  test::expectEnginesAgree(folder.path(), test::realBankPath(), test::sweepPiece(7));
  PieceSettings window;  // the piece the benchmarks compose
  test::expectEnginesAgree(folder.path(), test::realBankPath(), window);
}

TEST_F(StreamingRender, WritesNothingButTheFinalMix) {
  const std::string prefix = folder().file("only_");
  CountingHost host;
  ASSERT_EQ(renderPiece(RenderEngine::kStreaming, PieceSettings{}, prefix, host), kRenderDone);
  const std::vector<std::string> left = platform::listFiles(folder().path(), "");
  EXPECT_EQ(left.size(), 2u) << "expected Data.dat and the final mix";
  EXPECT_TRUE(platform::fileExists(audio::finalMixPath(prefix)));
}

TEST_F(StreamingRender, StopLeavesNoFinalMix) {
  for (const int after : {3, 20, 60, 81}) {
    SCOPED_TRACE("stopped after " + std::to_string(after) + " steps");
    compose::Composer composer;
    const std::string prefix = folder().file("stop_");
    ASSERT_TRUE(test::planPiece(composer, PieceSettings{}, prefix));
    audio::FileMixer mixer;
    StoppingHost host(composer, after);
    Score score;
    EXPECT_EQ(renderStreaming(composer, mixer, bankPath(), prefix, host, score), kRenderStopped);
    EXPECT_EQ(host.aborts, 1);
    EXPECT_FALSE(platform::fileExists(audio::finalMixPath(prefix)));
    EXPECT_EQ(platform::listFiles(folder().path(), "").size(), 1u) << "only Data.dat may be left";
  }
}

// Looks at the final mix's name at every step, noting the length of what
// stands there, and whether the mix is being made under its partial name.
class FinalNameWatcher : public CountingHost {
 public:
  explicit FinalNameWatcher(std::string finalMix) : finalMix_(std::move(finalMix)) {}
  void advanceProgress() override {
    CountingHost::advanceProgress();
    if (platform::nameExists(finalMix_)) lengthsSeen.push_back(test::readFileBytes(finalMix_).size());
    if (platform::fileExists(platform::partialName(finalMix_, ::getpid()))) ++stepsWithPartial;
  }
  std::vector<std::size_t> lengthsSeen;
  int stepsWithPartial = 0;

 private:
  std::string finalMix_;
};

TEST_F(StreamingRender, TheFinalNameHoldsOnlyAWholeMixInBothEngines) {
  for (const RenderEngine engine : {RenderEngine::kStreaming, RenderEngine::kFiles}) {
    SCOPED_TRACE(engine == RenderEngine::kStreaming ? "streaming" : "files");
    const std::string prefix = folder().file(engine == RenderEngine::kStreaming ? "s_" : "f_");
    compose::Composer composer;
    ASSERT_TRUE(test::planPiece(composer, PieceSettings{}, prefix));
    audio::FileMixer mixer;
    FinalNameWatcher host(audio::finalMixPath(prefix));
    Score score;
    ASSERT_EQ(renderWith(engine, composer, mixer, bankPath(), prefix, host, score), kRenderDone);
    const std::size_t whole = test::readFileBytes(audio::finalMixPath(prefix)).size();
    for (const std::size_t seen : host.lengthsSeen) EXPECT_EQ(seen, whole) << "the final name held a mix in the making";
    EXPECT_TRUE(platform::fileExists(audio::finalMixPath(prefix)));
    EXPECT_FALSE(platform::nameExists(platform::partialName(audio::finalMixPath(prefix), ::getpid())));
    if (engine == RenderEngine::kStreaming) {
      EXPECT_GT(host.stepsWithPartial, 0) << "the mix was made under its partial name";
    }
  }
}

TEST_F(StreamingRender, FailsWithoutFilesWhenTheBankEndsEarly) {
  test::SyntheticBankOptions shortBank;
  shortBank.length = 4000000;
  test::writeSyntheticBank(bankPath(), shortBank);
  const std::string prefix = folder().file("short_");
  CountingHost filesHost;
  CountingHost streamHost;
  EXPECT_EQ(renderPiece(RenderEngine::kFiles, PieceSettings{}, folder().file("files_"), filesHost), kRenderStopped);
  EXPECT_EQ(renderPiece(RenderEngine::kStreaming, PieceSettings{}, prefix, streamHost), kRenderStopped);
  EXPECT_EQ(streamHost.aborts, 0);
  EXPECT_FALSE(platform::fileExists(audio::finalMixPath(prefix)));
}

TEST(RenderEngineChoice, NamesAndTemporarySpace) {
  EXPECT_EQ(renderEngineFromName("files"), RenderEngine::kFiles);
  EXPECT_EQ(renderEngineFromName("streaming"), RenderEngine::kStreaming);
  EXPECT_FALSE(renderEngineFromName("disk").has_value());
  EXPECT_EQ(renderEngineFromName(renderEngineName(kDefaultRenderEngine)), kDefaultRenderEngine);
  EXPECT_EQ(temporaryBytesNeeded(RenderEngine::kStreaming, 90, 60), 0u) << "only the final mix is written";
  // 5 phrases of 16 bars at 60 beats a minute: 323 s of mix at 44100 bytes a
  // second behind its header, seventeen times over.
  EXPECT_EQ(temporaryBytesNeeded(RenderEngine::kFiles, 5, 60), 17u * (323u * 44100u + 44u));
  EXPECT_NEAR(static_cast<double>(temporaryBytesNeeded(RenderEngine::kFiles, 90, 60)) / 90 / 1e6, 48.0, 1.0)
      << "the measured peak: about 48 MB a phrase";
  EXPECT_LT(temporaryBytesNeeded(RenderEngine::kFiles, 5, 120), temporaryBytesNeeded(RenderEngine::kFiles, 5, 60));
}

}  // namespace
}  // namespace brisolt::render
