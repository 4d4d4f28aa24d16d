// The two render engines compared on one piece, and the banks they run on.
#include "tests/render/engine_agreement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#include "audio/file_mixer.h"
#include "audio/output_files.h"
#include "compose/composer.h"
#include "platform/files/file_system.h"
#include "render/render_engine.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"
#ifdef BRISOLT_HAS_BANK_BUILDER
#include "tools/bank_builder/bank_builder.h"
#endif

namespace brisolt::test {
namespace {

struct Rendered {
  int result = render::kRenderStopped;
  render::Score score;
  CountingHost host;
  int tempo = 0;
};

Rendered renderPiece(render::RenderEngine engine, const std::string& bankPath, const PieceSettings& piece,
                     const std::string& prefix) {
  Rendered rendered;
  compose::Composer composer;
  if (!planPiece(composer, piece, prefix)) return rendered;
  audio::FileMixer mixer;
  rendered.result = render::renderWith(engine, composer, mixer, bankPath, prefix, rendered.host, rendered.score);
  rendered.tempo = composer.plan().tempo;
  return rendered;
}

struct RealBank {
  std::unique_ptr<TempFolder> folder;
  std::string path;
  std::string missing;
};

// $TMPDIR as the program started, before any test made its own folder the
// temporary folder.
const std::string startingTmpdir = [] {
  const char* value = std::getenv("TMPDIR");
  return std::string(value != nullptr && *value != '\0' ? value : "/tmp");
}();

RealBank buildRealBank() {
  RealBank bank;
#ifdef BRISOLT_HAS_BANK_BUILDER
  const std::string soundfont(tools::kDefaultSoundfont);
  if (!fileExists(soundfont)) {
    bank.missing = soundfont + " is not installed (package fluid-soundfont-gm)";
    return bank;
  }
  const tools::BankBuild build = tools::buildSampleBank(soundfont);
  if (!build.error.empty()) {
    bank.missing = "the bank could not be built: " + build.error;
    return bank;
  }
  // Outside the folder of the test that asks first: the bank serves every
  // test of the process, and that folder goes when its test ends.
  const ScopedTmpdir outside(startingTmpdir);
  bank.folder = std::make_unique<TempFolder>();
  bank.path = bank.folder->file("Data.dat");
  writeFileBytes(bank.path, Bytes(build.bytes.begin(), build.bytes.end()));
#else
  bank.missing = "brisolt-make-bank was built without FluidSynth (package libfluidsynth-dev)";
#endif
  return bank;
}

// Where two files first differ: -1 when they are the same, else the byte
// (the shorter file's length when one is the start of the other).
std::int64_t firstDifference(const std::string& a, const std::string& b) {
  std::ifstream first(a, std::ios::binary);
  std::ifstream second(b, std::ios::binary);
  std::vector<char> left(1 << 20);
  std::vector<char> right(1 << 20);
  std::int64_t at = 0;
  for (;;) {
    first.read(left.data(), static_cast<std::streamsize>(left.size()));
    second.read(right.data(), static_cast<std::streamsize>(right.size()));
    const std::streamsize got = first.gcount();
    const std::streamsize other = second.gcount();
    for (std::streamsize i = 0; i < std::min(got, other); ++i) {
      if (left[static_cast<std::size_t>(i)] != right[static_cast<std::size_t>(i)]) return at + i;
    }
    if (got != other) return at + std::min(got, other);
    if (got == 0) return -1;
    at += got;
  }
}

const RealBank& realBank() {
  static const RealBank bank = buildRealBank();
  return bank;
}

}  // namespace

PieceSettings sweepPiece(int index) {
  static const char* const kForms[] = {"Ope", "Clo"};
  static const char* const kSimilarities[] = {"Sim", "Com"};
  static const char* const kVoiceSets[] = {"F", "B"};
  static const char* const kTempos[] = {"60", "45", "90", "75"};
  PieceSettings piece;
  piece.sessionId = 1000u + static_cast<std::uint32_t>(index) * 7919u;
  piece.phrases = index % kLongSweepEvery == kFirstLongSweepPiece ? 90 : (index % 2 == 0 ? 5 : 10);
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

const std::string& realBankPath() { return realBank().path; }
const std::string& realBankMissing() { return realBank().missing; }

void expectEnginesAgree(const std::string& folder, const std::string& bankPath, const PieceSettings& piece,
                        bool excerpts) {
  SCOPED_TRACE(describe(piece));
  const std::string filesPrefix = folder + "files_";
  const std::string streamPrefix = folder + "stream_";
  const Rendered files = renderPiece(render::RenderEngine::kFiles, bankPath, piece, filesPrefix);
  const Rendered stream = renderPiece(render::RenderEngine::kStreaming, bankPath, piece, streamPrefix);
  ASSERT_EQ(files.result, render::kRenderDone);
  ASSERT_EQ(stream.result, render::kRenderDone);
  const std::string expected = audio::finalMixPath(filesPrefix);
  const std::string got = audio::finalMixPath(streamPrefix);
  ASSERT_GT(fileSize(expected), audio::kMixPreambleSize);
  EXPECT_EQ(fileSize(got), fileSize(expected));
  EXPECT_EQ(firstDifference(got, expected), -1) << "the final mixes differ from that byte on";
  EXPECT_TRUE(stream.score == files.score) << "the scores differ";
  EXPECT_EQ(stream.host.steps, render::kRenderProgressSteps);
  EXPECT_EQ(stream.host.mixes, files.host.mixes);
  EXPECT_EQ(stream.host.aborts, 0);
  if (excerpts) {
    for (const int phrase : {1, piece.phrases}) {
      ASSERT_EQ(audio::writePhraseExcerpt(folder, "files_", phrase, 60, files.tempo), 0);
      ASSERT_EQ(audio::writePhraseExcerpt(folder, "stream_", phrase, 60, stream.tempo), 0);
      const Bytes fromFiles = readFileBytes(audio::phraseExcerptPath(folder, "files_", phrase));
      EXPECT_GT(fromFiles.size(), audio::kMixPreambleSize) << "phrase " << phrase;
      EXPECT_TRUE(readFileBytes(audio::phraseExcerptPath(folder, "stream_", phrase)) == fromFiles)
          << "the excerpts of phrase " << phrase << " differ";
      platform::deleteFile(audio::phraseExcerptPath(folder, "stream_", phrase));
      platform::deleteFile(audio::phraseExcerptPath(folder, "files_", phrase));
    }
  }
  platform::deleteFile(audio::finalMixPath(filesPrefix));
  platform::deleteFile(audio::finalMixPath(streamPrefix));
}

}  // namespace brisolt::test
