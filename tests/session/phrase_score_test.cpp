// A saved phrase's score: the notes of the session's score under the
// phrase's excerpt, timed from the excerpt's start, named beside it.
#include "session/phrase_score.h"

#include <gtest/gtest.h>

#include "render/score_json.h"
#include "session/phrase_exports.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

using render::PlacedNote;
using render::VoiceId;

using PhraseScore = test::TempFolderTest;

TEST_F(PhraseScore, HoldsTheNotesStruckInThePhraseTimedFromItsExcerpt) {
  const std::string folder = this->folder().path();
  const std::uint64_t start = phraseExcerptStartByte(2, 60);  // where the mix's excerpt of phrase 2 begins
  render::Score score;
  score.files = {{VoiceId::melody(), 0, start + 3 * 2822400}};
  score.notes = {{VoiceId::melody(), 0, 30, 1, 1, start - 1, 44100, false},       // phrase 1's last
                 {VoiceId::melody(), 0, 31, 1, 1, start, 44100, false},           // the first of phrase 2
                 {VoiceId::ofLetter('a'), 0, 12, 2, 3, start + 2822399, 44100, false},  // its last
                 {VoiceId::melody(), 0, 33, 1, 1, start + 2822400, 44100, false}};      // phrase 3's first
  ASSERT_TRUE(render::writeScoreFile(score, render::scoreFilePath(folder + "P_")));

  ASSERT_EQ(writePhraseScore(folder, "P_", 2, 60), PhraseScoreResult::kWritten);
  EXPECT_EQ(phraseScorePath(folder, "P_", 2), folder + "P_score_02.json");
  const render::ScoreParse part = render::readScoreFile(phraseScorePath(folder, "P_", 2));
  ASSERT_TRUE(part.score) << part.error;
  ASSERT_EQ(part.score->notes.size(), 2u);
  EXPECT_EQ(part.score->notes[0].key, 31);
  EXPECT_EQ(part.score->notes[0].start, 0u);
  EXPECT_EQ(part.score->notes[1].key, 12);
  EXPECT_EQ(part.score->notes[1].start, 2822399u);
  EXPECT_EQ(part.score->notes[1].step, 3);
  ASSERT_EQ(part.score->files.size(), 1u);
  EXPECT_EQ(part.score->files[0].dataBytes, 2822400u);
}

TEST_F(PhraseScore, ASessionWithoutAScoreWritesNone) {
  const std::string folder = this->folder().path();
  EXPECT_EQ(writePhraseScore(folder, "Q_", 1, 60), PhraseScoreResult::kNoScore);
  render::Score empty;
  ASSERT_TRUE(render::writeScoreFile(empty, render::scoreFilePath(folder + "Q_")));
  EXPECT_EQ(writePhraseScore(folder + "missing/", "Q_", 1, 60), PhraseScoreResult::kNoScore);
  EXPECT_EQ(writePhraseScore(folder, "Q_", 1, 60), PhraseScoreResult::kWritten);
}

}  // namespace
}  // namespace brisolt
