// Smoothing the register of the finished melody and its closing note.
#include <gtest/gtest.h>

#include "compose/register_smoothing.h"
#include "compose/scale_keys.h"
#include "compose/scale_tables.h"

namespace brisolt::compose {
namespace {

class Smoothing : public ::testing::Test {
 protected:
  std::string smooth(std::string_view text) const {
    return smoothRegister(text, [this](int key) { return isScaleKey(keys, key); });
  }
  ScaleKeys keys = ScaleTable::load().scaleKeys(0, 0);  // C major
};

TEST_F(Smoothing, AFifteenSemitoneLeapUpBecomesAMinorThird) {
  const std::string smoothed = smooth("3045303030");
  EXPECT_EQ(smoothed.substr(0, 4), "3033") << smoothed;
}

TEST_F(Smoothing, ALeapThatCannotComeWithinSevenKeepsItsOctaveAbove18) {
  const std::string smoothed = smooth("2040202020");
  EXPECT_EQ(smoothed.substr(0, 4), "2028") << smoothed;
}

TEST_F(Smoothing, ALeapDownIsRaisedByOctavesUntilItLiesWithinSeven) {
  const std::string smoothed = smooth("4020202020");
  EXPECT_EQ(smoothed.substr(0, 4), "4044") << smoothed;
}

TEST_F(Smoothing, StepsWithinSevenAndRepeatsStayAsTheyAre) {
  EXPECT_EQ(smooth("25252730283028").substr(0, 12), "252527302830");
}

TEST_F(Smoothing, KeepsTheNoteCountAndEndsOnTheClosingNote) {
  const std::string melody = "30453035404548505254";
  const std::string smoothed = smooth(melody);
  ASSERT_EQ(smoothed.size(), melody.size());
  const int last = twoDigitNumber(smoothed, smoothed.size() - 4);
  EXPECT_EQ(twoDigitNumber(smoothed, smoothed.size() - 2), closingNote(last, [this](int key) {
              return isScaleKey(keys, key);
            }));
}

TEST_F(Smoothing, TwoNotesKeepTheFirstAndCloseAfterIt) {
  EXPECT_EQ(smooth("2530"), "2520") << "25 - 5 = 20 (G) is in C major: a fourth below";
  EXPECT_EQ(smooth("2430"), "2431") << "24 - 5 = 19 (F#) is not: a fifth above";
}

TEST_F(Smoothing, TextsTooShortToSmoothComeBackUnchanged) {
  EXPECT_EQ(smooth(""), "");
  EXPECT_EQ(smooth("30"), "30");
}

TEST_F(Smoothing, AClosingNoteAboveTheKeyboardIsTakenAnOctaveLower) {
  const auto inScale = [this](int key) { return isScaleKey(keys, key); };
  EXPECT_EQ(closingNote(55, inScale), 50) << "55 + 7 = 62 lies above key 60";
  EXPECT_EQ(closingNote(48, inScale), 55) << "48 + 7 = 55 is still a key";
  EXPECT_EQ(closingNote(58, inScale), 53) << "a fourth below when it is a scale key";
}

}  // namespace
}  // namespace brisolt::compose
