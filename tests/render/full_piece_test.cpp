// A whole 5-phrase piece rendered by the real voice renderers on a full-size
// synthetic bank, counted through a renderer table that wraps them: the calls
// and voice files, the stems and the final mix, the log, a repeat with the
// same session id, and a clean temporary folder afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "platform/files/file_handle.h"
#include "platform/files/file_system.h"
#include "render/render_driver.h"
#include "render/voice_file.h"
#include "render/voice_table.h"
#include "tests/render/piece_test_support.h"
#include "tests/support/file_bytes.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt::render {
namespace {

constexpr std::uint32_t kSessionId = 20240131;
constexpr std::uint32_t kFiveRenderedPhrases = 80 * 176400;  // 320 s

// Wraps the program's renderers: counts every call and the files each
// result names, and keeps the first 104 bytes of each file before the mix
// consumes it.
class CountingRenderers {
 public:
  CountingRenderers() {
    const VoiceRenderers& real = programVoiceRenderers();
    table_.melody = [this, &real](compose::Composer& composer, const std::string& data, EventCollector& events) {
      return counted(0, real.melody(composer, data, events));
    };
    const auto wrap = [this](const VoiceRenderers::Voice& renderer) {
      return [this, renderer](compose::Composer& composer, const std::string& data, char letter,
                              EventCollector& events, int step) {
        return counted(letter, renderer(composer, data, letter, events, step));
      };
    };
    table_.ensemble = wrap(real.ensemble);
    table_.accompaniment = wrap(real.accompaniment);
    table_.split = wrap(real.split);
    table_.pulse = wrap(real.pulse);
  }

  const VoiceRenderers& table() const { return table_; }
  int calls = 0;
  std::vector<std::string> files;
  std::vector<char> letters;  // per file, the voice that wrote it (0: the melody)
  std::vector<test::Bytes> preambles;
  std::vector<std::uint64_t> sizes;

 private:
  VoiceResult counted(char letter, VoiceResult result) {
    ++calls;
    for (const std::string& path : result.paths) {
      {
        test::Bytes bytes(104);
        platform::File file = platform::File::openForReading(path);
        bytes.resize(file.read(bytes.data(), 104));
        sizes.push_back(test::fileSize(path));
        files.push_back(path);
        letters.push_back(letter);
        preambles.push_back(bytes);
      }
    }
    return result;
  }

  VoiceRenderers table_;
};

class FullPiece : public test::TempFolderTest {
 protected:
  FullPiece() {
    platform::createFolder(folder().file("bank"));
    platform::createFolder(archive());
    test::writeSyntheticBank(dataPath());
  }

  // Plans five phrases with the fixed session id and renders them.
  int compose(const std::string& prefix, CountingRenderers& renderers, test::CountingHost& host, Score& score) {
    test::PieceSettings piece;
    piece.sessionId = kSessionId;
    composer_.fixSessionId(kSessionId);
    if (composer_.planPiece(test::planOptionsFor(piece, archive() + prefix)) != 5) return -1;
    return render(composer_, mixer_, dataPath(), archive() + prefix, host, score, renderers.table());
  }
  std::string dataPath() const { return folder().file("bank/Data.dat"); }
  std::string archive() const { return folder().file("archive/"); }

  compose::Composer composer_;
  audio::FileMixer mixer_;
};

TEST_F(FullPiece, FiftyNineCallsSixtyFourVoicesEightStemsAndOneFinalMix) {
  CountingRenderers renderers;
  test::CountingHost host;
  Score score;
  ASSERT_EQ(compose("240131_142507_", renderers, host, score), kRenderDone);

  EXPECT_EQ(renderers.calls, 59);
  ASSERT_EQ(renderers.files.size(), 64u);
  EXPECT_EQ(host.steps, kRenderProgressSteps);
  EXPECT_EQ(host.mixes, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9})) << "eight stems, then the final mix";
  EXPECT_EQ(host.aborts, 0);

  const std::string finalMix = archive() + "240131_142507_Pelko.wav";
  test::Bytes start = test::readFileBytes(finalMix);
  ASSERT_GT(start.size(), 104u);
  // Group 1 writes eight files (the melody's two and six more); the ninth
  // file is group 2's first, voice O.
  ASSERT_EQ(renderers.letters[8], 'O');
  EXPECT_EQ(std::vector(start.begin(), start.begin() + 104), renderers.preambles[8]);

  // The final mix is as long as the last input of the last stem mixed (voice Z
  // of group 1, stem 8): its lead-in, the five phrases and its tail.
  const int leadInMs = builtinVoiceTable().common('Z')->leadInMs;
  EXPECT_EQ(test::fileSize(finalMix) - audio::kHeaderSize,
            leadInBytes(leadInMs) + kFiveRenderedPhrases + tailBytes(leadInMs));
  for (std::size_t k = 0; k < renderers.sizes.size(); ++k) {
    const int ms = renderers.letters[k] == 0 ? 0 : builtinVoiceTable().common(renderers.letters[k])->leadInMs;
    if (renderers.letters[k] != 0) {
      EXPECT_EQ(renderers.sizes[k] - audio::kHeaderSize, leadInBytes(ms) + kFiveRenderedPhrases + tailBytes(ms))
          << "voice '" << renderers.letters[k] << "' does not end with the others";
    }
  }

  const test::Bytes log = test::readFileBytes(archive() + "240131_142507_log.txt");
  const std::string text(log.begin(), log.end());
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 8) << text;

  EXPECT_EQ(platform::listFiles(folder().path(), ""), std::vector<std::string>{})
      << "the run left files in the temporary folder";

  // The score the driver hands back names every voice file, in the order
  // written, with its data length, and notes of every voice that sounds.
  ASSERT_EQ(score.files.size(), 64u);
  for (std::size_t k = 0; k < score.files.size(); ++k) {
    const ScoreFile& file = score.files[k];
    EXPECT_EQ(file.voice, renderers.letters[k] ? VoiceId::ofLetter(renderers.letters[k]) : VoiceId::melody());
    EXPECT_EQ(file.dataBytes, renderers.sizes[k] - audio::kHeaderSize) << "file " << k;
  }
  EXPECT_EQ(score.files[0].file, 0);
  EXPECT_EQ(score.files[1].file, 1) << "the melody's second file";
  EXPECT_FALSE(score.notesOf(VoiceId::melody(), 0).empty());
  EXPECT_FALSE(score.notesOf(VoiceId::melody(), 1).empty());
  for (const PlacedNote& note : score.notes) {
    EXPECT_TRUE(note.key >= 1 && note.key <= 60) << note.key;
    const ScoreFile* file = score.findFile(note.voice, note.file);
    ASSERT_NE(file, nullptr);
    EXPECT_LE(note.end(), file->dataBytes) << "a note of voice " << note.voice.name() << " ends past its file";
  }
}

TEST_F(FullPiece, TheSameSessionIdGivesAByteIdenticalFinalMix) {
  CountingRenderers first;
  CountingRenderers second;
  test::CountingHost host;
  Score firstScore;
  Score secondScore;
  ASSERT_EQ(compose("240131_142507_", first, host, firstScore), kRenderDone);
  ASSERT_EQ(compose("240131_142508_", second, host, secondScore), kRenderDone);
  EXPECT_TRUE(firstScore == secondScore) << "two renders of session " << kSessionId << " placed different notes";
  const test::Bytes a = test::readFileBytes(archive() + "240131_142507_Pelko.wav");
  const test::Bytes b = test::readFileBytes(archive() + "240131_142508_Pelko.wav");
  ASSERT_EQ(a.size(), b.size());
  EXPECT_TRUE(a == b) << "two renders of session " << kSessionId << " differ";
}

}  // namespace
}  // namespace brisolt::render
