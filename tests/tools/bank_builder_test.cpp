// The sample-bank builder: its note timing, fade and loudness rule, and a
// real build (skipped where the SoundFont is not installed) checked for size,
// repeatability, clipping, clicks, onsets and even loudness.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/sample_bank.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/shell_command.h"
#include "tests/support/temp_folder.h"
#include "tools/bank_builder/bank_builder.h"

namespace brisolt::tools {
namespace {

bool soundfontInstalled() { return std::filesystem::exists(std::string(kDefaultSoundfont)); }

TEST(BankBuilder, NotesStartOnABlockAndReleaseBeforeTheClipEnds) {
  const NoteRequest lowest = noteForClip(1, 1);
  EXPECT_EQ(lowest.midiNote, 24);
  EXPECT_EQ(lowest.lengthSamples, 22042);
  EXPECT_EQ(lowest.noteOffSample % kSynthBlock, 0);
  EXPECT_GE(lowest.lengthSamples - lowest.noteOffSample, static_cast<int>(kReleaseSeconds * kRenderSampleRate));
  EXPECT_LT(lowest.lengthSamples - lowest.noteOffSample, static_cast<int>(kReleaseSeconds * kRenderSampleRate) + 64);
  EXPECT_EQ(noteForClip(60, 2).midiNote, 83);
  EXPECT_EQ(noteForClip(13, 4).lengthSamples, 55117);
}

TEST(BankBuilder, TheFadeEndsInSilenceAndTouchesOnlyTheTail) {
  std::vector<float> audio(1000, 0.5f);
  fadeOut(audio, 220);
  EXPECT_EQ(audio[779], 0.5f);
  EXPECT_LT(audio[780], 0.5f);
  EXPECT_GT(audio[780], 0.49f);
  EXPECT_EQ(audio.back(), 0.0f);
  for (std::size_t i = 781; i < audio.size(); ++i) EXPECT_LE(audio[i], audio[i - 1]) << i;
}

TEST(BankBuilder, GainsEvenTheRmsAndTheLoudestPeakStopsAtTheLimit) {
  const std::vector<double> rms = {0.0, 0.1, 0.05, 0.2};
  const std::vector<double> peaks = {0.0, 0.4, 0.5, 0.6};  // crest factors 4, 10, 3
  const std::vector<double> gains = evenLoudnessGains(rms, peaks, 0.9);
  EXPECT_EQ(gains[0], 1.0) << "a key with nothing measured";
  EXPECT_NEAR(rms[1] * gains[1], rms[2] * gains[2], 1e-12);
  EXPECT_NEAR(rms[1] * gains[1], rms[3] * gains[3], 1e-12);
  EXPECT_NEAR(peaks[2] * gains[2], 0.9, 1e-12) << "the peakiest key sets the level";
  EXPECT_LT(peaks[1] * gains[1], 0.9);
  EXPECT_LT(peaks[3] * gains[3], 0.9);
}

TEST(BankBuilder, SamplesAreRoundedAndClampedToSixteenBits) {
  std::vector<std::uint8_t> out;
  appendPcm16({0.5f, -0.5f, 2.0f, -2.0f, 0.0f}, 1.0, out);
  const std::vector<std::int16_t> expected = {16384, -16384, 32767, -32768, 0};  // 16383.5 rounds away from zero
  EXPECT_EQ(test::bytesToSamples(out), expected);
}

TEST(BankBuilder, AMissingSoundfontNamesThePackageToInstall) {
  const BankBuild build = buildSampleBank("/nonexistent/piano.sf2");
  EXPECT_NE(build.error.find("fluid-soundfont-gm"), std::string::npos) << build.error;
  EXPECT_TRUE(build.bytes.empty());

  const std::string command = std::string(BRISOLT_MAKE_BANK) + " --soundfont /nonexistent/piano.sf2 -o /dev/null 2>&1";
  const test::ShellRun run = test::runShell(command);
  EXPECT_EQ(run.status, 3) << run.out;
  EXPECT_NE(run.out.find("fluid-soundfont-gm"), std::string::npos) << run.out;
}

class BankFile : public test::TempFolderTest {};

std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  return names;
}

TEST_F(BankFile, AFullDiskLeavesTheOldBankAndNoPartialFile) {
  const std::string path = folder().file("Data.dat");
  test::writeFileBytes(path, {1, 2, 3});
  const std::vector<std::uint8_t> bank(100000, 7);
  std::string error;
  {
    test::FileSizeLimit limit(4096);
    EXPECT_FALSE(writeSampleBank(bank, path, error));
  }
  EXPECT_NE(error.find("disk full"), std::string::npos) << error;
  EXPECT_EQ(test::readFileBytes(path), (test::Bytes{1, 2, 3})) << "the old bank stays whole";
  EXPECT_EQ(namesIn(folder().path()), (std::vector<std::string>{"Data.dat"})) << "no partial file is left";

  std::filesystem::remove(path);
  {
    test::FileSizeLimit limit(4096);
    EXPECT_FALSE(writeSampleBank(bank, path, error));
  }
  EXPECT_FALSE(test::fileExists(path)) << "never a partial bank under the final name";

  ASSERT_TRUE(writeSampleBank(bank, path, error)) << error;
  EXPECT_EQ(test::readFileBytes(path), test::Bytes(bank.begin(), bank.end()));
  EXPECT_EQ(namesIn(folder().path()), (std::vector<std::string>{"Data.dat"}));
}

TEST_F(BankFile, DevicesPipesAndMissingFoldersAreRefusedWithTheReason) {
  std::string error;
  EXPECT_FALSE(writeSampleBank({1, 2}, "/dev/null", error));
  EXPECT_NE(error.find("not a file"), std::string::npos) << error;
  EXPECT_FALSE(writeSampleBank({1, 2}, folder().file("no/Data.dat"), error));
  EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
}

class BuiltBank : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (soundfontInstalled()) build_ = new BankBuild(buildSampleBank(std::string(kDefaultSoundfont)));
  }
  static void TearDownTestSuite() {
    delete build_;
    build_ = nullptr;
  }
  void SetUp() override {
    if (!build_) GTEST_SKIP() << kDefaultSoundfont << " not installed (package fluid-soundfont-gm)";
    ASSERT_EQ(build_->error, "");
  }
  static std::int16_t sampleAt(std::size_t byte) {
    return static_cast<std::int16_t>(build_->bytes[byte] | (build_->bytes[byte + 1] << 8));
  }
  static BankBuild* build_;
};
BankBuild* BuiltBank::build_ = nullptr;

TEST_F(BuiltBank, HasTheSizeOfTheSampleTableAndASilentLastClip) {
  ASSERT_EQ(build_->bytes.size(), audio::kSampleDataSize);
  for (std::size_t i = audio::kSilenceClipOffset; i < build_->bytes.size(); ++i) {
    ASSERT_EQ(build_->bytes[i], 0) << "byte " << i << " of the silence clip";
  }
}

TEST_F(BuiltBank, IsTheSameOnEveryRun) {
  const BankBuild again = buildSampleBank(std::string(kDefaultSoundfont));
  ASSERT_EQ(again.bytes.size(), build_->bytes.size());
  EXPECT_TRUE(again.bytes == build_->bytes) << "two builds differ";
}

TEST_F(BuiltBank, ClipsStartAtOnceEndSilentAndNeverClip) {
  const audio::SampleBank bank;
  std::uint32_t offset = 0;
  for (std::size_t i = 0; i + 1 < bank.names().size(); ++i) {
    const std::uint32_t size = bank.sizes()[i];
    int firstSound = -1;
    int peak = 0;
    for (std::uint32_t at = 0; at < size; at += 2) {
      const int sample = sampleAt(offset + at);
      if (firstSound < 0 && sample != 0) firstSound = static_cast<int>(at / 2);
      peak = std::max(peak, std::abs(sample));
    }
    EXPECT_GE(firstSound, 0) << bank.names()[i];
    EXPECT_LT(firstSound, 16) << bank.names()[i] << ": the note should sound from its first samples";
    EXPECT_LE(peak, static_cast<int>(kPeakLimit * 32767) + 1) << bank.names()[i];
    EXPECT_EQ(sampleAt(offset + size - 2), 0) << bank.names()[i] << " ends with a click";
    offset += size;
  }
}

// Computed from the bytes, independently of the builder's own figures.
TEST_F(BuiltBank, EveryKeyHasTheSameOnsetLoudness) {
  const audio::SampleBank bank;
  const auto window = static_cast<std::uint32_t>(kLoudnessSeconds * kRenderSampleRate);
  std::vector<double> levels;
  for (int key = 1; key <= 60; ++key) {
    const auto offset = static_cast<std::uint32_t>(bank.sampleOffset(key, 1));
    double sum = 0.0;
    for (std::uint32_t i = 0; i < window; ++i) sum += std::pow(sampleAt(offset + 2 * i) / 32767.0, 2);
    levels.push_back(20 * std::log10(std::sqrt(sum / window)));
  }
  const auto [low, high] = std::minmax_element(levels.begin(), levels.end());
  EXPECT_LT(*high - *low, 0.1) << "onset RMS from " << *low << " to " << *high << " dBFS";
}

// sox reads a clip as raw PCM and must find the same peak as we do.
TEST_F(BuiltBank, SoxFindsTheSamePeakInAClip) {
  if (std::system("sox --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "sox not installed";
  test::TempFolder folder;
  const audio::SampleBank bank;
  const auto offset = static_cast<std::uint32_t>(bank.sampleOffset(40, 1));
  const std::uint32_t size = audio::kLayerSizes[1];
  test::writeFileBytes(folder.file("clip.raw"),
                       test::Bytes(build_->bytes.begin() + offset, build_->bytes.begin() + offset + size));
  int peak = 0;
  for (std::uint32_t at = 0; at < size; at += 2) peak = std::max(peak, std::abs(static_cast<int>(sampleAt(offset + at))));
  const std::string command = "sox -D -t raw -r 22050 -e signed -b 16 -c 1 " + folder.file("clip.raw") +
                              " -n stat 2>&1 | awk '/Maximum amplitude|Minimum amplitude/ {print $3}'";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  double maximum = 0, minimum = 0;
  const int got = std::fscanf(pipe, "%lf %lf", &maximum, &minimum);
  ::pclose(pipe);
  ASSERT_EQ(got, 2);
  EXPECT_NEAR(std::max(std::abs(maximum), std::abs(minimum)) * 32768.0, peak, 1.0);
}

}  // namespace
}  // namespace brisolt::tools
