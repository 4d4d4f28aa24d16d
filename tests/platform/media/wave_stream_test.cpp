// Header checks and block reads of WaveStream, with sox as an oracle.
#include "platform/media/wave_stream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "test_wave_file.h"

namespace brisolt::platform {
namespace {

using testing::countingSamples;
using testing::TestFolder;

TEST(WaveStream, TakesTheDataSizeFromTheFileNotTheHeader) {
  TestFolder folder;
  struct Case {
    const char* name;
    std::size_t realBytes;
    std::uint32_t declaredBytes;
    std::uint64_t expectedBytes;
  };
  const Case cases[] = {
      {"short.wav", 1000, 2954700, 1000},  // the header predicts far more
      {"long.wav", 3000, 1000, 3000},      // the samples run past the prediction
      {"odd.wav", 1001, 1001, 1000},       // a half frame at the end is not played
      {"empty.wav", 0, 2954700, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> samples(c.realBytes, 7);
    WaveStream wave;
    std::string error;
    ASSERT_EQ(wave.open(folder.writeWave(c.name, samples, c.declaredBytes), error), MediaResult::kSuccess) << error;
    EXPECT_EQ(wave.dataBytes(), c.expectedBytes);
    EXPECT_EQ(wave.declaredDataBytes(), c.declaredBytes);
  }
}

TEST(WaveStream, OpensTheStereoRenditionInWholeFourByteFrames) {
  TestFolder folder;
  std::vector<std::uint8_t> bytes = testing::waveHeader(1003, kPlayableStereoFormat);
  bytes.resize(bytes.size() + 1003, 5);
  WaveStream wave;
  std::string error;
  ASSERT_EQ(wave.open(folder.write("rendition.wav", bytes), error), MediaResult::kSuccess) << error;
  EXPECT_EQ(wave.format().channels, 2);
  EXPECT_EQ(wave.format().sampleRate, 44100u);
  EXPECT_EQ(wave.dataBytes(), 1000u) << "the last three bytes are not a whole stereo frame";
}

TEST(WaveStream, RefusesWhatIsNotTheProgramsFormat) {
  TestFolder folder;
  const auto withFormat = [&](const char* name, const WaveFormat& format) {
    std::vector<std::uint8_t> bytes = testing::waveHeader(100, format);
    bytes.resize(bytes.size() + 100);
    return folder.write(name, bytes);
  };
  std::vector<std::uint8_t> headerOnly = testing::waveHeader(100);
  headerOnly.resize(36);  // cut before the "data" chunk

  struct Case {
    std::string path;
    MediaResult expected;
  };
  const Case cases[] = {
      {withFormat("stereo.wav", {1, 2, 22050, 88200, 4, 16}), MediaResult::kUnsupportedFormat},
      {withFormat("stereo8.wav", {1, 2, 44100, 88200, 2, 8}), MediaResult::kUnsupportedFormat},
      {withFormat("fast.wav", {1, 1, 44100, 88200, 2, 16}), MediaResult::kUnsupportedFormat},
      {withFormat("eight.wav", {1, 1, 22050, 22050, 1, 8}), MediaResult::kUnsupportedFormat},
      {withFormat("float.wav", {3, 1, 22050, 44100, 2, 16}), MediaResult::kUnsupportedFormat},
      {folder.write("text.wav", std::vector<std::uint8_t>(40, 'x')), MediaResult::kUnsupportedFormat},
      {folder.write("cut.wav", headerOnly), MediaResult::kUnsupportedFormat},
      {folder.path("missing.wav"), MediaResult::kCannotOpenFile},
      {folder.path(""), MediaResult::kCannotOpenFile},  // the folder itself
  };
  for (const Case& c : cases) {
    WaveStream wave;
    std::string error;
    EXPECT_EQ(wave.open(c.path, error), c.expected) << c.path;
    EXPECT_NE(error.find(c.path), std::string::npos) << "the error should name the file: " << error;
    EXPECT_FALSE(wave.isOpen());
  }
}

TEST(WaveStream, ReadsAnyRangeAcrossBlockBoundaries) {
  TestFolder folder;
  const std::vector<std::uint8_t> samples = countingSamples(WaveStream::kBlockBytes * 3 / 2 + 11);
  WaveStream wave;
  std::string error;
  ASSERT_EQ(wave.open(folder.writeWave("blocks.wav", samples, 0), error), MediaResult::kSuccess) << error;
  ASSERT_EQ(wave.dataBytes(), samples.size());

  const std::pair<std::uint64_t, std::size_t> ranges[] = {
      {0, 10}, {WaveStream::kBlockBytes - 4, 8}, {100, 2 * WaveStream::kBlockBytes + 100}, {50, 10}, {samples.size() - 6, 6}};
  for (const auto& [offset, count] : ranges) {
    std::vector<std::uint8_t> got(count);
    ASSERT_TRUE(wave.read(offset, got.data(), count)) << "offset " << offset << ", " << count << " bytes";
    const auto first = samples.begin() + static_cast<std::ptrdiff_t>(offset);
    EXPECT_TRUE(std::equal(got.begin(), got.end(), first)) << "offset " << offset << ", " << count << " bytes";
  }
  std::uint8_t past[4];
  EXPECT_FALSE(wave.read(samples.size() - 2, past, 4)) << "a read past the end of the data must fail";
}

// sox as the oracle: a file it writes reads back as the raw samples it gives.
TEST(WaveStream, ReadsTheSamplesSoxWrote) {
  if (std::system("command -v sox >/dev/null 2>&1") != 0) GTEST_SKIP() << "sox is not installed";
  TestFolder folder;
  const std::string wav = folder.path("sox.wav");
  const std::string raw = folder.path("sox.raw");
  const std::string make = "sox -D -n -r 22050 -c 1 -b 16 -e signed-integer '" + wav +
                           "' synth 3.3 sine 440 2>/dev/null && sox -D '" + wav + "' -t raw '" + raw + "'";
  ASSERT_EQ(std::system(make.c_str()), 0) << make;
  std::ifstream rawFile(raw, std::ios::binary);
  const std::vector<std::uint8_t> expected((std::istreambuf_iterator<char>(rawFile)), std::istreambuf_iterator<char>());

  WaveStream wave;
  std::string error;
  ASSERT_EQ(wave.open(wav, error), MediaResult::kSuccess) << error;
  ASSERT_EQ(wave.dataBytes(), expected.size());
  std::vector<std::uint8_t> got(expected.size());
  ASSERT_TRUE(wave.read(0, got.data(), got.size()));
  EXPECT_TRUE(got == expected) << "the samples differ from sox's raw output";
}

}  // namespace
}  // namespace brisolt::platform
