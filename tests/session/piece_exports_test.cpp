// The score's clips as the notes of the MIDI file and of the rendition: where
// they lie on the mix's timeline, which track holds them, how loud they are,
// and the files written beside the mix.
#include "session/piece_exports.h"

#include <gtest/gtest.h>

#include "midi/velocity_curve.h"
#include "platform/files/file_system.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

using render::PlacedNote;
using render::ScoreFile;
using render::VoiceId;

// 44100 bytes a second on every voice file's timeline.
constexpr std::uint64_t kSecond = 44100;

render::Score twoVoiceScore() {
  render::Score score;
  score.files = {{VoiceId::melody(), 0, 100 * kSecond}, {VoiceId::melody(), 1, 100 * kSecond},
                 {VoiceId::ofLetter('3'), 0, 102 * kSecond}};
  // Melody: file 1's clip falls between file 0's two; the second of file 0 is
  // a cut note of 4 s whose sound ends after 2 s.
  score.notes = {{VoiceId::melody(), 0, 30, 1, 1, 20682, 2 * 22050, false},
                 {VoiceId::melody(), 0, 32, 2, 3, 20682 + 3 * kSecond, 4 * static_cast<std::uint32_t>(kSecond), true},
                 {VoiceId::melody(), 1, 31, 1, 9, 20682 + kSecond, static_cast<std::uint32_t>(kSecond), false},
                 {VoiceId::ofLetter('3'), 0, 12, 4, 5, 13230, 8 * 22050, false}};
  return score;
}

compose::PiecePlan plan(const std::string& key, const std::string& family) {
  compose::PiecePlan plan;
  plan.keyDisplayName = key;
  plan.modeFamily = family;
  plan.sessionId = 4242;
  return plan;
}

TEST(ScoreOnTheMixTimeline, AClipIsStruckWhereItsCopyStartsAndEndsWhereItsClipEnds) {
  const render::Score score = twoVoiceScore();
  const ScoreNoteTime whole = noteTimeOnMix(score.notes[0]);
  EXPECT_DOUBLE_EQ(whole.startSeconds, 20682.0 / 44100.0);
  EXPECT_DOUBLE_EQ(whole.endSeconds, (20682.0 + 44100.0) / 44100.0);
  const ScoreNoteTime cut = noteTimeOnMix(score.notes[1]);
  EXPECT_DOUBLE_EQ(cut.startSeconds, 3.0 + 20682.0 / 44100.0);
  EXPECT_DOUBLE_EQ(cut.endSeconds - cut.startSeconds, 2.0) << "a cut note sounds for the 2 s of clip copied";
}

TEST(ScoreAsMidi, OneTrackPerVoiceNamedByItsLetterWithBothFilesOfAVoiceInTimeOrder) {
  const midi::MidiPiece piece = midiPieceOf(twoVoiceScore(), plan("F#", "Min"));
  ASSERT_EQ(piece.tracks.size(), 2u);
  EXPECT_EQ(piece.tracks[0].name, "melody");
  EXPECT_EQ(piece.tracks[1].name, "3");
  ASSERT_EQ(piece.tracks[0].notes.size(), 3u);
  EXPECT_EQ(piece.tracks[0].notes[0].key, 30);
  EXPECT_EQ(piece.tracks[0].notes[1].key, 31) << "file 1's clip sits between file 0's";
  EXPECT_EQ(piece.tracks[0].notes[2].key, 32);
  ASSERT_EQ(piece.tracks[1].notes.size(), 1u);
  EXPECT_DOUBLE_EQ(piece.tracks[1].notes[0].startSeconds, 0.3);
  EXPECT_DOUBLE_EQ(piece.tracks[1].notes[0].endSeconds, 4.3);
}

TEST(ScoreAsMidi, VelocityFollowsTheAttenuationStep) {
  const midi::MidiPiece piece = midiPieceOf(twoVoiceScore(), plan("C", "Maj"));
  EXPECT_EQ(piece.tracks[0].notes[0].velocity, midi::velocityForAttenuationStep(1));
  EXPECT_EQ(piece.tracks[0].notes[1].velocity, midi::velocityForAttenuationStep(9));
  EXPECT_EQ(piece.tracks[0].notes[2].velocity, midi::velocityForAttenuationStep(3));
  EXPECT_GT(piece.tracks[0].notes[0].velocity, piece.tracks[0].notes[1].velocity);
}

TEST(ScoreAsMidi, TheConductorKnowsTheKeyTheModeAndTheSession) {
  const midi::MidiPiece minor = midiPieceOf(twoVoiceScore(), plan("F#", "Min"));
  EXPECT_EQ(minor.keySignature, 7);
  EXPECT_EQ(minor.mode, midi::MidiMode::kMinor);
  EXPECT_EQ(minor.sessionId, 4242u);
  const midi::MidiPiece major = midiPieceOf(twoVoiceScore(), plan("B", "Maj"));
  EXPECT_EQ(major.keySignature, 12);
  EXPECT_EQ(major.mode, midi::MidiMode::kMajor);
  EXPECT_EQ(midiPieceOf(twoVoiceScore(), plan("", "")).mode, midi::MidiMode::kNone) << "an unknown key writes none";
}

TEST(ScoreAsRendition, EveryClipIsANoteByStartAndThePieceLastsAsLongAsItsLongestFile) {
  const render::Score score = twoVoiceScore();
  const auto notes = renditionNotesOf(score);
  ASSERT_EQ(notes.size(), score.notes.size());
  for (std::size_t k = 1; k < notes.size(); ++k) EXPECT_LE(notes[k - 1].startSeconds, notes[k].startSeconds);
  EXPECT_EQ(notes.front().key, 12);
  EXPECT_EQ(notes.back().key, 32);
  EXPECT_DOUBLE_EQ(notes.back().endSeconds - notes.back().startSeconds, 2.0);
  EXPECT_DOUBLE_EQ(mixSecondsOf(score), 102.0);
}

using PieceExportFiles = test::TempFolderTest;

TEST_F(PieceExportFiles, TheMidiFileIsWrittenAndAMissingSoundFontIsToldNotHidden) {
  const std::string prefix = folder().file("240131_142507_");
  const PieceExports exports =
      writePieceExports(twoVoiceScore(), plan("C", "Maj"), prefix, folder().file("no-such-piano.sf2"));
  EXPECT_TRUE(exports.midiWritten) << exports.midiProblem;
  EXPECT_TRUE(platform::fileExists(prefix + "Piano.mid"));
  EXPECT_FALSE(exports.renditionWritten);
  EXPECT_FALSE(exports.renditionProblem.empty());
  EXPECT_FALSE(platform::fileExists(prefix + "PelkoL.wav"));
}

}  // namespace
}  // namespace brisolt
