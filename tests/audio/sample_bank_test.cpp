// The clip table of the sample data file and the three lookups over it.
#include <gtest/gtest.h>

#include <numeric>

#include "audio/sample_bank.h"
#include "tests/support/file_bytes.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt::audio {
namespace {

TEST(SampleBank, TheTableHas209ClipsFilling15696272Bytes) {
  const SampleBank bank;
  ASSERT_EQ(bank.names().size(), 209u);
  ASSERT_EQ(bank.sizes().size(), 209u);
  EXPECT_EQ(std::accumulate(bank.sizes().begin(), bank.sizes().end(), std::uint64_t{0}), 15696272u);
  EXPECT_EQ(bank.names()[0], "TP01C_1_L1.wav");
  EXPECT_EQ(bank.names()[2], "TP02C#1_L1.wav");
  EXPECT_EQ(bank.names()[208], "_AA_silence.wav");
  EXPECT_EQ(bank.sizes()[208], 352800u);
  EXPECT_EQ(clipName(13, 4), "TP13C_2_L4.wav");
  EXPECT_EQ(clipName(60, 2), "TP60B_5_L2.wav");
}

TEST(SampleBank, OffsetsOfKnownClips) {
  const SampleBank bank;
  EXPECT_EQ(bank.sampleOffset(1, 1), 0);
  EXPECT_EQ(bank.sampleOffset(1, 2), 44084);
  EXPECT_EQ(bank.sampleOffset(13, 1), 1322616);
  EXPECT_EQ(bank.sampleOffset(13, 4), 1521018);
  EXPECT_EQ(bank.sampleOffset(57, 1), 14902600);
  EXPECT_EQ(bank.sampleOffset(1, 3), kNoClip);
  EXPECT_EQ(bank.sampleOffset(60, 4), kNoClip);
  EXPECT_EQ(bank.silenceOffset(), 15343472);
  for (int layer = 1; layer <= 5; ++layer) EXPECT_EQ(bank.sampleOffset(0, layer), 15343472) << "layer " << layer;
}

TEST(SampleBank, LayerFiveReadsAsLayerFourForEveryKey) {
  const SampleBank bank;
  for (int key = 0; key <= 60; ++key) EXPECT_EQ(bank.sampleOffset(key, 5), bank.sampleOffset(key, 4)) << "key " << key;
}

TEST(SampleBank, OutOfRangeKeysAndLayersHaveNoClip) {
  const SampleBank bank;
  EXPECT_EQ(bank.sampleOffset(61, 1), kNoClip);
  EXPECT_EQ(bank.sampleOffset(-1, 1), kNoClip);
  EXPECT_EQ(bank.sampleOffset(20, 0), kNoClip) << "column 0 is not a layer";
  EXPECT_EQ(bank.sampleOffset(20, 6), kNoClip);
  EXPECT_EQ(bank.findSampleOffset(20, 5), kNoClip) << "no clip has a layer 5";
  EXPECT_EQ(bank.findSampleOffset(0, 1), 15343472) << "key 0 is the silence clip once looked up";
}

TEST(SampleBank, NameLookupIgnoresCaseButItsSilenceTestDoesNot) {
  const SampleBank bank;
  EXPECT_EQ(bank.findSampleOffsetByName("TP01C_1_L2.WAV"), 44084);
  EXPECT_EQ(bank.findSampleOffsetByName("tp13c_2_l4.wav"), 1521018);
  EXPECT_EQ(bank.findSampleOffsetByName("my_silence.wav"), 15343472);
  EXPECT_EQ(bank.findSampleOffsetByName("_aa_silence.wav"), 15343472);
  EXPECT_EQ(bank.findSampleOffsetByName("Silence.wav"), kNoClip);
  EXPECT_EQ(bank.findSampleOffsetByName("TP01C_1_L3.wav"), kNoClip);
  EXPECT_EQ(bank.findSampleOffsetByName(""), kNoClip);
}

class SyntheticBank : public test::TempFolderTest {};

// Every offset of the table lands on the first byte of its own clip: the
// byte before belongs to the clip before.
TEST_F(SyntheticBank, EveryOffsetLandsOnItsOwnClip) {
  const std::string path = folder().file("Data.dat");
  test::writeSyntheticBank(path);
  const test::Bytes data = test::readFileBytes(path);
  ASSERT_EQ(data.size(), kSampleDataSize);
  const SampleBank bank;
  auto sampleAt = [&](std::int64_t at) { return static_cast<std::int16_t>(data[at] | (data[at + 1] << 8)); };
  for (int key = 1; key <= 60; ++key) {
    for (int layer = 1; layer <= 4; ++layer) {
      const std::int32_t offset = bank.sampleOffset(key, layer);
      if (offset == kNoClip) continue;
      EXPECT_EQ(sampleAt(offset), test::syntheticSampleValue(key, layer)) << "key " << key << " layer " << layer;
      if (offset > 0) {
        EXPECT_NE(sampleAt(offset - 2), sampleAt(offset)) << "key " << key << " layer " << layer;
      }
      EXPECT_EQ(test::syntheticSampleAt(static_cast<std::uint32_t>(offset)), test::syntheticSampleValue(key, layer));
    }
  }
  EXPECT_EQ(sampleAt(bank.silenceOffset()), 0);
  EXPECT_EQ(sampleAt(bank.silenceOffset() - 2), test::syntheticSampleValue(60, 2)) << "the last clip before silence";
}

TEST_F(SyntheticBank, AReducedBankKeepsTheLayoutAndCanEndEarly) {
  const std::string path = folder().file("Data.dat");
  test::writeSyntheticBank(path, {.markedBytes = 4, .length = 1322616 + 10});
  const test::Bytes data = test::readFileBytes(path);
  ASSERT_EQ(data.size(), 1322626u);
  EXPECT_EQ(data[44084], test::syntheticSampleValue(1, 2));
  EXPECT_EQ(data[44084 + 4], 0) << "past the marked bytes";
  EXPECT_EQ(data[1322616], test::syntheticSampleValue(13, 1));
}

}  // namespace
}  // namespace brisolt::audio
