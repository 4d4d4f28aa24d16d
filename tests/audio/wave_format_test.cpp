// The header that createWaveFile writes, its predicted sizes and the gains of
// the attenuation steps.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "audio/sample_bank.h"
#include "audio/wave_format.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace brisolt::audio {
namespace {

using test::Bytes;

class WaveFormat : public test::TempFolderTest {};

std::uint32_t readU32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

TEST_F(WaveFormat, SixteenBarsAtTempo60GiveTheWholeHeaderAndNothingMore) {
  SampleBank bank;
  const std::string path = folder().file("voice.wav");
  platform::File file = bank.createWaveFile(path, 16, 60);
  ASSERT_TRUE(file.isValid());
  file.close();
  const Bytes expected = {'R', 'I', 'F', 'F', 0xF0, 0x15, 0x2D, 0x00, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                          16, 0, 0, 0, 1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0,
                          2, 0, 16, 0, 'd', 'a', 't', 'a', 0xCC, 0x15, 0x2D, 0x00};
  const Bytes got = test::readFileBytes(path);
  EXPECT_EQ(got, expected);
  ASSERT_EQ(got.size(), 44u);
  EXPECT_EQ(readU32(got, 40), 2954700u);
  EXPECT_EQ(readU32(got, 4), 2954736u);
}

TEST_F(WaveFormat, PredictedDataSizeFollowsBarsAndTempo) {
  EXPECT_EQ(predictedDataSize(16, 60), 2954700u);
  EXPECT_EQ(predictedDataSize(80, 60), 14244300u);  // five phrases
  EXPECT_EQ(predictedDataSize(0, 60), 132300u);     // the 3 s alone
  EXPECT_EQ(predictedDataSize(16, 120), 1543500u);  // 32 s + 3 s
  EXPECT_EQ(predictedDataSize(16, 0), 0xFFFFFFFFu) << "a zero tempo saturates instead of being undefined";
}

TEST_F(WaveFormat, TheHeaderEachCallWritesIsRebuiltFromTheTemplate) {
  SampleBank bank;
  bank.createWaveFile(folder().file("long.wav"), 80, 60).close();
  bank.createWaveFile(folder().file("short.wav"), 16, 60).close();
  const Bytes shortHeader = test::readFileBytes(folder().file("short.wav"));
  const Bytes longHeader = test::readFileBytes(folder().file("long.wav"));
  EXPECT_EQ(readU32(shortHeader, 40), 2954700u);
  EXPECT_EQ(readU32(longHeader, 40), 14244300u);
  EXPECT_EQ(readU32(longHeader, 4), 14244336u);
}

TEST_F(WaveFormat, CreationFailureGivesTheInvalidHandle) {
  SampleBank bank;
  EXPECT_FALSE(bank.createWaveFile(folder().file("missing/voice.wav"), 16, 60).isValid());
  const std::string held = folder().file("held.wav");
  platform::File holder = bank.createWaveFile(held, 16, 60);
  EXPECT_FALSE(bank.createWaveFile(held, 16, 60).isValid()) << "a file held open";
}

// Python's wave module as an independent reader of the header.
TEST_F(WaveFormat, PythonWaveReadsTheHeaderAsMonoSixteenBit22050) {
  if (std::system("python3 -c 'import wave' >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 not installed";
  SampleBank bank;
  const std::string path = folder().file("voice.wav");
  platform::File file = bank.createWaveFile(path, 16, 60);
  const Bytes samples(2954700, 0);  // exactly the predicted data
  ASSERT_EQ(file.write(samples.data(), static_cast<std::uint32_t>(samples.size())), samples.size());
  file.close();
  const std::string command = "python3 -c \"import wave; w = wave.open('" + path +
                              "'); print(w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes())\"";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char line[128] = {};
  const bool gotLine = std::fgets(line, sizeof line, pipe) != nullptr;
  ::pclose(pipe);
  ASSERT_TRUE(gotLine);
  EXPECT_EQ(std::string(line), "1 2 22050 1477350\n");
}

TEST(WaveGain, StepsLowerTheGainByRepeatedSubtraction) {
  EXPECT_EQ(attenuationGain(1), 1.0);
  EXPECT_EQ(attenuationGain(0), 1.0);
  EXPECT_EQ(attenuationGain(-3), 1.0);
  EXPECT_NEAR(attenuationGain(3), 0.78, 1e-12);
  EXPECT_NEAR(attenuationGain(5), 0.56, 1e-12);
  EXPECT_NEAR(attenuationGain(9), 0.12, 1e-12);
  EXPECT_EQ(attenuationGain(8), 0.2300000000000001) << "repeated subtraction, not 1 - 0.11 x 7";
  EXPECT_GT(attenuationGain(8), 0.23);
}

TEST(WaveGain, MillisecondsBecomeEvenByteCounts) {
  EXPECT_EQ(millisecondsToBytes(469), 20682u);  // 20682.9
  EXPECT_EQ(millisecondsToBytes(312), 13758u);  // 13759.2, made even
  EXPECT_EQ(millisecondsToBytes(1000), 44100u);
  EXPECT_EQ(millisecondsToBytes(0), 0u);
}

}  // namespace
}  // namespace brisolt::audio
