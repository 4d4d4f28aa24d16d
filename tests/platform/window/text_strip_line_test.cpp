#include "platform/window/text_strip_line.h"

#include <gtest/gtest.h>

namespace brisolt::platform {
namespace {

constexpr int kCharWidth = 6;

// A typeface where every character is 6 pixels wide.
int monospaced(std::string_view utf8) {
  int characters = 0;
  for (const char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
  return characters * kCharWidth;
}

int characters(const std::string& line) { return monospaced(line) / kCharWidth; }

TEST(TextStripLine, KeepsALineThatFits) {
  EXPECT_EQ(fitTextStripLine("Session 1172353556 \u00B7 C Major", 40 * kCharWidth, monospaced),
            "Session 1172353556 \u00B7 C Major");
  EXPECT_EQ(fitTextStripLine("", 10, monospaced), "");
}

TEST(TextStripLine, ShortensTheWidestPartFirstAndAPathByItsFolders) {
  const std::string line = fitTextStripLine(
      "No sound output device (no audio) \u00B7 the piece is in /home/ann/Brisolt/Archive/251209_101500_Pelko.wav",
      75 * kCharWidth, monospaced);
  EXPECT_EQ(characters(line), 75) << line;
  EXPECT_EQ(line.rfind("No sound output device (no audio) \u00B7 the piece", 0), 0u)
      << "the narrower part stays whole: " << line;
  EXPECT_NE(line.find("the piece is in /\u2026"), std::string::npos) << "the folders go first: " << line;
  EXPECT_TRUE(line.ends_with("101500_Pelko.wav")) << "the file name is kept: " << line;
}

TEST(TextStripLine, IsCutAtItsEndKeepingWhatComesFirst) {
  EXPECT_EQ(fitTextStripLine("Session 1052345678 \u00B7 C# Minor Melodic \u00B7 B/B \u00B7 20 phrases", 50 * kCharWidth,
                             monospaced),
            "Session 1052345678 \u00B7 C# Minor Melodic \u00B7 B/B \u00B7 20\u2026");
  EXPECT_EQ(fitTextStripLine("Not composed: rendering failed: the final mix could not be made", 30 * kCharWidth,
                             monospaced),
            "Not composed: rendering faile\u2026");
}

TEST(TextStripLine, DropsTheSpacesBeforeTheEllipsis) {
  EXPECT_EQ(fitTextStripLine("Session 1052345678 and more", 20 * kCharWidth, monospaced), "Session 1052345678\u2026");
}

TEST(TextStripLine, APathGivesUpTheWordsBeforeItOnceItsFoldersAreGone) {
  const std::string line = fitTextStripLine("the piece is in /home/ann/Brisolt/Archive/251209_101500_Pelko.wav",
                                            20 * kCharWidth, monospaced);
  EXPECT_EQ(line, "the\u2026101500_Pelko.wav");
  EXPECT_EQ(fitTextStripLine("in /home/ann/Brisolt/Archive/251209_101500_Pelko.wav", 17 * kCharWidth, monospaced),
            "\u2026101500_Pelko.wav");
}

TEST(TextStripLine, CutsTheEndWhenThePartsCannotGiveMore) {
  const std::string line = fitTextStripLine("a \u00B7 b \u00B7 c \u00B7 d \u00B7 e \u00B7 f", 7 * kCharWidth, monospaced);
  EXPECT_EQ(line, "a \u00B7 b\u2026");  // no part of one character gives
}

TEST(TextStripLine, NeverSplitsACharacterOfSeveralBytes) {
  const std::string line = fitTextStripLine("\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9",
                                            9 * kCharWidth, monospaced);
  EXPECT_EQ(line, "\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u2026");
}

TEST(TextStripLine, IsEmptyWhenNotEvenAnEllipsisFits) {
  EXPECT_EQ(fitTextStripLine("Session 1172353556", kCharWidth - 1, monospaced), "");
}

}  // namespace
}  // namespace brisolt::platform
