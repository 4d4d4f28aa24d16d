// The phrase arithmetic shared by the window and `brisolt play`.
#include "playback/phrase_timing.h"

#include <gtest/gtest.h>

namespace brisolt::playback {
namespace {

TEST(PhraseTiming, PhrasesStartAfterTheLeadInAndLast64Seconds) {
  EXPECT_EQ(phraseAtPosition(0), 0);
  EXPECT_EQ(phraseAtPosition(499), 0);
  EXPECT_EQ(phraseAtPosition(499.9), 0);
  EXPECT_EQ(phraseAtPosition(500), 1);
  EXPECT_EQ(phraseAtPosition(64499), 1);
  EXPECT_EQ(phraseAtPosition(64500), 2);
  EXPECT_EQ(phraseAtPosition(128501), 3);
  EXPECT_EQ(phraseAtPosition(0.5e3 + 64e3 * 89), 90);
}

TEST(PhraseTiming, SeekTargetsStayWithinThePlannedPhrases) {
  EXPECT_EQ(seekTargetPhrase(1, -1, 5), 1);
  EXPECT_EQ(seekTargetPhrase(2, -1, 5), 1);
  EXPECT_EQ(seekTargetPhrase(0, -1, 5), 1);
  EXPECT_EQ(seekTargetPhrase(-1, +1, 5), 1) << "before the first tick nothing is shown yet";
  EXPECT_EQ(seekTargetPhrase(3, -1, 5), 2);
  EXPECT_EQ(seekTargetPhrase(3, +1, 5), 4);
  EXPECT_EQ(seekTargetPhrase(5, +1, 5), 5);
  EXPECT_EQ(seekTargetPhrase(6, -1, 5), 5) << "the tail after the last phrase counts as past it";
  EXPECT_EQ(seekTargetPhrase(0, +1, 0), 1) << "nothing planned still seeks inside the file";
}

TEST(PhraseTiming, SeeksLandOneMillisecondIntoThePhrase) {
  EXPECT_EQ(phraseStartMilliseconds(1), 501);
  EXPECT_EQ(phraseStartMilliseconds(2), 64501);
  EXPECT_EQ(phraseStartMilliseconds(3), 128501);
  EXPECT_EQ(phraseStartMilliseconds(90), 5696501);
  for (int phrase = 1; phrase <= 90; ++phrase) {
    EXPECT_EQ(phraseAtPosition(static_cast<double>(phraseStartMilliseconds(phrase))), phrase);
  }
}

TEST(PhraseTiming, PhraseTotalOfAFileRoundsAPartialPhraseUpButNotTheTail) {
  EXPECT_EQ(phraseTotalForLength(0), 0);
  EXPECT_EQ(phraseTotalForLength(500), 0);
  EXPECT_EQ(phraseTotalForLength(501), 1) << "anything after the lead-in is at least one phrase";
  EXPECT_EQ(phraseTotalForLength(64500), 1);
  EXPECT_EQ(phraseTotalForLength(320500), 5);
  EXPECT_EQ(phraseTotalForLength(323500), 5) << "a 3 s ring-out after the fifth phrase is its tail";
  EXPECT_EQ(phraseTotalForLength(323501), 6) << "more than that is a partial phrase, and rounds up";
  EXPECT_EQ(phraseTotalForLength(300000), 5);
}

}  // namespace
}  // namespace brisolt::playback
