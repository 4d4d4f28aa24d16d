// The streaming render against the file render, its oracle: for pieces of
// many seeds, keys, scales, motif modes and lengths on the synthetic bank,
// both give the same final mix byte for byte, the same phrase excerpts and
// the same score; a streaming run leaves no file in the temporary folder,
// Stop leaves no final mix, and the final name never holds a mix in the making.
//
// BRISOLT_ENGINE_SWEEP=<n> widens the sweep to n seeds (a few of them of 90
// phrases); the default run checks a handful.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/file_mixer.h"
#include "audio/output_files.h"
#include "compose/composer.h"
#include "platform/files/file_handle.h"
#include "platform/files/file_system.h"
#include "platform/files/owned_names.h"
#include "render/render_engine.h"
#include "render/streaming_render.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt::render {
namespace {

class CountingHost : public RenderHost {
 public:
  void advanceProgress() override { ++steps; }
  void showRemainingTime() override {}
  void abortGeneration() override { ++aborts; }
  void mixWritten(int mix) override { mixes.push_back(mix); }
  int steps = 0;
  int aborts = 0;
  std::vector<int> mixes;
};

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

struct Piece {
  std::uint32_t sessionId = 1;
  int phrases = 5;
  int keySignature = 1;
  int scale = 0;
  int motifMode = 0;
  int phraseMode = 0;
  const char* motifForm = "Ope";
  const char* similarity = "Sim";
  const char* voiceSet = "F";
  const char* tempo = "60";
};

std::string describe(const Piece& piece) {
  return "seed " + std::to_string(piece.sessionId) + ", " + std::to_string(piece.phrases) + " phrases, key " +
         std::to_string(piece.keySignature) + ", scale " + std::to_string(piece.scale) + ", motif mode " +
         std::to_string(piece.motifMode) + ", " + piece.motifForm + piece.similarity + piece.voiceSet + " tempo " +
         piece.tempo;
}

// The pieces of the sweep: settings spread over their ranges by the seed.
Piece sweepPiece(int index) {
  static const char* const kForms[] = {"Ope", "Clo"};
  static const char* const kSimilarities[] = {"Sim", "Com"};
  static const char* const kVoiceSets[] = {"F", "B"};
  static const char* const kTempos[] = {"60", "45", "90", "75"};
  Piece piece;
  piece.sessionId = 1000u + static_cast<std::uint32_t>(index) * 7919u;
  piece.phrases = index % 40 == 39 ? 90 : (index % 2 == 0 ? 5 : 10);
  piece.keySignature = 1 + index % 12;
  piece.scale = (index / 3) % 12;
  piece.motifMode = (index * 5) % 12;
  piece.phraseMode = (index * 7) % 10;
  piece.motifForm = kForms[index % 2];
  piece.similarity = kSimilarities[(index / 2) % 2];
  piece.voiceSet = kVoiceSets[(index / 4) % 2];
  piece.tempo = kTempos[(index / 8) % 4];
  return piece;
}

std::vector<std::uint8_t> fileBytes(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  platform::File file = platform::File::openForReading(path);
  if (!file) return bytes;
  std::vector<std::uint8_t> chunk(1 << 16);
  for (;;) {
    const std::uint32_t got = file.read(chunk.data(), static_cast<std::uint32_t>(chunk.size()));
    if (got == 0) break;
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
  }
  return bytes;
}

class StreamingRender : public test::TempFolderTest {
 protected:
  StreamingRender() { test::writeSyntheticBank(bankPath()); }

  std::string bankPath() const { return folder().file("Data.dat"); }

  // Plans `piece` into `composer` with output prefix `prefix`; false when it plans fewer phrases.
  bool plan(compose::Composer& composer, const Piece& piece, const std::string& prefix) {
    compose::PlanOptions options;
    options.outputPrefix = prefix;
    options.motifForm = piece.motifForm;
    options.motifRegularity = "Reg";
    options.motifSimilarity = piece.similarity;
    options.voiceSet = piece.voiceSet;
    options.phraseColour = "B";
    options.tempo = piece.tempo;
    options.phraseCount = piece.phrases;
    options.keySignature = piece.keySignature;
    options.scale = piece.scale;
    options.motifMode = piece.motifMode;
    options.phraseMode = piece.phraseMode;
    composer.fixSessionId(piece.sessionId);
    const bool planned = composer.planPiece(options) == piece.phrases;
    platform::deleteFile(prefix + "log.txt");
    return planned;
  }

  struct Rendered {
    int result = kRenderStopped;
    Score score;
    CountingHost host;
    int tempo = 0;
  };

  Rendered renderPiece(RenderEngine engine, const Piece& piece, const std::string& prefix) {
    Rendered rendered;
    compose::Composer composer;
    if (!plan(composer, piece, prefix)) return rendered;
    audio::FileMixer mixer;
    rendered.result = renderWith(engine, composer, mixer, bankPath(), prefix, rendered.host, rendered.score);
    rendered.tempo = composer.plan().tempo;
    return rendered;
  }

  // Both engines on `piece`: the same mix, score and progress; with
  // `excerpts`, the same first and last phrase excerpts.
  void expectSameMix(const Piece& piece, bool excerpts = false) {
    SCOPED_TRACE(describe(piece));
    const std::string filesPrefix = folder().file("files_");
    const std::string streamPrefix = folder().file("stream_");
    const Rendered files = renderPiece(RenderEngine::kFiles, piece, filesPrefix);
    const Rendered stream = renderPiece(RenderEngine::kStreaming, piece, streamPrefix);
    ASSERT_EQ(files.result, kRenderDone);
    ASSERT_EQ(stream.result, kRenderDone);
    const std::vector<std::uint8_t> expected = fileBytes(audio::finalMixPath(filesPrefix));
    const std::vector<std::uint8_t> got = fileBytes(audio::finalMixPath(streamPrefix));
    ASSERT_GT(expected.size(), audio::kMixPreambleSize);
    EXPECT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected) << "the final mixes differ";
    EXPECT_TRUE(stream.score == files.score) << "the scores differ";
    EXPECT_EQ(stream.host.steps, kRenderProgressSteps);
    EXPECT_EQ(stream.host.mixes, files.host.mixes);
    if (excerpts) {
      for (const int phrase : {1, piece.phrases}) {
        ASSERT_EQ(audio::writePhraseExcerpt(folder().path(), "files_", phrase, 60, files.tempo), 0);
        ASSERT_EQ(audio::writePhraseExcerpt(folder().path(), "stream_", phrase, 60, stream.tempo), 0);
        EXPECT_TRUE(fileBytes(audio::phraseExcerptPath(folder().path(), "stream_", phrase)) ==
                    fileBytes(audio::phraseExcerptPath(folder().path(), "files_", phrase)))
            << "the excerpts of phrase " << phrase << " differ";
        platform::deleteFile(audio::phraseExcerptPath(folder().path(), "stream_", phrase));
        platform::deleteFile(audio::phraseExcerptPath(folder().path(), "files_", phrase));
      }
    }
    platform::deleteFile(audio::finalMixPath(filesPrefix));
    platform::deleteFile(audio::finalMixPath(streamPrefix));
  }
};

TEST_F(StreamingRender, GivesTheFileRendersMixForPiecesOfEveryShape) {
  Piece minorClosed;
  minorClosed.sessionId = 777;
  minorClosed.keySignature = 7;
  minorClosed.scale = 3;
  minorClosed.motifMode = 5;
  minorClosed.phraseMode = 2;
  minorClosed.motifForm = "Clo";
  minorClosed.similarity = "Com";
  minorClosed.voiceSet = "B";
  expectSameMix(minorClosed);
  Piece tenFast;
  tenFast.sessionId = 4242;
  tenFast.phrases = 10;
  tenFast.keySignature = 12;
  tenFast.scale = 11;
  tenFast.motifMode = 11;
  tenFast.tempo = "90";
  expectSameMix(tenFast);
}

TEST_F(StreamingRender, GivesTheFileRendersPhraseExcerpts) {
  Piece piece;
  piece.sessionId = 31337;
  piece.keySignature = 5;
  piece.scale = 6;
  piece.motifMode = 8;
  piece.tempo = "45";
  expectSameMix(piece, true);
}

TEST_F(StreamingRender, MatchesTheFileRenderAcrossTheSweep) {
  const char* wanted = std::getenv("BRISOLT_ENGINE_SWEEP");
  const int count = wanted != nullptr ? std::atoi(wanted) : 2;
  for (int index = 0; index < count; ++index) {
    expectSameMix(sweepPiece(index), index % 10 == 0);
    if (HasFailure()) break;
  }
}

TEST_F(StreamingRender, WritesNothingButTheFinalMix) {
  Piece piece;
  const std::string prefix = folder().file("only_");
  const Rendered stream = renderPiece(RenderEngine::kStreaming, piece, prefix);
  ASSERT_EQ(stream.result, kRenderDone);
  const std::vector<std::string> left = platform::listFiles(folder().path(), "");
  EXPECT_EQ(left.size(), 2u) << "expected Data.dat and the final mix";
  EXPECT_TRUE(platform::fileExists(audio::finalMixPath(prefix)));
}

TEST_F(StreamingRender, StopLeavesNoFinalMix) {
  for (const int after : {3, 20, 60, 81}) {
    SCOPED_TRACE("stopped after " + std::to_string(after) + " steps");
    compose::Composer composer;
    const std::string prefix = folder().file("stop_");
    ASSERT_TRUE(plan(composer, Piece{}, prefix));
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
    if (platform::nameExists(finalMix_)) lengthsSeen.push_back(fileBytes(finalMix_).size());
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
    ASSERT_TRUE(plan(composer, Piece{}, prefix));
    audio::FileMixer mixer;
    FinalNameWatcher host(audio::finalMixPath(prefix));
    Score score;
    ASSERT_EQ(renderWith(engine, composer, mixer, bankPath(), prefix, host, score), kRenderDone);
    const std::size_t whole = fileBytes(audio::finalMixPath(prefix)).size();
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
  const Rendered files = renderPiece(RenderEngine::kFiles, Piece{}, folder().file("files_"));
  const Rendered stream = renderPiece(RenderEngine::kStreaming, Piece{}, prefix);
  EXPECT_EQ(files.result, kRenderStopped);
  EXPECT_EQ(stream.result, kRenderStopped);
  EXPECT_EQ(stream.host.aborts, 0);
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
