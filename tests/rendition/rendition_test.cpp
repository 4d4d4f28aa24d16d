// The whole rendition with the real piano SoundFont (skipped when it is not
// installed), and the named refusals when there is no usable SoundFont.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "rendition/rendition.h"
#include "rendition/soundfont_locator.h"
#include "tests/rendition/audio_oracle.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace brisolt::rendition {
namespace {

using test::TempFolderTest;

class Rendition : public TempFolderTest {};

// About six notes a second for `seconds`, from 0.5 s on, with a 4-second
// rest in the middle where the texture thins to nothing.
std::vector<RenditionNote> notesOfAPiece(double seconds, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<RenditionNote> notes;
  for (double t = 0.5; t < seconds; t += 1.0 / 6.0) {
    if (t > seconds / 2 && t < seconds / 2 + 4.0) continue;
    const int key = 1 + static_cast<int>(random() % 60);
    notes.push_back({key, t, t + 0.3 + static_cast<double>(random() % 100) / 50.0, 34 + static_cast<int>(random() % 67)});
  }
  return notes;
}

TEST_F(Rendition, FourPiecesMeetTheLoudnessAndPeakTargetsAndNeverCutToSilence) {
  if (findPianoSoundfont().empty()) GTEST_SKIP() << "no piano SoundFont installed (fluid-soundfont-gm)";
  std::vector<double> loudness;
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    RenditionRequest request;
    request.notes = notesOfAPiece(16.0 + 8.0 * seed, seed);
    request.lengthSeconds = 18.0 + 8.0 * seed;
    const std::string path = folder().file("piece" + std::to_string(seed) + ".wav");
    const brisolt::rendition::Rendition made = renderRendition(request, path);
    ASSERT_EQ(made.result, RenditionResult::kOk) << made.message;

    const std::optional<test::FfmpegLoudness> measured = test::ffmpegLoudness(path);
    ASSERT_TRUE(measured) << "ffmpeg could not measure " << path;
    EXPECT_NEAR(measured->integratedLufs, -16.0, 1.0) << path;
    EXPECT_LE(measured->truePeakDbtp, -1.0) << path;
    loudness.push_back(measured->integratedLufs);

    const std::optional<test::WaveContents> read = test::readWave(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->sampleRate, 44100);
    EXPECT_EQ(read->channels, 2);
    EXPECT_GE(read->samples.size() / 2, static_cast<std::size_t>(request.lengthSeconds * 44100));
    const std::optional<std::size_t> fall = test::fallIntoSilence(read->samples, -45.0, 44100 / 20);
    EXPECT_FALSE(fall) << path << ": sound falls into digital silence at frame " << fall.value_or(0);
  }
  const auto [low, high] = std::minmax_element(loudness.begin(), loudness.end());
  EXPECT_LE(*high - *low, 1.0);
}

TEST_F(Rendition, NotesSoundWhereTheyAreStruck) {
  if (findPianoSoundfont().empty()) GTEST_SKIP() << "no piano SoundFont installed (fluid-soundfont-gm)";
  RenditionRequest request;
  request.notes = {{30, 2.0, 3.0, 100}, {42, 2.5, 3.5, 100}};
  request.lengthSeconds = 4.0;
  const std::string path = folder().file("two.wav");
  ASSERT_EQ(renderRendition(request, path).result, RenditionResult::kOk);
  const std::optional<test::WaveContents> read = test::readWave(path);
  ASSERT_TRUE(read);
  std::size_t first = 0;
  while (first < read->samples.size() && std::abs(read->samples[first]) < 64) ++first;
  // The synthesizer starts a note at its next 64-sample block, and the
  // piano's attack takes a few milliseconds to rise.
  EXPECT_NEAR(static_cast<double>(first / 2) / 44100.0, 2.0, 0.02);
  // It rings on past the release of the last key into the room's decay.
  EXPECT_GT(read->samples.size() / 2, static_cast<std::size_t>(4.0 * 44100));
}

TEST_F(Rendition, ProgressRisesToTheEndAndStopsAtThePlayingsShareUntilTheMastering) {
  if (findPianoSoundfont().empty()) GTEST_SKIP() << "no piano SoundFont installed (fluid-soundfont-gm)";
  RenditionRequest request;
  request.notes = notesOfAPiece(20.0, 5);
  request.lengthSeconds = 22.0;
  std::vector<double> reported;
  request.progress = [&reported](double done) {
    reported.push_back(done);
    return true;
  };
  ASSERT_EQ(renderRendition(request, folder().file("piece.wav")).result, RenditionResult::kOk);
  // A block of 8192 frames is about 0.19 s: a 24-second rendition reports
  // over a hundred times in the playing alone.
  ASSERT_GT(reported.size(), 100u);
  EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end())) << "the bar never goes back";
  EXPECT_GT(reported.front(), 0.0);
  EXPECT_LT(reported.front(), 0.02);
  EXPECT_DOUBLE_EQ(reported.back(), 1.0);
  const auto mastering = std::find_if(reported.begin(), reported.end(), [](double done) { return done > kPlayingShare; });
  ASSERT_NE(mastering, reported.end());
  EXPECT_GT(mastering - reported.begin(), 50) << "the playing fills its share before the mastering moves on";
}

TEST_F(Rendition, AStopLeavesNoFileBehindWhetherItComesInThePlayingOrTheMastering) {
  if (findPianoSoundfont().empty()) GTEST_SKIP() << "no piano SoundFont installed (fluid-soundfont-gm)";
  for (const double stopAt : {0.3, 0.9}) {
    RenditionRequest request;
    request.notes = notesOfAPiece(20.0, 6);
    request.lengthSeconds = 22.0;
    int callsAfterStop = 0;
    bool stopped = false;
    request.progress = [&](double done) {
      if (stopped) ++callsAfterStop;
      stopped = stopped || done >= stopAt;
      return !stopped;
    };
    const std::string path = folder().file("stopped.wav");
    const brisolt::rendition::Rendition made = renderRendition(request, path);
    EXPECT_EQ(made.result, RenditionResult::kStopped) << "stopped at " << stopAt << ": " << made.message;
    EXPECT_FALSE(made.message.empty());
    EXPECT_EQ(callsAfterStop, 0) << "it stops at once";
    EXPECT_FALSE(std::filesystem::exists(path)) << "stopped at " << stopAt;
    EXPECT_TRUE(std::filesystem::is_empty(folder().path())) << "nothing else either";
  }
}

TEST_F(Rendition, MissingSoundfontIsNamed) {
  RenditionRequest request;
  request.notes = {{30, 0.5, 1.0, 100}};
  request.soundfontPath = folder().file("none.sf2");
  const brisolt::rendition::Rendition made = renderRendition(request, folder().file("r.wav"));
  EXPECT_EQ(made.result, RenditionResult::kNoSoundfont);
  EXPECT_NE(made.message.find(request.soundfontPath), std::string::npos) << made.message;
}

TEST_F(Rendition, AFileThatIsNoSoundfontIsRefused) {
  RenditionRequest request;
  request.notes = {{30, 0.5, 1.0, 100}};
  request.soundfontPath = folder().file("fake.sf2");
  test::writeFileBytes(request.soundfontPath, std::vector<std::uint8_t>(4096, 'x'));
  const brisolt::rendition::Rendition made = renderRendition(request, folder().file("r.wav"));
  EXPECT_EQ(made.result, RenditionResult::kSoundfontUnusable) << made.message;
  EXPECT_NE(made.message.find(request.soundfontPath), std::string::npos) << made.message;
}

TEST_F(Rendition, SoundfontVariableChoosesTheFile) {
  const std::string chosen = folder().file("piano.sf2");
  test::writeFileBytes(chosen, {1, 2, 3});
  setenv(kSoundfontVariable, chosen.c_str(), 1);
  EXPECT_EQ(findPianoSoundfont(), chosen);
  setenv(kSoundfontVariable, folder().file("gone.sf2").c_str(), 1);
  EXPECT_EQ(findPianoSoundfont(), "");
  unsetenv(kSoundfontVariable);
}

}  // namespace
}  // namespace brisolt::rendition
