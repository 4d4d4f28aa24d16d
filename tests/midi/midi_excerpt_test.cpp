// Cutting a phrase's notes out of a piece: which notes belong to the window
// and how they are moved and ended.
#include <gtest/gtest.h>

#include "midi/midi_piece.h"

namespace brisolt::midi {
namespace {

MidiPiece pieceOfTwoPhrases() {
  MidiPiece piece;
  piece.keyName = "C";
  piece.scaleName = "Major";
  piece.sessionId = 7;
  piece.tracks.push_back({"a", {{1, 0.5, 2.0, 100}, {2, 64.5, 66.0, 90}, {3, 100.0, 130.0, 80}}});
  piece.tracks.push_back({"b", {{4, 10.0, 70.0, 70}}});
  return piece;
}

TEST(MidiExcerpt, KeepsOnlyNotesStruckInsideTheWindow) {
  const MidiPiece excerpt = excerptOf(pieceOfTwoPhrases(), 64.5, 128.5);
  ASSERT_EQ(excerpt.tracks.size(), 2u);
  ASSERT_EQ(excerpt.tracks[0].notes.size(), 2u);
  EXPECT_EQ(excerpt.tracks[0].notes[0].key, 2);
  EXPECT_EQ(excerpt.tracks[0].notes[1].key, 3);
  // Struck before the window, though still sounding in it.
  EXPECT_TRUE(excerpt.tracks[1].notes.empty());
  EXPECT_EQ(excerpt.tracks[1].name, "b");
}

TEST(MidiExcerpt, MovesNotesToStartAtTheWindowAndEndsThemAtItsEnd) {
  const MidiPiece excerpt = excerptOf(pieceOfTwoPhrases(), 64.5, 128.5);
  const MidiNote& first = excerpt.tracks[0].notes[0];
  EXPECT_DOUBLE_EQ(first.startSeconds, 0.0);
  EXPECT_DOUBLE_EQ(first.endSeconds, 1.5);
  EXPECT_EQ(first.velocity, 90);
  const MidiNote& last = excerpt.tracks[0].notes[1];
  EXPECT_DOUBLE_EQ(last.startSeconds, 35.5);
  EXPECT_DOUBLE_EQ(last.endSeconds, 64.0);
}

TEST(MidiExcerpt, WindowEndIsExclusive) {
  const MidiPiece excerpt = excerptOf(pieceOfTwoPhrases(), 0.0, 64.5);
  ASSERT_EQ(excerpt.tracks[0].notes.size(), 1u);
  EXPECT_EQ(excerpt.tracks[0].notes[0].key, 1);
  EXPECT_EQ(excerpt.tracks[1].notes.size(), 1u);
}

TEST(MidiExcerpt, KeepsTheConductorsFacts) {
  const MidiPiece excerpt = excerptOf(pieceOfTwoPhrases(), 0.0, 64.5);
  EXPECT_EQ(excerpt.sessionId, 7u);
  EXPECT_EQ(excerpt.scaleName, "Major");
}

}  // namespace
}  // namespace brisolt::midi
