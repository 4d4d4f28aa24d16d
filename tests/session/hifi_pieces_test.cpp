// Four composed pieces as MIDI and as mastered stereo recordings, judged by
// readers apart from the program: Python's mido reads Piano.mid, ffmpeg's
// ebur128 filter measures PelkoL.wav, libsndfile reads its samples. The
// pieces are rendered on the synthetic bank and played on the real piano
// SoundFont (skipped when fluid-soundfont-gm is not installed).
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "render/render_engine.h"
#include "rendition/soundfont_locator.h"
#include "session/piece_exports.h"
#include "tests/render/piece_test_support.h"
#include "tests/rendition/audio_oracle.h"
#include "tests/support/shell_command.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

struct Piece {
  const char* name;
  test::PieceSettings settings;
};

// Different keys, scales, motifs and voice sets.
const Piece kPieces[] = {
    {"OpenSimpleFiveInC", {}},  // the defaults
    {"ClosedComplexFiveInFSharp",
     {.sessionId = 777, .keySignature = 7, .scale = 3, .motifMode = 5, .phraseMode = 2, .motifForm = "Clo",
      .similarity = "Com", .voiceSet = "B"}},
    {"OpenComplexFiveInB",
     {.sessionId = 123456, .keySignature = 12, .scale = 11, .motifMode = 11, .phraseMode = 4, .similarity = "Com"}},
    {"ClosedSimpleFiveInE",
     {.sessionId = 31337, .keySignature = 5, .scale = 6, .motifMode = 8, .phraseMode = 9, .motifForm = "Clo"}},
};

class HiFiPieces : public test::TempFolderTest {
 protected:
  HiFiPieces() { test::writeSyntheticBank(folder().file("Data.dat")); }

  // Plans and renders `piece` into `prefix`; its score, or nothing.
  std::optional<render::Score> compose(const Piece& piece, const std::string& prefix, compose::Composer& composer) {
    if (!test::planPiece(composer, piece.settings, prefix)) return std::nullopt;
    audio::FileMixer mixer;
    test::CountingHost host;
    render::Score score;
    if (render::renderWith(render::RenderEngine::kStreaming, composer, mixer, folder().file("Data.dat"), prefix, host,
                           score) != render::kRenderDone) {
      return std::nullopt;
    }
    return score;
  }
};

// What mido reads of a MIDI file (see tests/midi/read_midi.py).
nlohmann::json readMidi(const std::string& path) {
  const test::ShellRun run = test::runShell("/usr/bin/python3 '" BRISOLT_READ_MIDI "' '" + path + "'");
  EXPECT_EQ(run.status, 0) << "mido could not read " << path << ": " << run.out;
  return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json::object();
}

void checkMidi(const render::Score& score, const std::string& path) {
  const nlohmann::json midi = readMidi(path);
  ASSERT_TRUE(midi.contains("tracks")) << path;
  EXPECT_EQ(midi["type"], 1) << "format 1";
  // Every placed clip is a note of its voice's track, struck where it starts
  // on the mix's timeline (tempo 60: one second a beat).
  std::map<std::string, std::vector<long>> onsets;
  for (const render::PlacedNote& note : score.notes) {
    onsets[note.voice.name()].push_back(std::lround(note.startSeconds() * midi["ticks_per_beat"].get<double>()));
  }
  const nlohmann::json& tracks = midi["tracks"];
  ASSERT_GE(tracks.size(), onsets.size() + 1) << "a conductor track and one track per voice";
  std::map<std::string, int> tracksOf;
  for (std::size_t t = 1; t < tracks.size(); ++t) {
    const std::string name = tracks[t]["name"];
    ++tracksOf[name];
    std::vector<long> expected = onsets[name];  // none for a voice whose files hold only silence
    std::sort(expected.begin(), expected.end());
    std::vector<long> got;
    for (const nlohmann::json& note : tracks[t]["notes"]) got.push_back(note["on"].get<long>());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, expected) << "the notes of voice " << name;
    EXPECT_EQ(tracks[t]["unended"], 0) << "every note of voice " << name << " ends";
  }
  for (const auto& [voice, clips] : onsets) {
    EXPECT_EQ(tracksOf[voice], 1) << "voice " << voice << " (" << clips.size() << " clips) has one track";
  }
}

TEST_F(HiFiPieces, EachHasItsMidiFileAndAMasteredRenditionWithinOneLuOfTheOthers) {
  if (rendition::findPianoSoundfont().empty()) GTEST_SKIP() << "no piano SoundFont installed (fluid-soundfont-gm)";
  std::vector<double> loudness;
  for (const Piece& piece : kPieces) {
    SCOPED_TRACE(piece.name);
    const std::string prefix = folder().file(std::string(piece.name) + "_");
    compose::Composer composer;
    const std::optional<render::Score> score = compose(piece, prefix, composer);
    ASSERT_TRUE(score) << "the piece could not be composed";
    const PieceExports exports = writePieceExports(*score, composer.plan(), prefix, "");
    ASSERT_TRUE(exports.midiWritten) << exports.midiProblem;
    ASSERT_TRUE(exports.renditionWritten) << exports.renditionProblem;

    checkMidi(*score, prefix + "Piano.mid");

    const std::string rendition = prefix + "PelkoL.wav";
    const std::optional<test::WaveContents> read = test::readWave(rendition);
    ASSERT_TRUE(read) << rendition;
    EXPECT_EQ(read->sampleRate, 44100);
    EXPECT_EQ(read->channels, 2);
    EXPECT_EQ(read->format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_GE(static_cast<double>(read->samples.size() / 2) / 44100, mixSecondsOf(*score) - 0.01)
        << "the rendition lasts as long as the mix at least";
    const std::optional<test::FfmpegLoudness> measured = test::ffmpegLoudness(rendition);
    ASSERT_TRUE(measured) << "ffmpeg could not measure " << rendition;
    EXPECT_NEAR(measured->integratedLufs, -16.0, 1.0);
    EXPECT_LE(measured->truePeakDbtp, -1.0);
    loudness.push_back(measured->integratedLufs);
    // Anywhere, the end included: no sound above -45 dBFS straight into 50 ms
    // of digital zero.
    const std::optional<std::size_t> fall = test::fallIntoSilence(read->samples, -45.0, 44100 / 20);
    EXPECT_FALSE(fall) << "sound falls into digital silence at frame " << fall.value_or(0);
  }
  const auto [low, high] = std::minmax_element(loudness.begin(), loudness.end());
  EXPECT_LE(*high - *low, 1.0) << "from " << *low << " to " << *high << " LUFS";
}

}  // namespace
}  // namespace brisolt
