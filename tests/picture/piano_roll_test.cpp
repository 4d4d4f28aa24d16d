// The piano roll as a browser's XML parser sees it (read back with Python's
// xml.etree): one mark per melody note, the other voices' notes, keys up and
// time across, rows of five phrases numbered in order, and the heading.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>

#include "picture/piano_roll.h"
#include "picture/picture_file.h"
#include "tests/support/shell_command.h"
#include "tests/support/temp_folder.h"

namespace brisolt::picture {
namespace {

using render::PlacedNote;
using render::VoiceId;

std::uint64_t bytesAt(double seconds) { return static_cast<std::uint64_t>(seconds * 22050) * 2; }

PlacedNote note(VoiceId voice, int key, double startSeconds, double lengthSeconds, bool cut = false) {
  PlacedNote placed;
  placed.voice = voice;
  placed.key = key;
  placed.start = bytesAt(startSeconds);
  placed.length = static_cast<std::uint32_t>(bytesAt(lengthSeconds));
  placed.cut = cut;
  return placed;
}

PianoRollPiece pieceOf(int phrases) {
  PianoRollPiece piece;
  piece.title = "Session 42";
  piece.subtitle = "C Major";
  piece.phraseCount = phrases;
  return piece;
}

class PianoRoll : public test::TempFolderTest {
 protected:
  nlohmann::json drawAndRead(const render::Score& score, const PianoRollPiece& piece) {
    const std::string path = folder().file("piece.svg");
    EXPECT_EQ(writePictureFile(pianoRollSvg(score, piece), path), "");
    const test::ShellRun run = test::runShell("/usr/bin/python3 '" BRISOLT_READ_SVG "' '" + path + "' 2>&1");
    EXPECT_EQ(run.status, 0) << "the SVG is not well-formed XML: " << run.out;
    return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json::object();
  }
};

TEST_F(PianoRoll, DrawsOneMarkPerMelodyNoteAndEveryOtherNoteInItsVoicesPath) {
  render::Score score;
  const VoiceId melody = VoiceId::melody(), a = VoiceId::ofLetter('a'), m = VoiceId::ofLetter('M');
  score.notes = {note(melody, 30, 1.0, 0.5),   note(melody, 32, 1.5, 0.5), note(melody, 30, 200.0, 1.0),
                 note(melody, 40, 400.0, 2.0), note(a, 10, 1.0, 4.0),      note(a, 12, 5.0, 4.0),
                 note(a, 10, 330.0, 4.0),      note(m, 20, 2.0, 1.0)};
  // Melody notes on the same key at the same time (its two files) are two marks.
  score.notes.push_back(note(melody, 30, 200.0, 1.0));
  const nlohmann::json svg = drawAndRead(score, pieceOf(7));
  EXPECT_EQ(svg["melodyMarks"], 5);
  ASSERT_EQ(svg["rows"].size(), 2u) << "7 phrases: a row of 5 and a row of 2";
  EXPECT_EQ(svg["rows"][0]["melody"].size(), 4u);
  EXPECT_EQ(svg["rows"][1]["melody"].size(), 1u) << "the note at 400 s lies in phrase 7 (from 384.5 s)";
  EXPECT_EQ(svg["rows"][0]["voices"], nlohmann::json({{"a", 2}, {"M", 1}}));
  EXPECT_EQ(svg["rows"][1]["voices"], nlohmann::json({{"a", 1}}));
}

TEST_F(PianoRoll, KeysGoUpAndTimeGoesAcross) {
  render::Score score;
  score.notes = {note(VoiceId::melody(), 60, 10.0, 1.0), note(VoiceId::melody(), 1, 20.0, 2.0),
                 note(VoiceId::melody(), 13, 30.0, 5.0, true)};
  const nlohmann::json marks = drawAndRead(score, pieceOf(5))["rows"][0]["melody"];
  ASSERT_EQ(marks.size(), 3u);
  const nlohmann::json &high = marks[0], &low = marks[1], &cut = marks[2];
  EXPECT_LT(high["y"].get<double>(), low["y"].get<double>()) << "key 60 is drawn above key 1";
  EXPECT_NEAR(low["y"].get<double>() - high["y"].get<double>(), 59 * high["height"].get<double>(), 0.01)
      << "one row of the height of a mark per key";
  EXPECT_NEAR(low["x"].get<double>() - high["x"].get<double>(), 10 * 3.2, 0.11) << "3.2 px a second";
  EXPECT_NEAR(low["width"].get<double>(), 2 * high["width"].get<double>(), 0.11);
  EXPECT_NEAR(cut["width"].get<double>(), 2 * 3.2, 0.11) << "a cut note rings for its 2 s, not its 5 s";
}

TEST_F(PianoRoll, NumbersThePhrasesRowByRow) {
  const nlohmann::json svg = drawAndRead(render::Score{}, pieceOf(12));
  ASSERT_EQ(svg["rows"].size(), 3u);
  EXPECT_EQ(svg["rows"][0]["phrases"], nlohmann::json({1, 2, 3, 4, 5}));
  EXPECT_EQ(svg["rows"][1]["phrases"], nlohmann::json({6, 7, 8, 9, 10}));
  EXPECT_EQ(svg["rows"][2]["phrases"], nlohmann::json({11, 12}));
}

TEST_F(PianoRoll, ALongPieceGrowsDownThePageNotAcross) {
  render::Score fivePhrases, ninetyPhrases;
  fivePhrases.files = {{VoiceId::melody(), 0, bytesAt(0.5 + 5 * 64 + 3)}};
  ninetyPhrases.files = {{VoiceId::melody(), 0, bytesAt(0.5 + 90 * 64 + 3)}};
  const nlohmann::json five = drawAndRead(fivePhrases, pieceOf(5));
  const nlohmann::json ninety = drawAndRead(ninetyPhrases, pieceOf(90));
  EXPECT_EQ(ninety["width"], five["width"]);
  EXPECT_EQ(ninety["rows"].size(), 18u);
  EXPECT_LT(five["width"].get<double>(), 1200.0) << "a row of five phrases fits a screen's width";
  EXPECT_GT(ninety["height"].get<double>(), 17 * five["height"].get<double>() / 2);
}

TEST_F(PianoRoll, TitleNamesTheSessionAndTheSettingsAsText) {
  PianoRollPiece piece = pieceOf(5);
  piece.title = "Session 7 <draft> & \"more\"";
  piece.subtitle = "A# Minor Harmonic \xC2\xB7 motif mode K";
  const nlohmann::json svg = drawAndRead(render::Score{}, piece);
  const nlohmann::json& texts = svg["texts"];
  EXPECT_NE(std::find(texts.begin(), texts.end(), piece.title), texts.end()) << texts.dump();
  EXPECT_NE(std::find(texts.begin(), texts.end(), piece.subtitle), texts.end()) << texts.dump();
  EXPECT_NE(svg["title"].get<std::string>().find("Session 7 <draft>"), std::string::npos) << svg["title"];
}

}  // namespace
}  // namespace brisolt::picture
