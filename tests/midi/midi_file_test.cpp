// MIDI files as an independent reader (Python's mido) sees them: format,
// tracks, tempo, key signature, texts, and every note with its times and
// velocity.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "midi/midi_file_writer.h"
#include "midi/midi_key.h"
#include "tests/support/file_bytes.h"
#include "tests/support/shell_command.h"
#include "tests/support/temp_folder.h"

namespace brisolt::midi {
namespace {

using test::TempFolderTest;

class MidiFile : public TempFolderTest {
 protected:
  // Writes `piece` and reads it back with mido (Debian's python3-mido, so
  // the system's Python).
  nlohmann::json writeAndRead(const MidiPiece& piece) {
    const std::string path = folder().file("piece.mid");
    const MidiWrite written = writeMidiFile(piece, path);
    EXPECT_EQ(written.result, MidiWriteResult::kOk) << written.message;
    const test::ShellRun run = test::runShell("/usr/bin/python3 '" BRISOLT_READ_MIDI "' '" + path + "'");
    EXPECT_EQ(run.status, 0) << "mido could not read " << path << ": " << run.out;
    return nlohmann::json::parse(run.out);
  }
};

MidiPiece twoVoicePiece() {
  MidiPiece piece;
  piece.keySignature = 3;  // D
  piece.mode = MidiMode::kMajor;
  piece.keyName = "D";
  piece.scaleName = "Minor Harmonic";
  piece.sessionId = 4242;
  piece.tracks.push_back({"a", {{1, 0.5, 2.5, 100}, {13, 0.5, 1.0, 64}, {60, 66.25, 67.0, 34}}});
  piece.tracks.push_back({"M", {{30, 1.0, 3.0, 89}}});
  return piece;
}

TEST_F(MidiFile, IsFormatOneWithAConductorTrackAndOneTrackPerVoice) {
  const nlohmann::json midi = writeAndRead(twoVoicePiece());
  EXPECT_EQ(midi["type"], 1);
  EXPECT_EQ(midi["ticks_per_beat"], kTicksPerQuarter);
  ASSERT_EQ(midi["tracks"].size(), 3u);
  EXPECT_EQ(midi["tracks"][1]["name"], "a");
  EXPECT_EQ(midi["tracks"][2]["name"], "M");
  for (int track : {1, 2}) EXPECT_EQ(midi["tracks"][track]["programs"], nlohmann::json::array({0}));
}

TEST_F(MidiFile, ConductorTrackCarriesTempoSixtyKeyScaleAndSession) {
  const nlohmann::json conductor = writeAndRead(twoVoicePiece())["tracks"][0];
  EXPECT_EQ(conductor["tempos"], nlohmann::json::array({1000000}));
  EXPECT_EQ(conductor["keys"], nlohmann::json::array({"D"}));
  EXPECT_EQ(conductor["texts"], nlohmann::json::array({"Key D", "Scale Minor Harmonic", "Session 4242"}));
  EXPECT_TRUE(conductor["notes"].empty());
}

TEST_F(MidiFile, KeySignatureFollowsTonicAndMode) {
  struct Case {
    int keySignature;
    MidiMode mode;
    const char* expected;
  };
  for (const Case& c : {Case{1, MidiMode::kMajor, "C"}, Case{2, MidiMode::kMajor, "Db"},
                        Case{7, MidiMode::kMajor, "F#"}, Case{12, MidiMode::kMajor, "B"},
                        Case{10, MidiMode::kMinor, "Am"}, Case{1, MidiMode::kMinor, "Cm"},
                        Case{4, MidiMode::kMinor, "D#m"}, Case{9, MidiMode::kMinor, "G#m"}}) {
    MidiPiece piece = twoVoicePiece();
    piece.keySignature = c.keySignature;
    piece.mode = c.mode;
    EXPECT_EQ(writeAndRead(piece)["tracks"][0]["keys"], nlohmann::json::array({c.expected}))
        << "key signature " << c.keySignature;
  }
}

TEST_F(MidiFile, NoKeySignatureWithoutAMode) {
  MidiPiece piece = twoVoicePiece();
  piece.mode = MidiMode::kNone;
  EXPECT_TRUE(writeAndRead(piece)["tracks"][0]["keys"].empty());
}

TEST_F(MidiFile, EveryNoteKeepsItsPitchTimesAndVelocity) {
  const nlohmann::json midi = writeAndRead(twoVoicePiece());
  const nlohmann::json voiceA = midi["tracks"][1]["notes"];
  ASSERT_EQ(voiceA.size(), 3u);
  // 480 ticks a second at tempo 60.
  EXPECT_EQ(voiceA[0], (nlohmann::json{{"note", midiNoteOfKey(1)}, {"on", 240}, {"off", 1200}, {"velocity", 100}}));
  EXPECT_EQ(voiceA[1], (nlohmann::json{{"note", midiNoteOfKey(13)}, {"on", 240}, {"off", 480}, {"velocity", 64}}));
  EXPECT_EQ(voiceA[2], (nlohmann::json{{"note", 83}, {"on", 31800}, {"off", 32160}, {"velocity", 34}}));
  EXPECT_EQ(midi["tracks"][2]["notes"][0],
            (nlohmann::json{{"note", midiNoteOfKey(30)}, {"on", 480}, {"off", 1440}, {"velocity", 89}}));
  for (int track : {1, 2}) EXPECT_EQ(midi["tracks"][track]["unended"], 0);
}

TEST_F(MidiFile, KeyOneIsTheBankBuildersLowestNote) {
  EXPECT_EQ(midiNoteOfKey(1), 24);   // C1
  EXPECT_EQ(midiNoteOfKey(60), 83);  // B5
}

TEST_F(MidiFile, RestruckKeyEndsTheSoundingNoteFirst) {
  MidiPiece piece = twoVoicePiece();
  piece.tracks = {{"b", {{20, 1.0, 4.0, 90}, {20, 2.0, 3.0, 70}}}};
  const nlohmann::json notes = writeAndRead(piece)["tracks"][1]["notes"];
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0], (nlohmann::json{{"note", 43}, {"on", 480}, {"off", 960}, {"velocity", 90}}));
  EXPECT_EQ(notes[1], (nlohmann::json{{"note", 43}, {"on", 960}, {"off", 1440}, {"velocity", 70}}));
}

TEST_F(MidiFile, ManyVoicesStayApartAndSkipTheDrumChannel) {
  MidiPiece piece = twoVoicePiece();
  piece.tracks.clear();
  for (int voice = 0; voice < 20; ++voice) piece.tracks.push_back({std::string(1, static_cast<char>('a' + voice)), {{voice + 1, 1.0, 2.0, 80}}});
  const std::vector<std::uint8_t> bytes = encodeMidiFile(piece);
  const nlohmann::json midi = writeAndRead(piece);
  ASSERT_EQ(midi["tracks"].size(), 21u);
  for (int voice = 0; voice < 20; ++voice) {
    EXPECT_EQ(midi["tracks"][voice + 1]["notes"].size(), 1u) << "voice " << voice;
  }
  // No channel-10 (0x99 note-on) status anywhere.
  for (std::size_t i = 0; i + 2 < bytes.size(); ++i) {
    if (bytes[i] == 0x99 && bytes[i + 2] == 80) ADD_FAILURE() << "a note on the drum channel at byte " << i;
  }
}

TEST_F(MidiFile, CannotCreateNamesThePath) {
  const std::string path = folder().file("missing/piece.mid");
  const MidiWrite written = writeMidiFile(twoVoicePiece(), path);
  EXPECT_EQ(written.result, MidiWriteResult::kCannotCreate);
  EXPECT_NE(written.message.find(path), std::string::npos) << written.message;
}

}  // namespace
}  // namespace brisolt::midi
