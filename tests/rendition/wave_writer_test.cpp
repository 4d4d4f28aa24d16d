// The rendition's WAV file: 44.1 kHz, two channels, 16-bit PCM, samples
// rounded and clipped, as libsndfile reads it back.
#include <gtest/gtest.h>

#include <sndfile.h>

#include "rendition/wave_writer.h"
#include "tests/rendition/audio_oracle.h"
#include "tests/support/temp_folder.h"

namespace brisolt::rendition {
namespace {

using test::TempFolderTest;

class WaveWriter : public TempFolderTest {};

TEST_F(WaveWriter, WritesSixteenBitStereoAt44100) {
  StereoAudio audio;
  audio.samples = {0.5f, -0.25f, 0.0f, 1.0f, -1.0f, 0.0f};
  const std::string path = folder().file("r.wav");
  ASSERT_EQ(writeStereoWave16(audio, path).result, WaveWriteResult::kOk);
  const std::optional<test::WaveContents> read = test::readWave(path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->sampleRate, 44100);
  EXPECT_EQ(read->channels, 2);
  EXPECT_EQ(read->format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  ASSERT_EQ(read->samples.size(), 6u);
  EXPECT_NEAR(read->samples[0], 16384, 1);
  EXPECT_NEAR(read->samples[1], -8192, 1);
  EXPECT_EQ(read->samples[2], 0);
}

TEST_F(WaveWriter, ClipsSamplesBeyondFullScale) {
  StereoAudio audio;
  audio.samples = {1.7f, -1.7f};
  const std::string path = folder().file("clip.wav");
  ASSERT_EQ(writeStereoWave16(audio, path).result, WaveWriteResult::kOk);
  const std::optional<test::WaveContents> read = test::readWave(path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->samples[0], 32767);
  EXPECT_LE(read->samples[1], -32767);
}

TEST_F(WaveWriter, CannotCreateNamesThePath) {
  const std::string path = folder().file("no/such/folder/r.wav");
  const WaveWrite written = writeStereoWave16(StereoAudio{{0.0f, 0.0f}}, path);
  EXPECT_EQ(written.result, WaveWriteResult::kCannotCreate);
  EXPECT_NE(written.message.find(path), std::string::npos) << written.message;
}

}  // namespace
}  // namespace brisolt::rendition
