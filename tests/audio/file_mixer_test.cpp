// The eight-way mixer (averaging, peak matching, every result code) and the
// block-by-block file copy, with pumping and cancelling.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "audio/file_mixer.h"
#include "platform/files/file_handle.h"
#include "platform/files/file_system.h"
#include "platform/message_pump.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"
#include "tests/support/write_hold.h"

namespace brisolt::audio {
namespace {

using Samples = std::vector<std::int16_t>;

class Mixer : public test::TempFolderTest {
 protected:
  ~Mixer() override { platform::setMessagePump({}); }

  // Writes eight inputs (each a preamble of its own byte, then its samples)
  // and returns the list naming them.
  std::vector<std::string> writeInputs(const std::vector<Samples>& inputs) {
    std::vector<std::string> list;
    for (std::size_t k = 0; k < inputs.size(); ++k) {
      const std::string path = input(k);
      test::writeSampleFile(path, inputs[k], kMixPreambleSize, static_cast<std::uint8_t>(0xA0 + k));
      list.push_back(path);
    }
    return list;
  }
  std::string input(std::size_t k) const { return folder().file("voice" + std::to_string(k + 1) + ".wav"); }
  std::string destination() const { return folder().file("stem.wav"); }
  std::string scratch() const { return folder().file("scratch.tmp"); }
  Samples samplesOf(const std::string& path) const { return test::bytesToSamples(test::readFileBytes(path), kMixPreambleSize); }
  bool anyInputLeft() const {
    for (std::size_t k = 0; k < 8; ++k) if (test::fileExists(input(k))) return true;
    return false;
  }
  // Installs `onPump` as the window's message pump; it gets the pump count.
  void onPump(std::function<void(int)> handler) {
    platform::setMessagePump([this, handler] { handler(++pumps_); });
  }

  FileMixer mixer_;
  int pumps_ = 0;
};

std::vector<Samples> silentExceptFirst(const Samples& first) {
  std::vector<Samples> inputs(8, Samples(first.size(), 0));
  inputs[0] = first;
  return inputs;
}

TEST_F(Mixer, OneLoudInputIsMatchedBackToItsPeaks) {
  const std::vector<std::string> list = writeInputs(silentExceptFirst({8000, -8000, 4000}));
  ASSERT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixDone);
  EXPECT_EQ(samplesOf(destination()), (Samples{8000, -8000, 4000})) << "raw mix 1000/-1000, factor 8";
  const test::Bytes head = test::readFileBytes(destination());
  EXPECT_EQ(head[0], 0xA0) << "the preamble is the first input's";
  EXPECT_EQ(head[103], 0xA0);
  EXPECT_FALSE(anyInputLeft());
  EXPECT_FALSE(test::fileExists(scratch()));
}

TEST_F(Mixer, EightIdenticalInputsGiveTheInputBack) {
  Samples voice(5000);
  for (std::size_t i = 0; i < voice.size(); ++i) voice[i] = static_cast<std::int16_t>((i * 37) % 20000 - 10000);
  const std::vector<std::string> list = writeInputs(std::vector<Samples>(8, voice));
  ASSERT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixDone);
  EXPECT_EQ(samplesOf(destination()), voice);
}

TEST_F(Mixer, TheRawAverageTruncatesTowardZero) {
  std::vector<Samples> inputs(8, Samples{0, 0, 0, 0});
  inputs[0] = {7, -7, -9, 32767};
  for (auto& in : inputs) in[3] = 32767;
  const std::vector<std::string> list = writeInputs(inputs);
  ASSERT_EQ(mixer_.mixEight(destination(), list, MixMode::kRawAverage, scratch()), kMixDone);
  EXPECT_EQ(samplesOf(destination()), (Samples{0, 0, -1, 32767}));
  EXPECT_FALSE(test::fileExists(scratch())) << "mode 0 moves the scratch file";
}

TEST_F(Mixer, SilentInputsGiveACopyOfTheRawMixAndKeepTheScratchFile) {
  const std::vector<std::string> list = writeInputs(std::vector<Samples>(8, Samples(3000, 0)));
  ASSERT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixDone);
  EXPECT_EQ(samplesOf(destination()), Samples(3000, 0));
  EXPECT_EQ(test::readFileBytes(destination()), test::readFileBytes(scratch()));
}

TEST_F(Mixer, AllPositiveInputsLetTheNegativeRatioTakePart) {
  std::vector<Samples> inputs(8, Samples{1000, 100});
  inputs[0] = {8000, 100};
  const std::vector<std::string> list = writeInputs(inputs);  // mix 1875, 100: ratios 4.27 and 1.0
  ASSERT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixDone);
  EXPECT_EQ(samplesOf(destination()), (Samples{1875, 100}));
}

TEST_F(Mixer, AllNegativeInputsUseTheNegativeRatioAlone) {
  const std::vector<std::string> list = writeInputs(silentExceptFirst({-8000, -4000}));
  ASSERT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixDone);
  EXPECT_EQ(samplesOf(destination()), (Samples{-8000, -4000}));
}

TEST_F(Mixer, InputsThatCancelOutGiveSilenceNotNonsense) {
  std::vector<Samples> inputs(8, Samples{0, 0});
  inputs[0] = {20000, -3};
  inputs[1] = {-20000, 3};
  const std::vector<std::string> list = writeInputs(inputs);  // not silent, yet the mix is all zeros: no finite ratio
  ASSERT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixDone);
  EXPECT_EQ(samplesOf(destination()), (Samples{0, 0}));
}

TEST_F(Mixer, AnInputThatEndsEarlyContributesSilenceAndTheEighthSetsTheLength) {
  const std::size_t length = 40000;  // several system calls of blocks
  std::vector<Samples> inputs(8, Samples(length, 800));
  inputs[2].resize(length / 2);
  inputs[0].resize(length + 5000);  // longer than the eighth: the rest is not mixed
  const std::vector<std::string> list = writeInputs(inputs);
  ASSERT_EQ(mixer_.mixEight(destination(), list, MixMode::kRawAverage, scratch()), kMixDone);
  const Samples got = samplesOf(destination());
  ASSERT_EQ(got.size(), length);
  EXPECT_EQ(got[length / 2 - 1], 800);
  EXPECT_EQ(got[length / 2], 700) << "input 3 is silent from its end on";
  EXPECT_EQ(got.back(), 700);
}

TEST_F(Mixer, PumpsOnceBeforeEveryBlockOfAveraging) {
  const std::vector<std::string> list = writeInputs(std::vector<Samples>(8, Samples(2040 * 20 + 10, 0)));  // 21 blocks
  onPump([](int) {});
  ASSERT_EQ(mixer_.mixEight(destination(), list, MixMode::kRawAverage, scratch()), kMixDone);
  EXPECT_EQ(pumps_, 22) << "21 blocks and the pump before the end is found";
}

TEST_F(Mixer, ASevenNameListOpensNothingAndDeletesNothing) {
  std::vector<std::string> list = writeInputs(std::vector<Samples>(7, Samples(10, 5)));
  EXPECT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixInputMissing);
  for (std::size_t k = 0; k < 7; ++k) EXPECT_TRUE(test::fileExists(input(k))) << input(k);
  EXPECT_FALSE(test::fileExists(scratch()));
  EXPECT_FALSE(test::fileExists(destination()));
  std::vector<std::string> padded{"", ""};
  padded.insert(padded.end(), list.begin(), list.end());
  padded.push_back("");
  EXPECT_EQ(mixer_.mixEight(destination(), padded, MixMode::kPeakMatched, scratch()), kMixInputMissing)
      << "empty names are skipped, not counted";
}

TEST_F(Mixer, AnInputBeingWrittenElsewhereCannotBeMixed) {
  const std::vector<std::string> list = writeInputs(std::vector<Samples>(8, Samples(10, 5)));
  {
    const test::WriteHold holder(input(4));
    ASSERT_TRUE(holder.held());
    EXPECT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixInputMissing);
  }
  // A reader still holding input 1 would keep any writer out.
  EXPECT_TRUE(test::WriteHold(input(0)).held()) << "inputs 1 to 4 were closed again";
}

TEST_F(Mixer, FailuresBeforeAveragingLeaveTheInputs) {
  const std::vector<std::string> list = writeInputs(std::vector<Samples>(8, Samples(10, 5)));
  EXPECT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, folder().file("no/scratch")), kMixNoScratch);
  EXPECT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, test::kFullDevice), kMixShortPreambleWrite);
  test::writeFileBytes(input(5), test::Bytes(50, 1));
  EXPECT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixShortInputPreamble);
  for (std::size_t k = 0; k < 8; ++k) EXPECT_TRUE(test::fileExists(input(k))) << input(k);
}

TEST_F(Mixer, AScratchFileThatStopsGrowingGivesAShortWrite) {
  const std::vector<std::string> list = writeInputs(std::vector<Samples>(8, Samples(20000, 5)));
  test::FileSizeLimit limit(kMixPreambleSize + 10000);
  EXPECT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixShortWrite);
  EXPECT_TRUE(test::fileExists(input(0)));
}

TEST_F(Mixer, FailuresAfterAveragingReportTheirOwnCodes) {
  std::vector<std::string> list = writeInputs(silentExceptFirst({8000}));
  EXPECT_EQ(mixer_.mixEight(folder().file("no/stem.wav"), list, MixMode::kRawAverage, scratch()), kMixMoveFailed);
  EXPECT_TRUE(test::fileExists(scratch()));

  list = writeInputs(silentExceptFirst({8000}));
  EXPECT_EQ(mixer_.mixEight(folder().file("no/stem.wav"), list, MixMode::kPeakMatched, scratch()), kMixNoDestination);
  list = writeInputs(silentExceptFirst({8000}));
  EXPECT_EQ(mixer_.mixEight(test::kFullDevice, list, MixMode::kPeakMatched, scratch()), kMixShortDestinationPreamble);
  list = writeInputs(silentExceptFirst({0}));
  EXPECT_EQ(mixer_.mixEight(folder().file("no/stem.wav"), list, MixMode::kPeakMatched, scratch()), kMixSilentCopyFailed);
  EXPECT_FALSE(anyInputLeft()) << "the inputs go once averaging is complete";
}

TEST_F(Mixer, AScratchFileThatVanishesCannotBeReopened) {
  const std::vector<std::string> list = writeInputs(silentExceptFirst(Samples(100, 8000)));
  onPump([this](int) { platform::deleteFile(scratch()); });
  EXPECT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixScratchUnreadable);
}

TEST_F(Mixer, AScratchFileThatCannotBeDeletedAtTheEndGivesOne) {
  Samples loud(100, 8000);
  loud[50] = -8000;
  const std::vector<std::string> list = writeInputs(silentExceptFirst(loud));
  onPump([this](int count) {
    if (count == 3) platform::deleteFile(scratch());  // during peak matching (averaging pumps twice)
  });
  EXPECT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixScratchNotDeleted);
  EXPECT_EQ(samplesOf(destination()), loud) << "the destination is complete";
}

TEST_F(Mixer, ACancelDuringAveragingKeepsTheInputs) {
  const std::vector<std::string> list = writeInputs(std::vector<Samples>(8, Samples(10000, 5)));
  mixer_.requestCancel();  // a cancel from before the mix is cleared by it
  onPump([this](int count) {
    if (count == 2) mixer_.requestCancel();
  });
  EXPECT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixCancelled);
  EXPECT_TRUE(mixer_.cancelRequested());
  for (std::size_t k = 0; k < 8; ++k) EXPECT_TRUE(test::fileExists(input(k))) << input(k);
  EXPECT_EQ(test::fileSize(scratch()), kMixPreambleSize + kMixBlockSize) << "the one block averaged before";
}

TEST_F(Mixer, ACancelDuringPeakMatchingDeletesTheScratchFile) {
  const std::vector<std::string> list = writeInputs(silentExceptFirst(Samples(4000, 8000)));  // 2 blocks: averaging pumps 3 times
  onPump([this](int count) {
    if (count == 5) mixer_.requestCancel();
  });
  EXPECT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixPeakMatchCancelled);
  EXPECT_FALSE(test::fileExists(scratch()));
  EXPECT_EQ(test::fileSize(destination()), kMixPreambleSize + kMixBlockSize) << "a partial destination stays";
}

TEST_F(Mixer, ClosingTheFilesFromThePumpStopsTheMixAsACancel) {
  const std::vector<std::string> list = writeInputs(std::vector<Samples>(8, Samples(10000, 5)));
  onPump([this](int count) {
    if (count == 2) mixer_.closeFiles();
  });
  EXPECT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixCancelled);
  EXPECT_TRUE(test::fileExists(input(0))) << "nothing deleted";
  EXPECT_FALSE(mixer_.cancelRequested());
  platform::setMessagePump({});
  EXPECT_EQ(mixer_.mixEight(destination(), list, MixMode::kPeakMatched, scratch()), kMixDone) << "the mixer is reusable";
}

TEST_F(Mixer, TheProgramWideMixerIsOneInstance) {
  programFileMixer().requestCancel();
  EXPECT_TRUE(programFileMixer().cancelRequested());
  programFileMixer().setCancel(false);
  EXPECT_FALSE(programFileMixer().cancelRequested());
}

class FileCopy : public Mixer {};

TEST_F(FileCopy, AnEmptySourceGivesAnEmptyDestination) {
  test::writeFileBytes(input(0), {});
  EXPECT_EQ(mixer_.copyFile(input(0), destination()), kCopyFileDone);
  EXPECT_TRUE(test::fileExists(destination()));
  EXPECT_EQ(test::fileSize(destination()), 0u);
}

TEST_F(FileCopy, CopiesEveryBlockAndPumpsBeforeEach) {
  test::Bytes data(16320 * 3 + 7);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 13);
  test::writeFileBytes(input(0), data);
  onPump([](int) {});
  EXPECT_EQ(mixer_.copyFile(input(0), destination()), kCopyFileDone);
  EXPECT_EQ(test::readFileBytes(destination()), data);
  EXPECT_EQ(pumps_, 5);
}

TEST_F(FileCopy, ReportsEachFailure) {
  EXPECT_EQ(mixer_.copyFile(folder().file("missing"), destination()), kCopyFileNoSource);
  test::writeFileBytes(input(0), test::Bytes(100, 1));
  EXPECT_EQ(mixer_.copyFile(input(0), folder().file("no/dest")), kCopyFileNoDestination);
  EXPECT_EQ(mixer_.copyFile(input(0), test::kFullDevice), kCopyFileShortWrite);
  {
    const test::WriteHold holder(input(0));
    EXPECT_EQ(mixer_.copyFile(input(0), destination()), kCopyFileNoSource) << "being written elsewhere";
  }
  mixer_.requestCancel();
  EXPECT_EQ(mixer_.copyFile(input(0), destination()), kCopyFileCancelled) << "copyFile never clears the flag";
  EXPECT_TRUE(mixer_.cancelRequested());
}

}  // namespace
}  // namespace brisolt::audio
