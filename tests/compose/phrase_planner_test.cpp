// Planning one phrase: the transposition of each bar, the mirrored endings
// and the way bars repeat the motif.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "compose/phrase_planner.h"
#include "compose/scale_keys.h"
#include "compose/scale_tables.h"

namespace brisolt::compose {
namespace {

using Positions = std::array<int, kMotifLength>;

TEST(Transposition, MovesEveryPositionByTheStepInTheDirection) {
  Positions positions = {10, 12, 11, 9, 8, 10, 12, 13};
  int direction = -1;
  EXPECT_TRUE(transposeBar(positions, 8, 2, direction, 34));
  EXPECT_EQ(positions, (Positions{8, 10, 9, 7, 6, 8, 10, 11}));
  EXPECT_EQ(direction, -1);
}

TEST(Transposition, TurnsTheDirectionWhereAPositionWouldLeaveTheScale) {
  Positions positions = {1, 3, 5, 4, 3, 2, 3, 4};
  int direction = -1;
  EXPECT_TRUE(transposeBar(positions, 8, 2, direction, 34));
  EXPECT_EQ(direction, +1);
  EXPECT_EQ(positions, (Positions{3, 5, 7, 6, 5, 4, 5, 6}));
}

TEST(Transposition, ABarWhoseTurnedStepStillLeavesKeepsItsPositions) {
  Positions positions = {0, 34, 10, 11, 12, 13, 14, 15};
  const Positions before = positions;
  int direction = -1;
  EXPECT_FALSE(transposeBar(positions, 2, 2, direction, 34));
  EXPECT_EQ(positions, before) << "the bar takes step 0";
  EXPECT_EQ(direction, +1) << "the direction still turns once";
}

TEST(Transposition, OnlyTheCheckedPositionsDecide) {
  Positions positions = {10, 10, 0, 0, 0, 0, 0, 0};
  int direction = -1;
  EXPECT_TRUE(transposeBar(positions, 2, 3, direction, 34));
  EXPECT_EQ(direction, -1);
  EXPECT_EQ(positions[0], 7);
  EXPECT_EQ(positions[2], -3) << "positions beyond the bar's notes are never written";
}

TEST(MirroredEnding, ReflectsTheLastPositionAroundTheOneBefore) {
  EXPECT_EQ(mirroredEnding("1012", 34), "1008");
  EXPECT_EQ(mirroredEnding("201510", 34), "201520");
  EXPECT_EQ(mirroredEnding("10", 34), "10") << "a single position stays";
  EXPECT_EQ(mirroredEnding("0205", 34), "0200") << "kept at the bottom of the scale";
  EXPECT_EQ(mirroredEnding("3331", 34), "3334") << "kept at the top of the scale";
}

class PhrasePlanning : public ::testing::Test {
 protected:
  // Plans one phrase of C major with the given seed and switches.
  void plan(std::uint32_t seed, MotifSwitches switches) {
    random.seed(seed);
    PhrasePlanner planner(tables, keys, switches, random);
    pitches.clear();
    rhythms.clear();
    planner.pickTables();
    planner.planPhrase(pitches, rhythms);
  }
  std::vector<int> positionsOf(int bar) const {
    std::vector<int> result;
    const std::string text = toScalePositions(keys, pitches[bar]);
    for (std::size_t i = 0; i < text.size(); i += 2) result.push_back(twoDigitNumber(text, i));
    return result;
  }

  PhraseTables tables = PhraseTables::load();
  ScaleKeys keys = ScaleTable::load().scaleKeys(0, 0);
  RandomGenerator random;
  std::vector<std::string> pitches;
  std::vector<std::string> rhythms;
};

TEST_F(PhrasePlanning, WithOneMotifBarEightRepeatsBarSevenWithoutItsMirroredEnding) {
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    plan(seed, {.closedMotif = seed % 2 == 0, .complexSteps = seed % 3 == 0, .alternatingMotifs = false});
    ASSERT_EQ(pitches.size(), 16u);
    EXPECT_EQ(mirroredEnding(toScalePositions(keys, pitches[8]), 34), toScalePositions(keys, pitches[7]))
        << "seed " << seed;
    for (int bar = 1; bar < 16; ++bar) {
      if (bar == 8) continue;
      const int move = std::abs(positionsOf(bar)[0] - positionsOf(bar - 1)[0]);
      EXPECT_TRUE(move >= 1 && move <= 4) << "seed " << seed << " bar " << bar << " moved " << move;
    }
  }
}

TEST_F(PhrasePlanning, WithOneMotifEveryBarTakesTheSameRhythm) {
  plan(42, {.closedMotif = true, .complexSteps = false, .alternatingMotifs = false});
  for (int bar = 0; bar < 16; ++bar) {
    EXPECT_EQ(rhythms[bar], rhythms[0]) << "bar " << bar;
    EXPECT_EQ(pitches[bar].size(), 2 * rhythms[bar].size()) << "bar " << bar;
  }
}

TEST_F(PhrasePlanning, WithTwoMotifsOddBarsTakeMotifBAndEvenBarsRepeatTheLevelBeforeThem) {
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    plan(seed, {.closedMotif = seed % 2 == 0, .complexSteps = seed % 3 == 0, .alternatingMotifs = true});
    for (int bar = 2; bar < 16; bar += 2) {
      EXPECT_EQ(rhythms[bar], rhythms[0]) << "seed " << seed << " bar " << bar;
      EXPECT_EQ(rhythms[bar + 1], rhythms[1]) << "seed " << seed << " bar " << bar + 1;
      const auto even = positionsOf(bar);
      const auto odd = positionsOf(bar - 1);
      // The odd bar's last note may be mirrored; the notes before it match.
      const std::size_t shared = std::min(even.size(), odd.size()) - 1;
      for (std::size_t note = 0; note < shared; ++note) {
        EXPECT_EQ(even[note], odd[note]) << "seed " << seed << " bar " << bar << " note " << note;
      }
    }
  }
}

TEST_F(PhrasePlanning, EveryPitchIsAScaleKeyOfTheRhythmsLength) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    plan(seed, {.closedMotif = seed % 2 == 1, .complexSteps = seed % 4 < 2, .alternatingMotifs = seed % 3 == 0});
    for (int bar = 0; bar < 16; ++bar) {
      ASSERT_EQ(pitches[bar].size(), 2 * rhythms[bar].size()) << "seed " << seed << " bar " << bar;
      for (std::size_t i = 0; i < pitches[bar].size(); i += 2) {
        EXPECT_TRUE(isScaleKey(keys, twoDigitNumber(pitches[bar], i)))
            << "seed " << seed << " bar " << bar << ": " << pitches[bar];
      }
    }
  }
}

TEST_F(PhrasePlanning, AWalkBelowPositionEighteenTurnsUpwards) {
  random.seed(9);
  PhrasePlanner planner(tables, keys, {}, random);
  planner.pickTables();
  planner.setPosition(18);
  planner.setDirection(-1);
  for (int attempt = 0; attempt < 50 && planner.direction() == -1; ++attempt) planner.walk(1);
  EXPECT_EQ(planner.direction(), +1);
}

}  // namespace
}  // namespace brisolt::compose
