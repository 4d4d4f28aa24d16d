// The Composer operations that the voice renderers call: folding, stretching
// pattern texts, the key at a beat, range lists, weighted choices and the
// tonic test.
#include <gtest/gtest.h>

#include <map>

#include "compose/composer.h"
#include "tests/compose/scratch_folder.h"

namespace brisolt::compose {
namespace {

// A composer that has planned a five-phrase piece with the given session id.
class PlannedComposer : public ::testing::Test {
 protected:
  void planWith(std::uint32_t sessionId, int keySignature = 1) {
    PlanOptions options;
    options.outputPrefix = folder.prefix();
    options.keySignature = keySignature;
    composer.fixSessionId(sessionId);
    ASSERT_EQ(composer.planPiece(options), 5);
  }
  // Plans with the first session id whose stretch factor is `factor`.
  void planWithStretch(int factor) {
    for (std::uint32_t id = 1; id < 1000; ++id) {
      planWith(id);
      if (composer.plan().stretchFactor == factor) return;
    }
    FAIL() << "no session id below 1000 gives stretch factor " << factor;
  }

  testing::ScratchFolder folder{"renderer_operations"};
  Composer composer;
};

TEST(FoldIntoRange, MovesByOctavesIntoTheRange) {
  EXPECT_EQ(Composer::foldIntoRange(49, 1, 12), 1);
  EXPECT_EQ(Composer::foldIntoRange(5, 18, 54), 29);
  EXPECT_EQ(Composer::foldIntoRange(60, 18, 54), 48);
  EXPECT_EQ(Composer::foldIntoRange(30, 18, 54), 30);
  EXPECT_EQ(Composer::foldIntoRange(0, 13, 60), 24) << "silence folds up to 24";
  EXPECT_EQ(Composer::foldIntoRange(-30, 1, 12), 6);
}

TEST(FoldIntoRange, ANarrowRangeEndsAtOrAboveItsLowEndInsteadOfLooping) {
  EXPECT_EQ(Composer::foldIntoRange(20, 22, 25), 32);
  EXPECT_EQ(Composer::foldIntoRange(40, 22, 25), 28);
  EXPECT_EQ(Composer::foldIntoRange(34, 22, 25), 22) << "a fitting value is still found";
}

TEST_F(PlannedComposer, StretchFactorOneLeavesThePatternAsItIs) {
  planWithStretch(1);
  EXPECT_EQ(composer.stretchText("VQXVAX+-"), "VQXVAX+-");
}

TEST_F(PlannedComposer, StretchingDropsEvery149thCharacterAndRepeatsTheOthers) {
  planWithStretch(3);
  EXPECT_EQ(composer.stretchText("ABC"), "BBBCCC");
  std::string text(300, 'x');
  text[0] = text[149] = text[298] = 'd';
  const std::string stretched = composer.stretchText(text);
  EXPECT_EQ(stretched.size(), 297u * 3);
  EXPECT_EQ(stretched.find('d'), std::string::npos);
}

TEST(KeyAtBeat, ReturnsTheNoteSoundingAtTheUnit) {
  EXPECT_EQ(Composer::keyAtBeat(0, "302527", "233"), 30);
  EXPECT_EQ(Composer::keyAtBeat(1, "302527", "233"), 30);
  EXPECT_EQ(Composer::keyAtBeat(2, "302527", "233"), 25) << "a note starting at the unit";
  EXPECT_EQ(Composer::keyAtBeat(7, "302527", "233"), 27);
  EXPECT_EQ(Composer::keyAtBeat(3, "48", "8"), 48);
  EXPECT_EQ(Composer::keyAtBeat(6, "3025", "24"), 0) << "the notes end at unit 6";
  EXPECT_EQ(Composer::keyAtBeat(0, "", ""), 0);
}

TEST(RangeAt, ReadsTheNthPairOfARangeList) {
  const char* list = "(25,36),(20,31),(40,51),(20,31),(38,49)";
  EXPECT_EQ(Composer::rangeAt(1, list), (KeyRange{25, 36}));
  EXPECT_EQ(Composer::rangeAt(3, list), (KeyRange{40, 51}));
  EXPECT_EQ(Composer::rangeAt(5, list), (KeyRange{38, 49}));
  EXPECT_EQ(Composer::rangeAt(6, list), (KeyRange{})) << "past the list";
  EXPECT_EQ(Composer::rangeAt(0, list), (KeyRange{}));
  EXPECT_EQ(Composer::rangeAt(2, "( 1 , 2 ) ( 3 4 )"), (KeyRange{3, 4})) << "blanks separate too";
}

TEST_F(PlannedComposer, PickWeightedFollowsTheWeightsWithOneDrawPerChoice) {
  planWith(99);
  std::map<int, int> counts;
  for (int trial = 0; trial < 4000; ++trial) ++counts[composer.pickWeighted("(1,10)(2,30)(3,60)")];
  EXPECT_EQ(counts.size(), 3u);
  EXPECT_NEAR(counts[1], 400, 120);
  EXPECT_NEAR(counts[2], 1200, 200);
  EXPECT_NEAR(counts[3], 2400, 250);

  RandomGenerator reference;
  reference.seed(composer.random().state());
  const int expected = reference.scaled(100) < 20 ? 1 : 2;  // t = draw scaled to 100, plus 1
  EXPECT_EQ(composer.pickWeighted("(1,20)(2,80)"), expected);
  EXPECT_EQ(composer.random().state(), reference.state());
}

TEST_F(PlannedComposer, PickWeightedOfFiveEqualChoicesGivesEachOfOneToFive) {
  planWith(3);
  std::map<int, int> counts;
  for (int trial = 0; trial < 1000; ++trial) ++counts[composer.pickWeighted("(1,20)(2,20)(3,20)(4,20)(5,20)")];
  for (int value = 1; value <= 5; ++value) EXPECT_GT(counts[value], 120) << "value " << value;
  EXPECT_EQ(composer.pickWeighted(""), 0) << "no pairs, no choice";
}

TEST_F(PlannedComposer, TheTonicTagFillsOneLetterKeysWithAnUnderscore) {
  planWith(1, 1);
  EXPECT_EQ(composer.tonicTag(), "C_");
  EXPECT_TRUE(composer.isTonic(1));
  EXPECT_TRUE(composer.isTonic(49));
  EXPECT_FALSE(composer.isTonic(2)) << "C#1 does not begin with C_";
  planWith(1, 2);
  EXPECT_EQ(composer.tonicTag(), "C#");
  EXPECT_TRUE(composer.isTonic(14));
  EXPECT_FALSE(composer.isTonic(13));
  EXPECT_FALSE(composer.isTonic(0));
  EXPECT_FALSE(composer.isTonic(61));
}

TEST_F(PlannedComposer, ScaleOperationsWorkOnThePlannedKeyAndScale) {
  planWith(1, 3);  // D major from C#1: 02 03 05 07 08 10 12 14 ...
  EXPECT_EQ(composer.plan().scaleKeys.front(), "02");
  EXPECT_TRUE(composer.isScaleKey(8));
  EXPECT_FALSE(composer.isScaleKey(4)) << "D#1";
  EXPECT_EQ(composer.scaleStep(3, 1), 5);
  EXPECT_EQ(composer.toScalePositions("0203"), "0001");
  EXPECT_EQ(composer.toKeyNumbers("0001"), "0203");
}

TEST(ComposerConstruction, FillsItsFixedTables) {
  const Composer composer;
  EXPECT_FALSE(composer.cancelRequested);
  EXPECT_EQ(Composer::barLength, 8);
  EXPECT_EQ(composer.patternBitmaps().size(), 200u);
  EXPECT_EQ(composer.noteNames().size(), 61u);
  EXPECT_EQ(composer.noteNames()[60], "B_5");
  EXPECT_EQ(composer.dynamicsSource().size(), 2040u);
}

}  // namespace
}  // namespace brisolt::compose
