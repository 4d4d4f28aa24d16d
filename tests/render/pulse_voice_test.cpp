// renderPulseVoice: two strikes per bar on the fixed grid, the carry of a
// strike into the next bar, the last bar ending on the bar line, the key
// rules of the six voices and the bar mask.
#include <gtest/gtest.h>

#include "render/voice_renderers.h"
#include "render/voice_table.h"
#include "tests/render/voice_test_support.h"

namespace brisolt::render::test {
namespace {

class PulseVoice : public VoiceRenderTest {
 protected:
  std::string render(char voice, const std::vector<std::string>& bars) {
    usePlan(handPlan(composer, bars, 1, builtinVoiceTable().common(voice)->groupDigit));
    return writtenPath(renderPulseVoice(composer, bank(), voice, events, 1));
  }
  static int leadInOf(char voice) { return builtinVoiceTable().common(voice)->leadInMs; }
  std::vector<Sound> sounds(char voice, const std::vector<std::string>& bars) {
    return soundsIn(render(voice, bars), leadInOf(voice));
  }
};

// A bar of strikes on one key: the gap before the first strike, the first
// strike (3 units), 1 unit of gap, the second strike.
ExpectedVoice& strikes(ExpectedVoice& expected, int gap, int key, int secondUnits) {
  return expected.silence(gap).clip(key, 2, 3).silence(1).clip(key, 2, secondUnits);
}

TEST_F(PulseVoice, VoiceNineRingsTwoUnitsIntoTheNextBarWhoseFirstGapIsThenOneUnit) {
  // One 8-unit note of 30 per bar: the fifth above, 37, folded into 5..16, is 13.
  const int leadIn = leadInOf('9');
  ExpectedVoice expected;
  strikes(expected.leadIn(leadIn), 3, 13, 3);  // the second strike reaches unit 10
  strikes(expected, 1, 13, 3);
  strikes(expected, 1, 13, 1).tail(leadIn);  // the last bar ends on time
  EXPECT_TRUE(voiceMatches(render('9', {"30 8", "30 8", "30 8"}), expected));
}

TEST_F(PulseVoice, InTheLastBarVoiceNCutsItsSecondStrikeAndVoiceMFillsTheBar) {
  const int leadIn = leadInOf('n');
  // 49 folds into 1..12 as 1.
  ExpectedVoice n;
  strikes(n.leadIn(leadIn), 2, 1, 3);
  strikes(n, 1, 1, 2).tail(leadIn);
  EXPECT_TRUE(voiceMatches(render('n', {"49 8", "49 8"}), n));
  ExpectedVoice m;
  strikes(m.leadIn(leadIn), 0, 1, 3).silence(1);
  strikes(m, 0, 1, 3).silence(1).tail(leadIn);
  EXPECT_TRUE(voiceMatches(render('m', {"49 8", "49 8"}), m));
}

TEST_F(PulseVoice, EachStrikeTakesTheMelodyNoteSoundingAtItsUnit) {
  // m strikes at units 0 and 4: 30 (F, folded to 6) and then 32 (G, 8).
  EXPECT_EQ(sounds('m', {"3032 44"}), (std::vector<Sound>{{0, 66134, 6, 2}, {4 * kUnit, 66134, 8, 2}}));
  // A bar whose notes end at unit 4 strikes silence there.
  EXPECT_EQ(sounds('m', {"30 4"}), (std::vector<Sound>{{0, 66134, 6, 2}}));
  // 0 strikes at units 1 and 5 on the fifth above, folded into 5..16: 30 + 7 = 37 gives 13.
  EXPECT_EQ(sounds('0', {"30 8"}), (std::vector<Sound>{{1 * kUnit, 66134, 13, 2}, {5 * kUnit, 66134, 13, 2}}));
}

TEST_F(PulseVoice, VoicesOAndPStrikeOnceABarAndOnlyWhenTheThirdAboveIsInTheScale) {
  // 30 (F): its third A is in C major; the fifth 37 folds into 1..12 as 1.
  EXPECT_EQ(sounds('o', {"30 8", "30 8"}), (std::vector<Sound>{{2 * kUnit, 66134, 1, 2}, {10 * kUnit, 66134, 1, 2}}));
  EXPECT_EQ(sounds('p', {"30 8", "30 8"}), (std::vector<Sound>{{6 * kUnit, 66134, 1, 2}, {14 * kUnit, 44100, 1, 2}}));
  // 29 (E): its major third G# is not, so neither strikes.
  EXPECT_TRUE(sounds('o', {"29 8"}).empty());
  EXPECT_TRUE(sounds('p', {"29 8"}).empty());
}

TEST_F(PulseVoice, AMutedBarStrikesSilenceButKeepsItsLength) {
  // Bar pattern group 0, member 2 mutes bars 3 to 5 of a phrase; m and n are group 2.
  compose::PiecePlan plan = handPlan(composer, std::vector<std::string>(5, "30 8"), 1);
  plan.variationIndex = 0;
  placeGroup(plan, 2, 2);
  usePlan(plan);
  const std::string path = writtenPath(renderPulseVoice(composer, bank(), 'm', events, 1));
  const auto heard = soundsIn(path, leadInOf('m'));
  ASSERT_EQ(heard.size(), 6u) << "bars 0 to 2 only";
  EXPECT_EQ(heard.back().at, 20 * kUnit);
  EXPECT_EQ(dataBytes(path), millisecondsAsBytes(leadInOf('m')) + 40 * kUnit + millisecondsAsBytes(3000 - leadInOf('m')));
}

}  // namespace
}  // namespace brisolt::render::test
