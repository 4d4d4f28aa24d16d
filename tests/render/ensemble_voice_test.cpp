// renderEnsembleVoice: where the two-unit clips of layer 1 land, the debt of
// short notes, the last note, masks, steps, and the decisions of the five
// families (interval pairs, voice 2, scale-step lines, arpeggios, harmony).
#include <gtest/gtest.h>

#include "compose/random_generator.h"
#include "render/voice_renderers.h"
#include "render/voice_table.h"
#include "tests/render/voice_test_support.h"

namespace brisolt::render::test {
namespace {

class EnsembleVoice : public VoiceRenderTest {
 protected:
  // Renders `voice` over `bars` from pattern offset `offset`, all bars sounding.
  std::string render(char voice, const std::vector<std::string>& bars, int offset, int step = 1) {
    usePlan(handPlan(composer, bars, offset, groupOf(voice)));
    return writtenPath(renderEnsembleVoice(composer, bank(), voice, events, step));
  }
  static int groupOf(char voice) { return builtinVoiceTable().common(voice)->groupDigit; }
  static int leadInOf(char voice) { return builtinVoiceTable().common(voice)->leadInMs; }
  std::vector<Sound> sounds(char voice, const std::string& path) { return soundsIn(path, leadInOf(voice)); }
};

TEST_F(EnsembleVoice, EachSoundingNoteRingsTwoUnitsAndLongerNotesAddSilence) {
  // Voice r reads 'X' (no move) from offset 1 and sounds from 2 units up.
  ASSERT_EQ(patternOffset('r', "XXXX"), 1);
  const std::string path = render('r', {"30323436 3212"}, 1);
  ASSERT_FALSE(path.empty());
  const int leadIn = leadInOf('r');
  EXPECT_TRUE(voiceMatches(path, ExpectedVoice()
                                     .leadIn(leadIn)
                                     .clip(30, 1, 2)
                                     .silence(1)   // 3 units planned
                                     .clip(32, 1, 2)
                                     .silence(1)   // 34 for 1 unit: shorter than r sounds
                                     .clip(36, 1, 2)
                                     .tail(leadIn)));
}

TEST_F(EnsembleVoice, AOneUnitNoteLeavesADebtThatSwallowsTheNextShortNote) {
  // Voice 2 reads "ZZZZ0": a sixth down, from 37 to 29, on four notes.
  const int offset = patternOffset('2', "ZZZZ0");
  ASSERT_GT(offset, 0);
  const std::string path = render('2', {"3737373737 11123"}, offset);
  const int leadIn = leadInOf('2');
  EXPECT_TRUE(voiceMatches(path, ExpectedVoice()
                                     .leadIn(leadIn)
                                     .clip(29, 1, 2)  // 1 unit planned: the debt becomes 1
                                                      // the next 1-unit note is swallowed, paying the debt
                                     .clip(29, 1, 2)  // debt 1 again
                                     .clip(29, 1, 2)  // a 2-unit note sounds one unit late
                                     .silence(2)      // '0' for 3 units, less the debt
                                     .tail(leadIn)));
}

TEST_F(EnsembleVoice, TheLastNoteOfOneUnitWritesOneUnitSoThePieceEndsOnTime) {
  // "ZZZZ" on 30 (F): a sixth down, 22.
  const int offset = patternOffset('2', "ZZZZ0");
  const int leadIn = leadInOf('2');
  EXPECT_TRUE(voiceMatches(render('2', {"30303030 2231"}, offset), ExpectedVoice()
                                                                        .leadIn(leadIn)
                                                                        .clip(22, 1, 2)
                                                                        .clip(22, 1, 2)
                                                                        .clip(22, 1, 2)
                                                                        .silence(1)
                                                                        .clip(22, 1, 1)
                                                                        .tail(leadIn)));
  // Ending on a 1-unit note while a debt is open: that note is swallowed.
  EXPECT_TRUE(voiceMatches(render('2', {"30303030 2411"}, offset), ExpectedVoice()
                                                                        .leadIn(leadIn)
                                                                        .clip(22, 1, 2)
                                                                        .clip(22, 1, 2)
                                                                        .silence(2)
                                                                        .clip(22, 1, 2)
                                                                        .tail(leadIn)));
}

TEST_F(EnsembleVoice, AMutedBarIsSilentForExactlyItsDurations) {
  // Bar pattern group 0, member 2: bars 3 to 5 of a phrase are muted.
  compose::PiecePlan plan =
      handPlan(composer, {"30323436 2222", "30323436 2222", "30323436 2222", "30323436 2222"}, 1);
  placeGroup(plan, groupOf('r'), 2);
  plan.variationIndex = 0;
  ASSERT_EQ(composer.patternBitmaps()[2].substr(0, 4), "1110");
  usePlan(plan);
  const std::string path = writtenPath(renderEnsembleVoice(composer, bank(), 'r', events, 1));
  const auto heard = sounds('r', path);
  ASSERT_EQ(heard.size(), 12u) << "four notes in each of bars 0 to 2";
  EXPECT_EQ(heard.back().at, 22 * kUnit);
  EXPECT_EQ(dataBytes(path), millisecondsAsBytes(leadInOf('r')) + 32 * kUnit + millisecondsAsBytes(3000 - leadInOf('r')));
}

TEST_F(EnsembleVoice, ClipsTakeTheCallersStepOrForVoiceTwoTheDynamics) {
  const std::string path = render('r', {"30303030 2222"}, 1, 8);
  ASSERT_FALSE(path.empty());
  const auto samples = dataSamples(path);
  // Key 30 layer 1 holds 481; step 8 is a gain of 0.23: trunc(110.63).
  EXPECT_EQ(samples[millisecondsAsBytes(leadInOf('r')) / 2], 110);

  compose::PiecePlan plan = handPlan(composer, {"37373737 2222"}, patternOffset('2', "ZZZZ0"), groupOf('2'));
  plan.dynamics = "08010801";
  usePlan(plan);
  const std::string two = writtenPath(renderEnsembleVoice(composer, bank(), '2', events, 1));
  const auto twoSamples = dataSamples(two);
  const std::size_t first = millisecondsAsBytes(leadInOf('2')) / 2;
  EXPECT_EQ(twoSamples[first], 106) << "key 29 layer 1 (465) at step 8: trunc(106.95)";
  EXPECT_EQ(twoSamples[first + 2 * kUnit / 2], 465) << "the second note at step 1";
}

TEST_F(EnsembleVoice, VoiceTwoDoesNotFoldSoAThirdAboveTheTopKeysIsSilent) {
  const int offset = patternOffset('2', "+0");
  ASSERT_GT(offset, 0);
  // 56 (G4) + a major third = 60, a scale key; 58 + 4 = 62 lies past the keyboard.
  EXPECT_EQ(sounds('2', render('2', {"5656 44"}, offset)), (std::vector<Sound>{{0, 44084, 60, 1}}));
  EXPECT_TRUE(sounds('2', render('2', {"5856 44"}, offset)).empty());
  // In C natural minor the third is 3: 56 gives 59; 58 gives 61, again no scale key.
  compose::PiecePlan minor = handPlan(composer, {"5656 44"}, offset, groupOf('2'));
  minor.modeFamily = "Min";
  minor.scaleKeys = composer.scaleTable().scaleKeys(0, 3);
  usePlan(minor);
  EXPECT_EQ(sounds('2', writtenPath(renderEnsembleVoice(composer, bank(), '2', events, 1))), (std::vector<Sound>{{0, 44084, 59, 1}}));
  minor.barPitches = {"5856"};
  usePlan(minor);
  EXPECT_TRUE(sounds('2', writtenPath(renderEnsembleVoice(composer, bank(), '2', events, 1))).empty());
}

TEST_F(EnsembleVoice, ArpeggiosFoldIntoTheBassBeforeTheChordToneAndAgainAfter) {
  // Voice u from offset 26 reads "VQXVAXVXAV+".
  ASSERT_EQ(patternOffset('u', "VQXVAXVXAV+"), 26);
  // 'Q' on 37: folded to 25, one degree up is 27 (without the first fold it would be 39).
  EXPECT_EQ(sounds('u', render('u', {"37 4"}, 27)), (std::vector<Sound>{{0, 44084, 27, 1}}));
  // '+' on 36: six degrees up is 46, folded again into 22..39: 34.
  EXPECT_EQ(sounds('u', render('u', {"36 4"}, 36)), (std::vector<Sound>{{0, 44084, 34, 1}}));
  // 'A' on 48: 36, seven degrees up 48, folded again: 36.
  EXPECT_EQ(sounds('u', render('u', {"48 4"}, 30)), (std::vector<Sound>{{0, 44084, 36, 1}}));
}

TEST_F(EnsembleVoice, AnIntervalPairPlaysOnlyWhenItsPartnerIsAScaleKey) {
  // Voice 1 from offset 95 reads '-' (a fourth down, when the third up is a scale key).
  ASSERT_EQ(patternOffset('1', "-----"), 95);
  // 41 (E): its major third G# is no scale key, so no note, though 36 would be one.
  // 30 (F): its third A is, so the fourth below, 25, sounds.
  EXPECT_EQ(sounds('1', render('1', {"4130 44"}, 95)), (std::vector<Sound>{{4 * kUnit, 44084, 25, 1}}));
}

TEST_F(EnsembleVoice, AnIntervalPairMovedToKeyZeroIsNotFoldedAndStaysSilent) {
  // Voice 6 from offset 4 reads 'Z' (a sixth down, when the fifth up is a scale key):
  // 8 (G) passes the test on 15 (D) and moves to 0, which folding would have made 24 (B).
  ASSERT_EQ(patternOffset('6', "ZZZZ"), 4);
  EXPECT_TRUE(sounds('6', render('6', {"08 4"}, 4)).empty());
  // The same character on 20 (G) sounds on 12 folded into 13..60: 24.
  EXPECT_EQ(sounds('6', render('6', {"20 4"}, 4)), (std::vector<Sound>{{0, 44084, 24, 1}}));
}

TEST_F(EnsembleVoice, TheTonicRuleSilencesLongTonicsOfTheVoicesThatHaveIt) {
  // Voice O from offset 20 reads "WQ" (three degrees down, three up); C is the tonic.
  ASSERT_EQ(patternOffset('O', "WQWQ"), 20);
  EXPECT_EQ(sounds('O', render('O', {"373737 323"}, 20)), (std::vector<Sound>{{3 * kUnit, 44084, 42, 1}}))
      << "only the 2-unit tonic sounds (37 three degrees up is 42)";
}

// The seed whose first two register choices (five equal weights) are `first` and `second`.
std::uint32_t seedChoosing(int first, int second) {
  auto choice = [](compose::RandomGenerator& random) { return (random.scaled(100) + 1 + 19) / 20; };
  for (std::uint32_t seed = 1;; ++seed) {
    compose::RandomGenerator random;
    random.seed(seed);
    if (choice(random) == first && choice(random) == second) return seed;
  }
}

TEST_F(EnsembleVoice, HarmonyVoicesChooseARegisterAtEveryMultipleOf128PlannedUnits) {
  // Voice a from offset 104 reads 'X' and '-' (a third up) on 30: 30 or 34,
  // folded into (25,36) for choice 1 and into (40,51) for choice 3.
  const std::uint32_t seed = seedChoosing(1, 3);
  std::vector<std::string> bars(17, "3030 44");
  composer.random().seed(seed);
  const std::string path = render('a', bars, 104);
  EXPECT_EQ(composer.random().state(), stateAfterDraws(seed, 2)) << "two choices: at unit 0 and at unit 128";
  const auto heard = sounds('a', path);
  ASSERT_EQ(heard.size(), 34u);
  for (const Sound& sound : heard) {
    const bool secondPhrase = sound.at >= 128 * kUnit;
    EXPECT_EQ(sound.key >= 40, secondPhrase) << sound;
  }
}

TEST_F(EnsembleVoice, ARunOfDurationsThatStepsOverAMultipleOf128KeepsTheRegister) {
  const std::uint32_t seed = seedChoosing(1, 3);
  // 13 bars of 5 + 5 units: the sum goes 125, 130 and never meets 128.
  std::vector<std::string> bars(13, "3030 55");
  composer.random().seed(seed);
  const std::string path = render('a', bars, 104);
  EXPECT_EQ(composer.random().state(), stateAfterDraws(seed, 1)) << "one choice only, at unit 0";
  for (const Sound& sound : sounds('a', path)) EXPECT_LT(sound.key, 40) << sound;
}

TEST_F(EnsembleVoice, ANoteTooShortForTheVoiceStillUsesItsPatternCharacter) {
  // Voice a from offset 106 reads "XX--": the two 1-unit notes are silent
  // and use up the 'X's, so the 3-unit notes read '-' and sound a third up.
  const std::string path = [&] {
    composer.random().seed(seedChoosing(1, 1));
    return render('a', {"30303030 1133"}, 106);
  }();
  EXPECT_EQ(sounds('a', path), (std::vector<Sound>{{2 * kUnit, 44084, 34, 1}, {5 * kUnit, 44084, 34, 1}}));
}

}  // namespace
}  // namespace brisolt::render::test
