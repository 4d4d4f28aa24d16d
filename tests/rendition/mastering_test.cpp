// Mastering to -16 LUFS under -1 dBTP, judged by ffmpeg's ebur128 filter on
// the written file (an oracle apart from the libebur128 the code uses).
#include <gtest/gtest.h>

#include "rendition/mastering.h"
#include "rendition/wave_writer.h"
#include "tests/rendition/audio_oracle.h"
#include "tests/support/temp_folder.h"

namespace brisolt::rendition {
namespace {

using test::TempFolderTest;

class Mastering : public TempFolderTest {
 protected:
  // Masters `audio`, writes it and measures the file with ffmpeg.
  test::FfmpegLoudness masterAndMeasure(StereoAudio audio, const char* name) {
    const rendition::Mastering mastered = masterToLoudness(audio, {});
    EXPECT_EQ(mastered.result, MasteringResult::kOk) << mastered.message;
    const std::string path = folder().file(name);
    EXPECT_EQ(writeStereoWave16(audio, path).result, WaveWriteResult::kOk);
    const std::optional<test::FfmpegLoudness> measured = test::ffmpegLoudness(path);
    EXPECT_TRUE(measured) << "ffmpeg could not measure " << path;
    return measured.value_or(test::FfmpegLoudness{0.0, 99.0});
  }
};

TEST_F(Mastering, BringsAQuietPieceToMinus16LufsUnderMinus1Dbtp) {
  const test::FfmpegLoudness measured = masterAndMeasure(test::struckTones(30.0, 6.0, 0.05, 3), "quiet.wav");
  EXPECT_NEAR(measured.integratedLufs, -16.0, 1.0);
  EXPECT_LE(measured.truePeakDbtp, -1.0);
}

TEST_F(Mastering, TamesAPeakyPieceThatPlainGainWouldClip) {
  // Sparse loud strikes: reaching -16 LUFS by gain alone would put the
  // peaks far above full scale.
  const test::FfmpegLoudness measured = masterAndMeasure(test::struckTones(30.0, 1.0, 0.9, 4), "peaky.wav");
  EXPECT_NEAR(measured.integratedLufs, -16.0, 1.0);
  EXPECT_LE(measured.truePeakDbtp, -1.0);
}

TEST_F(Mastering, PiecesOfDifferentLevelsEndWithinOneLuOfEachOther) {
  const double quiet = masterAndMeasure(test::struckTones(30.0, 6.0, 0.02, 5), "a.wav").integratedLufs;
  const double loud = masterAndMeasure(test::struckTones(30.0, 3.0, 0.8, 6), "b.wav").integratedLufs;
  EXPECT_NEAR(quiet, loud, 1.0);
}

TEST_F(Mastering, ReportsWhatItMeasuredAndDid) {
  StereoAudio audio = test::struckTones(20.0, 6.0, 0.05, 7);
  const rendition::Mastering mastered = masterToLoudness(audio, {});
  EXPECT_LT(mastered.inputLufs, -25.0);
  EXPECT_NEAR(mastered.outputLufs, -16.0, 0.3);
  EXPECT_LE(mastered.outputTruePeakDbtp, -1.0);
  EXPECT_GT(mastered.gainDb, 9.0);
  EXPECT_GE(mastered.attempts, 1);
}

TEST_F(Mastering, LeavesSilenceAlone) {
  StereoAudio audio;
  audio.samples.assign(kRenditionSampleRate * 2 * 3, 0.0f);
  const rendition::Mastering mastered = masterToLoudness(audio, {});
  EXPECT_EQ(mastered.result, MasteringResult::kSilent);
  EXPECT_EQ(audio.frames(), static_cast<std::size_t>(kRenditionSampleRate * 3));
}

}  // namespace
}  // namespace brisolt::rendition
