// The score of placed notes: voices told apart from the melody, lookups by
// voice file, and score.json written and read back.
#include <gtest/gtest.h>

#include <string>

#include "render/score.h"
#include "render/score_json.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace brisolt::render {
namespace {

Score sampleScore() {
  Score score;
  score.files = {{VoiceId::melody(), 0, 14244300}, {VoiceId::melody(), 1, 14244300},
                 {VoiceId::ofLetter('0'), 0, 14266350}, {VoiceId::ofLetter('M'), 0, 100},
                 {VoiceId::ofLetter('m'), 0, 14244300}};
  score.notes = {{VoiceId::melody(), 0, 30, 4, 1, 44100, 132300, true},
                 {VoiceId::melody(), 1, 32, 3, 2, 154350, 66150, false},
                 {VoiceId::ofLetter('0'), 0, 13, 2, 6, 4000000000ULL, 66150, false},
                 {VoiceId::ofLetter('m'), 0, 60, 2, 7, 66150, 66150, false},
                 {VoiceId::melody(), 0, 56, 1, 9, 22050, 22050, false}};
  return score;
}

TEST(VoiceIdentity, TheMelodyIsNoLetter) {
  for (const char letter : std::string("09AZamz")) {
    EXPECT_NE(VoiceId::ofLetter(letter), VoiceId::melody()) << letter;
    EXPECT_EQ(VoiceId::fromName(VoiceId::ofLetter(letter).name()), VoiceId::ofLetter(letter)) << letter;
  }
  EXPECT_EQ(VoiceId::fromName(VoiceId::melody().name()), VoiceId::melody());
  EXPECT_NE(VoiceId::ofLetter('m'), VoiceId::ofLetter('M'));
  EXPECT_EQ(VoiceId::fromName(""), std::nullopt);
  EXPECT_EQ(VoiceId::fromName("mel"), std::nullopt);
}

TEST(PlacedNotes, SecondsFollowTheByteRate) {
  const PlacedNote note{VoiceId::ofLetter('a'), 0, 40, 1, 1, 66150, 44100, false};
  EXPECT_DOUBLE_EQ(note.startSeconds(), 1.5);
  EXPECT_DOUBLE_EQ(note.lengthSeconds(), 1.0);
  EXPECT_EQ(note.clipBytes(), 44100u);
  const PlacedNote cut{VoiceId::melody(), 0, 40, 4, 1, 0, 132300, true};
  EXPECT_EQ(cut.clipBytes(), 88200u) << "a cut note copies two seconds of its clip";
}

TEST(ScoreLookup, NotesOfOneVoiceFileComeByStart) {
  const Score score = sampleScore();
  const std::vector<PlacedNote> melody = score.notesOf(VoiceId::melody(), 0);
  ASSERT_EQ(melody.size(), 2u);
  EXPECT_EQ(melody[0].key, 56);
  EXPECT_EQ(melody[1].key, 30);
  EXPECT_EQ(score.notesOf(VoiceId::ofLetter('M'), 0), std::vector<PlacedNote>{});
  ASSERT_NE(score.findFile(VoiceId::melody(), 1), nullptr);
  EXPECT_EQ(score.findFile(VoiceId::ofLetter('0'), 0)->dataBytes, 14266350u);
  EXPECT_EQ(score.findFile(VoiceId::ofLetter('0'), 1), nullptr);
}

TEST(ScoreCollection, TakingTheScoreLeavesTheCollectorEmpty) {
  EventCollector events;
  events.notePlaced(sampleScore().notes[0]);
  events.fileClosed(sampleScore().files[0]);
  const Score taken = events.takeScore();
  EXPECT_EQ(taken.notes.size(), 1u);
  EXPECT_EQ(taken.files.size(), 1u);
  EXPECT_TRUE(events.score().notes.empty());
  EXPECT_TRUE(events.score().files.empty());
}

TEST(ScoreJson, ATextRoundTripGivesTheSameScore) {
  const Score score = sampleScore();
  const ScoreParse parse = scoreFromJson(scoreToJson(score));
  ASSERT_TRUE(parse.score.has_value()) << parse.error;
  EXPECT_TRUE(*parse.score == score);
}

TEST(ScoreJson, AnEmptyScoreAndAScoreWithoutNotesRoundTrip) {
  const ScoreParse empty = scoreFromJson(scoreToJson(Score{}));
  ASSERT_TRUE(empty.score.has_value()) << empty.error;
  EXPECT_TRUE(*empty.score == Score{});
  Score filesOnly = sampleScore();
  filesOnly.notes.clear();
  const ScoreParse parse = scoreFromJson(scoreToJson(filesOnly));
  ASSERT_TRUE(parse.score.has_value()) << parse.error;
  EXPECT_TRUE(*parse.score == filesOnly);
}

TEST(ScoreJson, TheTextNamesVoicesByLetterAndTheMelodyByName) {
  const std::string text = scoreToJson(sampleScore());
  EXPECT_NE(text.find("\"voice\": \"melody\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"voice\": \"0\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"bytesPerSecond\": 44100"), std::string::npos) << text;
}

TEST(ScoreJson, WhatIsNotAScoreIsRefusedWithTheReason) {
  const std::string good = scoreToJson(sampleScore());
  EXPECT_NE(scoreFromJson("{").error.find("not a score"), std::string::npos);
  std::string unknownVoice = good;
  unknownVoice.replace(unknownVoice.find("\"m\""), 3, "\"mm\"");
  const ScoreParse voice = scoreFromJson(unknownVoice);
  EXPECT_FALSE(voice.score.has_value());
  EXPECT_NE(voice.error.find("unknown voice \"mm\""), std::string::npos) << voice.error;
  std::string newer = good;
  newer.replace(newer.find("\"version\": 1"), 12, "\"version\": 2");
  EXPECT_NE(scoreFromJson(newer).error.find("version 2"), std::string::npos) << scoreFromJson(newer).error;
  std::string noKey = good;
  noKey.replace(noKey.find("\"key\""), 5, "\"kee\"");
  EXPECT_FALSE(scoreFromJson(noKey).score.has_value());
}

class ScoreFiles : public test::TempFolderTest {};

TEST_F(ScoreFiles, AWrittenScoreFileReadsBackTheSame) {
  const std::string path = folder().file("score.json");
  ASSERT_TRUE(writeScoreFile(sampleScore(), path));
  const ScoreParse parse = readScoreFile(path);
  ASSERT_TRUE(parse.score.has_value()) << parse.error;
  EXPECT_TRUE(*parse.score == sampleScore());
}

TEST_F(ScoreFiles, AMissingOrBrokenFileIsNamedInTheError) {
  const std::string missing = folder().file("none.json");
  EXPECT_NE(readScoreFile(missing).error.find(missing), std::string::npos);
  const std::string broken = folder().file("broken.json");
  test::writeFileBytes(broken, test::Bytes{'[', '1'});
  const ScoreParse parse = readScoreFile(broken);
  EXPECT_FALSE(parse.score.has_value());
  EXPECT_NE(parse.error.find(broken), std::string::npos) << parse.error;
  EXPECT_FALSE(writeScoreFile(sampleScore(), folder().file("no/such/folder/score.json")));
}

TEST(ScoreExcerpts, HoldTheNotesStruckWithinMovedToStartAtZero) {
  const Score score = sampleScore();
  // From 0.5 s for 1.5 s: the notes struck at 1 s (melody 30), 1.5 s (m 60)
  // and 0.5 s (melody 56, at the very start); not 3.5 s (melody 32).
  const Score part = scoreExcerpt(score, 22050, 66150);
  ASSERT_EQ(part.notes.size(), 3u);
  EXPECT_EQ(part.notes[0].key, 30);
  EXPECT_EQ(part.notes[0].start, 22050u);
  EXPECT_EQ(part.notes[0].length, 132300u) << "a note rings on past the excerpt's end as it is";
  EXPECT_TRUE(part.notes[0].cut);
  EXPECT_EQ(part.notes[1].key, 60);
  EXPECT_EQ(part.notes[1].start, 44100u);
  EXPECT_EQ(part.notes[2].key, 56);
  EXPECT_EQ(part.notes[2].start, 0u);
  ASSERT_EQ(part.files.size(), score.files.size());
  EXPECT_EQ(part.files[0].dataBytes, 66150u) << "every file cut to the excerpt's length";
  EXPECT_EQ(part.files[3].dataBytes, 0u) << "a file that ended before the excerpt is empty in it";
  EXPECT_EQ(scoreExcerpt(score, 5000000000ULL, 44100).notes.size(), 0u);
  EXPECT_EQ(scoreExcerpt(score, 0, 66150).notes.size(), 2u) << "a note struck at the end is not within";
}

TEST(ScoreFileNames, LieBesideTheLogOfTheirSession) {
  EXPECT_EQ(scoreFilePath("/home/u/Archive/240131_142507_"), "/home/u/Archive/240131_142507_score.json");
}

}  // namespace
}  // namespace brisolt::render
