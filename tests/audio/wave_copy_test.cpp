// The scaled, cut and raw copies from a sample bank into a voice file, their
// byte counts and their failure codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/sample_bank.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt::audio {
namespace {

using test::Bytes;

class WaveCopy : public test::TempFolderTest {
 protected:
  // A source file holding `samples`, open for reading, and an open destination.
  void useSource(const std::vector<std::int16_t>& samples) {
    source_.close();
    test::writeFileBytes(folder().file("source"), test::samplesToBytes(samples));
    source_ = platform::File::openForReading(folder().file("source"));
    ASSERT_TRUE(source_.isValid());
  }
  void useSyntheticBank() {
    source_.close();
    test::writeSyntheticBank(folder().file("Data.dat"));
    source_ = platform::File::openForReading(folder().file("Data.dat"));
    ASSERT_TRUE(source_.isValid());
  }
  std::vector<std::int16_t> written() {
    destination_.close();
    return test::bytesToSamples(test::readFileBytes(destinationPath()));
  }
  std::string destinationPath() const { return folder().file("voice.wav"); }

  SampleBank bank_;
  platform::File source_;
  platform::File destination_ = platform::File::createForWriting(destinationPath());
};

TEST_F(WaveCopy, StepOneCopiesUnchangedAndStepEightTruncatesTowardZero) {
  const std::vector<std::int16_t> samples = {1000, -1000, 32767, -32768, 1, -1, 0};
  useSource(samples);
  EXPECT_EQ(bank_.copyScaled(source_, destination_, 0, 14, 1), 14);
  EXPECT_EQ(bank_.copyScaled(source_, destination_, 0, 14, 8), 14);
  const std::vector<std::int16_t> expected = {1000, -1000, 32767, -32768, 1, -1, 0,
                                              230,  -230,  7536,  -7536,  0, 0,  0};
  EXPECT_EQ(written(), expected);
}

TEST_F(WaveCopy, CopiesLongerThanOneBlockArriveWholeFromTheirOffset) {
  std::vector<std::int16_t> samples(100000);
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::int16_t>(i * 7);
  useSource(samples);
  EXPECT_EQ(bank_.copyRaw(source_, destination_, 1000, 150000), 150000);
  const std::vector<std::int16_t> expected(samples.begin() + 500, samples.begin() + 500 + 75000);
  EXPECT_EQ(written(), expected);
}

TEST_F(WaveCopy, ALengthOfZeroWritesNothing) {
  useSource({5, 6});
  EXPECT_EQ(bank_.copyScaled(source_, destination_, 0, 0, 3), kCopyNothing);
  EXPECT_EQ(bank_.copyScaledCut(source_, destination_, 0, 0, 3), kCopyNothing);
  EXPECT_TRUE(written().empty());
}

TEST_F(WaveCopy, AFailedSeekWritesNothingAndReturnsZero) {
  platform::File closed;
  EXPECT_EQ(bank_.copyScaled(closed, destination_, 0, 100, 1), kCopyNothing);
  EXPECT_EQ(bank_.copyRaw(closed, destination_, 0, 100), kCopyNothing);
  EXPECT_TRUE(written().empty());
}

TEST_F(WaveCopy, ASourceThatEndsEarlyReturnsOneAndKeepsWhatWasWritten) {
  useSource(std::vector<std::int16_t>(50, 9));  // 100 bytes
  EXPECT_EQ(bank_.copyScaled(source_, destination_, 60, 100, 1), kCopySourceEnded);
  EXPECT_EQ(bank_.copyRaw(source_, destination_, 100, 2), kCopySourceEnded) << "starting at the end";
  EXPECT_EQ(written(), std::vector<std::int16_t>(20, 9)) << "the 40 bytes that were there";
}

TEST_F(WaveCopy, AShortWriteReturnsTwo) {
  useSource(std::vector<std::int16_t>(1000, 3));
  platform::File full = platform::File::createForWriting(test::kFullDevice);
  EXPECT_EQ(bank_.copyScaled(source_, full, 0, 2000, 3), kCopyShortWrite);
  EXPECT_EQ(bank_.copyRaw(source_, full, 0, 2000), kCopyShortWrite);

  test::FileSizeLimit limit(1000);
  EXPECT_EQ(bank_.copyRaw(source_, destination_, 0, 2000), kCopyShortWrite) << "half of it fitted";
  EXPECT_EQ(written().size(), 500u);
}

TEST_F(WaveCopy, CutCopyTakesUpTo110250BytesWhole) {
  useSyntheticBank();
  const auto offset = static_cast<std::uint32_t>(bank_.sampleOffset(13, 4));  // a clip of 110234 bytes
  ASSERT_EQ(bank_.copyScaledCut(source_, destination_, offset, 110250, 1), 110250);
  const std::vector<std::int16_t> got = written();
  ASSERT_EQ(got.size(), 55125u);
  EXPECT_EQ(got.front(), test::syntheticSampleValue(13, 4));
  EXPECT_EQ(got[55116], test::syntheticSampleValue(13, 4)) << "last sample of the clip";
  EXPECT_EQ(got[55117], test::syntheticSampleValue(14, 1)) << "the request runs on into the next clip";
}

TEST_F(WaveCopy, CutCopyOfMoreThan110250BytesEndsInSilenceAfterTwoSeconds) {
  useSyntheticBank();
  const auto offset = static_cast<std::uint32_t>(bank_.sampleOffset(13, 4));
  ASSERT_EQ(bank_.copyScaledCut(source_, destination_, offset, 110252, 3), 110252);
  const std::vector<std::int16_t> got = written();
  ASSERT_EQ(got.size(), 55126u);
  const auto scaled = static_cast<std::int16_t>(212 * 0.78);  // 165
  EXPECT_EQ(got[0], scaled);
  EXPECT_EQ(got[44099], scaled) << "88200 bytes of the clip";
  EXPECT_EQ(got[44100], 0) << "then 22052 bytes of silence";
  EXPECT_EQ(got.back(), 0);
}

TEST_F(WaveCopy, CutCopyFromTheSilenceClipIsNeverCut) {
  // A bank whose silence clip is marked, so that a cut (which refills from silence) would show.
  test::writeSyntheticBank(folder().file("Data.dat"));
  Bytes marked = test::readFileBytes(folder().file("Data.dat"));
  for (std::size_t i = kSilenceClipOffset; i < marked.size(); ++i) marked[i] = static_cast<std::uint8_t>(i);
  test::writeFileBytes(folder().file("marked.dat"), marked);
  source_ = platform::File::openForReading(folder().file("marked.dat"));
  ASSERT_EQ(bank_.copyScaledCut(source_, destination_, kSilenceClipOffset, 200000, 1), 200000);
  const Bytes got = (destination_.close(), test::readFileBytes(destinationPath()));
  ASSERT_EQ(got.size(), 200000u);
  EXPECT_EQ(got[100000], static_cast<std::uint8_t>(kSilenceClipOffset + 100000)) << "continuous, not refilled";
}

TEST_F(WaveCopy, ACutRemainderLongerThanTheSilenceClipFallsShortOfTheRequest) {
  useSyntheticBank();
  const auto offset = static_cast<std::uint32_t>(bank_.sampleOffset(20, 1));
  const std::uint32_t length = 88200 + kSilenceClipSize + 1000;
  EXPECT_EQ(bank_.copyScaledCut(source_, destination_, offset, length, 1), 88200 + kCopySourceEnded);
}

}  // namespace
}  // namespace brisolt::audio
