// A piece as a picture and as a MIDI file, made by the built executable on a
// synthetic bank and read back by independent readers (Python's xml.etree
// and mido): `brisolt plan --format svg`, `brisolt compose --picture` and
// `brisolt compose --output FILE.mid`, each checked note for note against the
// score this test plans itself for the same session and settings.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/settings/composition_settings.h"
#include "compose/composer.h"
#include "midi/midi_file_writer.h"
#include "midi/midi_key.h"
#include "platform/files/file_system.h"
#include "render/score_plan.h"
#include "session/plan_options_from_settings.h"
#include "tests/support/file_bytes.h"
#include "tests/support/shell_command.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

// The settings every run here names on its command line, so that no
// Brisolt.INI saved beside the executable changes them.
const std::string kSettings = "--key D --scale 'Minor Harmonic' --motif C --phrase-mode E";

CompositionSettings settingsOf(int phrases) {
  CompositionSettings settings;
  settings.keySignature = 3;
  settings.scale = 2;
  settings.motifMode = 2;
  settings.phraseMode = 4;
  settings.phraseCount = phrases;
  return settings;
}

class PiecePictureCli : public test::TempFolderTest {
 protected:
  PiecePictureCli() { test::writeSyntheticBank(dataPath()); }

  std::string dataPath() const { return folder().file("Data.dat"); }

  // Runs the executable; its standard output goes to `outFile`.
  int run(const std::string& arguments, const std::string& outFile) {
    const test::ShellRun shell = test::runShell(std::string("'") + BRISOLT_EXECUTABLE + "' " + arguments + " >'" +
                                                outFile + "' 2>'" + folder().file("stderr.txt") + "'");
    const test::Bytes err = test::readFileBytes(folder().file("stderr.txt"));
    lastErr_.assign(err.begin(), err.end());
    return shell.status;
  }
  const std::string& lastErr() const { return lastErr_; }

  // The score of the piece the command line plans for `sessionId`, planned here.
  render::Score plannedScore(std::uint32_t sessionId, int phrases) {
    compose::Composer composer;
    composer.fixSessionId(sessionId);
    platform::createFolder(folder().file("oracle"));
    const int planned = composer.planPiece(planOptionsFromSettings(settingsOf(phrases), folder().file("oracle/")));
    EXPECT_EQ(planned, phrases);
    render::ScorePlan plan = render::planScore(composer, dataPath());
    EXPECT_EQ(plan.result, render::ScorePlanResult::kPlanned) << plan.message;
    return std::move(plan.score);
  }

  nlohmann::json readWith(const char* script, const std::string& path) {
    const test::ShellRun shell = test::runShell(std::string("/usr/bin/python3 '") + script + "' '" + path + "' 2>&1");
    EXPECT_EQ(shell.status, 0) << script << " could not read " << path << ": " << shell.out;
    return shell.status == 0 ? nlohmann::json::parse(shell.out) : nlohmann::json::object();
  }

 private:
  std::string lastErr_;
};

std::size_t melodyNotesOf(const render::Score& score) {
  return static_cast<std::size_t>(std::count_if(score.notes.begin(), score.notes.end(),
                                                 [](const render::PlacedNote& note) { return note.voice.isMelody; }));
}

std::map<std::string, int> otherNotesByVoice(const render::Score& score) {
  std::map<std::string, int> voices;
  for (const render::PlacedNote& note : score.notes) {
    if (!note.voice.isMelody) ++voices[note.voice.name()];
  }
  return voices;
}

TEST_F(PiecePictureCli, PlanDrawsOneMarkPerMelodyNoteOfAFivePhrasePieceInUnderOneMegabyte) {
  const std::string svgPath = folder().file("plan.svg");
  ASSERT_EQ(run("plan --format svg --session-id 2718 --phrases 5 --data '" + dataPath() + "' " + kSettings, svgPath), 0)
      << lastErr();
  EXPECT_EQ(platform::listFiles(folder().path(), "").size(), 3u)
      << "plan leaves no file: only the bank, the picture and stderr.txt are here";
  const render::Score score = plannedScore(2718, 5);
  ASSERT_GT(melodyNotesOf(score), 100u);
  const nlohmann::json svg = readWith(BRISOLT_READ_SVG, svgPath);
  EXPECT_EQ(svg["melodyMarks"].get<std::size_t>(), melodyNotesOf(score));
  std::map<std::string, int> drawn;
  for (const nlohmann::json& row : svg["rows"]) {
    for (const auto& [voice, count] : row["voices"].items()) drawn[voice] += count.get<int>();
  }
  EXPECT_EQ(drawn, otherNotesByVoice(score)) << "every other voice's note is drawn in its voice's path";
  EXPECT_LT(test::fileSize(svgPath), 1'000'000u);
  EXPECT_NE(svg["title"].get<std::string>().find("session 2718"), std::string::npos) << svg["title"];
  EXPECT_NE(svg["title"].get<std::string>().find("D Minor Harmonic"), std::string::npos) << svg["title"];
}

TEST_F(PiecePictureCli, NinetyPhrasesReadDownTheBackOfEighteenRows) {
  const std::string svgPath = folder().file("long.svg");
  ASSERT_EQ(run("plan --format svg --session-id 9 --phrases 90 --data '" + dataPath() + "' " + kSettings, svgPath), 0)
      << lastErr();
  const nlohmann::json svg = readWith(BRISOLT_READ_SVG, svgPath);
  ASSERT_EQ(svg["rows"].size(), 18u);
  EXPECT_EQ(svg["rows"][17]["phrases"], nlohmann::json({86, 87, 88, 89, 90}));
  EXPECT_EQ(svg["melodyMarks"].get<std::size_t>(), melodyNotesOf(plannedScore(9, 90)));
  EXPECT_LT(svg["width"].get<double>(), 1200.0) << "as wide as five phrases, whatever the length";
}

TEST_F(PiecePictureCli, PlanSvgWithoutSampleDataNamesTheBankBuilder) {
  const std::string missing = folder().file("nowhere/Data.dat");
  EXPECT_EQ(run("plan --format svg --session-id 1 --data '" + missing + "'", folder().file("out.svg")), 3);
  EXPECT_NE(lastErr().find(missing), std::string::npos) << lastErr();
  EXPECT_NE(lastErr().find("brisolt-make-bank"), std::string::npos) << lastErr();
}

TEST_F(PiecePictureCli, ComposeDrawsThePictureThatPlanPrintsAndWritesTheScoreAsMidi) {
  platform::createFolder(folder().file("out"));
  const std::string picture = folder().file("out/piece.svg"), midi = folder().file("out/piece.mid");
  const std::string stdoutPath = folder().file("stdout.txt");
  ASSERT_EQ(run("compose -q --no-hifi --session-id 31 --phrases 5 --data '" + dataPath() + "' --archive '" +
                    folder().file("Archive") + "' --output '" + midi + "' --picture '" + picture + "' " + kSettings,
                stdoutPath),
            0)
      << lastErr();
  const test::Bytes out = test::readFileBytes(stdoutPath);
  EXPECT_TRUE(std::string(out.begin(), out.end()).ends_with("\n" + midi + "\n" + picture + "\n"))
      << "the export's path, then the picture's, after the mix's and the log's";

  ASSERT_EQ(run("plan --format svg --session-id 31 --phrases 5 --data '" + dataPath() + "' " + kSettings,
                folder().file("plan.svg")),
            0)
      << lastErr();
  EXPECT_TRUE(test::readFileBytes(picture) == test::readFileBytes(folder().file("plan.svg")))
      << "compose's picture of the rendered score and plan's of the planned score differ";

  // The MIDI file: format 1, a conductor track and one track per voice, and
  // every placed note a note on its key at its start.
  const render::Score score = plannedScore(31, 5);
  const nlohmann::json file = readWith(BRISOLT_READ_MIDI, midi);
  EXPECT_EQ(file["type"], 1);
  // Every voice that wrote a file has its track, with notes or without.
  std::map<std::string, std::vector<std::pair<int, long>>> expected;
  for (const render::ScoreFile& voiceFile : score.files) expected[voiceFile.voice.name()];
  for (const render::PlacedNote& note : score.notes) {
    expected[note.voice.name()].emplace_back(midi::midiNoteOfKey(note.key),
                                             std::lround(note.startSeconds() * midi::kTicksPerQuarter));
  }
  ASSERT_EQ(file["tracks"].size(), 1 + expected.size());
  for (std::size_t track = 1; track < file["tracks"].size(); ++track) {
    const nlohmann::json& read = file["tracks"][track];
    const std::string voice = read["name"];
    ASSERT_TRUE(expected.count(voice)) << "track " << track << " is no voice of the score: " << voice;
    std::vector<std::pair<int, long>> notes;
    for (const nlohmann::json& note : read["notes"]) notes.emplace_back(note["note"], note["on"]);
    std::vector<std::pair<int, long>> wanted = expected[voice];
    std::sort(notes.begin(), notes.end());
    std::sort(wanted.begin(), wanted.end());
    EXPECT_EQ(notes, wanted) << "voice " << voice;
    EXPECT_EQ(read["unended"], 0) << "voice " << voice;
  }
}

}  // namespace
}  // namespace brisolt
