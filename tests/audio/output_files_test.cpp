// The session's output files: the final mix name, the phrase excerpt's name,
// where it starts in the mix, how long it is and what its header declares.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "audio/output_files.h"
#include "platform/files/file_handle.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace brisolt::audio {
namespace {

std::uint32_t littleEndian32(const test::Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

TEST(OutputFileNames, FinalMixAndExcerptNamesFollowThePrefix) {
  EXPECT_EQ(finalMixPath("/x/Archive/240131_142507_"), "/x/Archive/240131_142507_Pelko.wav");
  EXPECT_EQ(phraseExcerptPath("/x/Archive/", "240131_142507_", 7), "/x/Archive/240131_142507_Pelko_07.wav");
  EXPECT_EQ(phraseExcerptPath("/x/Archive/", "240131_142507_", 42), "/x/Archive/240131_142507_Pelko_42.wav");
}

TEST(PhraseExcerptOffset, StartsTwoSamplesBeforeTheEndOfTheLeadIn) {
  EXPECT_EQ(phraseExcerptOffset(1, 60), 20722u);  // 469 ms = 20682 bytes, + 40
  EXPECT_EQ(phraseExcerptOffset(2, 60), 2843122u);
  EXPECT_EQ(phraseExcerptOffset(7, 60), 20722u + 6u * 2822400u);
  // Any other tempo has the short lead-in: 312 ms = 13759 bytes, made even.
  EXPECT_EQ(phraseExcerptOffset(1, 90), 13798u);
  EXPECT_EQ(phraseExcerptOffset(3, 120), 13798u + 2u * 2822400u);
}

class PhraseExcerpt : public test::TempFolderTest {
 protected:
  static constexpr const char* kPrefix = "240131_142507_";

  // A final mix of bytes that never repeat in step, so a copy from the
  // wrong place cannot match.
  void writeFinalMix(std::uint32_t bytes) {
    mix_.assign(bytes, 0);
    std::uint32_t state = 1;
    for (std::uint8_t& byte : mix_) {
      state = state * 1664525u + 1013904223u;
      byte = static_cast<std::uint8_t>(state >> 24);
    }
    test::writeFileBytes(folder().file(std::string(kPrefix) + "Pelko.wav"), mix_);
  }
  std::string excerpt(int phrase) const { return phraseExcerptPath(folder().path(), kPrefix, phrase); }
  void expectExcerptOf(int phrase, std::uint32_t offset, std::uint32_t length) {
    const test::Bytes bytes = test::readFileBytes(excerpt(phrase));
    ASSERT_EQ(bytes.size(), 44u + length);
    EXPECT_EQ(littleEndian32(bytes, 40), 2954700u) << "declared data size: 16 bars and the 3-second tail";
    EXPECT_EQ(littleEndian32(bytes, 4), 2954736u);
    EXPECT_TRUE(std::equal(bytes.begin() + 44, bytes.end(), mix_.begin() + offset))
        << "the excerpt is not the mix from byte " << offset;
  }

  test::Bytes mix_;
};

TEST_F(PhraseExcerpt, CopiesOnePhraseBehindAHeaderOfItsOwn) {
  writeFinalMix(20722 + 2 * kPhraseExcerptLength + 5000);
  EXPECT_EQ(writePhraseExcerpt(folder().path(), kPrefix, 2, 60, 60), kExcerptWritten);
  expectExcerptOf(2, 2843122, kPhraseExcerptLength);
}

TEST_F(PhraseExcerpt, APieceOfAnotherTempoHasTheShortLeadIn) {
  writeFinalMix(13798 + kPhraseExcerptLength);
  EXPECT_EQ(writePhraseExcerpt(folder().path(), kPrefix, 1, 60, 75), kExcerptWritten);
  expectExcerptOf(1, 13798, kPhraseExcerptLength);
}

TEST_F(PhraseExcerpt, AMixThatEndsEarlyGivesAShorterExcerptAndSaysSo) {
  writeFinalMix(20722 + 100000);
  EXPECT_EQ(writePhraseExcerpt(folder().path(), kPrefix, 1, 60, 60), kExcerptShort);
  expectExcerptOf(1, 20722, 100000);
}

TEST_F(PhraseExcerpt, WithoutAFinalMixNoExcerptIsMade) {
  EXPECT_EQ(writePhraseExcerpt(folder().path(), kPrefix, 1, 60, 60), kExcerptNoFinalMix);
  EXPECT_FALSE(test::fileExists(excerpt(1)));
}

TEST_F(PhraseExcerpt, AnExcerptHeldOpenElsewhereIsReportedAndLeftAlone) {
  writeFinalMix(20722 + kPhraseExcerptLength);
  test::writeFileBytes(excerpt(1), {1, 2, 3});
  const platform::File holder = platform::File::openForReading(excerpt(1));
  ASSERT_TRUE(holder.isValid());
  EXPECT_EQ(writePhraseExcerpt(folder().path(), kPrefix, 1, 60, 60), kExcerptNotCreated);
  EXPECT_EQ(test::fileSize(excerpt(1)), 3u);
}

}  // namespace
}  // namespace brisolt::audio
