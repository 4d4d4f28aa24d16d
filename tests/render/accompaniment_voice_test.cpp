// renderAccompanimentVoice: three-unit clips of layer 2, the band harmony
// and tonic-answer decisions, the last note from the layer of its duration,
// and the bar mask that only voice Z obeys.
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/files/file_system.h"
#include "render/voice_failure.h"
#include "render/voice_renderers.h"
#include "render/voice_table.h"
#include "tests/render/voice_test_support.h"

namespace brisolt::render::test {
namespace {

class AccompanimentVoice : public VoiceRenderTest {
 protected:
  VoiceResult renderResult(char voice, const std::vector<std::string>& bars, int offset) {
    usePlan(handPlan(composer, bars, offset));
    return renderAccompanimentVoice(composer, bank(), voice, events, 1);
  }
  std::string render(char voice, const std::vector<std::string>& bars, int offset) {
    return writtenPath(renderResult(voice, bars, offset));
  }
  static int leadInOf(char voice) { return builtinVoiceTable().common(voice)->leadInMs; }
  std::vector<Sound> sounds(char voice, const std::string& path) { return soundsIn(path, leadInOf(voice)); }
};

TEST_F(AccompanimentVoice, ANoteTooShortForTheVoiceIsSilentWhateverItsCharacter) {
  // Voice A from offset 168 reads 'X' and then '0's; it sounds from 3 units up.
  ASSERT_EQ(patternOffset('A', "X0000"), 168);
  const int leadIn = leadInOf('A');
  EXPECT_TRUE(voiceMatches(render('A', {"3030 35"}, 168),
                           ExpectedVoice().leadIn(leadIn).clip(30, 2, 3).silence(5).tail(leadIn)));
  EXPECT_TRUE(voiceMatches(render('A', {"3030 26"}, 168),
                           ExpectedVoice().leadIn(leadIn).silence(2).silence(6).tail(leadIn)));
}

TEST_F(AccompanimentVoice, NotesLongerThanTheRingAddSilenceAfterThreeUnits) {
  // Voice W from offset 1 reads "Y-Y-": a fifth up, a fourth down, in the band 20..31.
  ASSERT_EQ(patternOffset('W', "Y-Y-"), 1);
  const int leadIn = leadInOf('W');
  // 43 folds to 31: +7 is 38 (C#), no scale key, so the note is silent; 30 - 5 = 25 sounds;
  // 41 for 1 unit is too short; 41 folds to 29, - 5 = 24; the last note, 30 + 7, lasts
  // 5 units and takes layer 5, read as layer 4.
  EXPECT_TRUE(voiceMatches(render('W', {"433041 341", "4130 35"}, 1), ExpectedVoice()
                                                                            .leadIn(leadIn)
                                                                            .silence(3)
                                                                            .clip(25, 2, 3)
                                                                            .silence(1)
                                                                            .silence(1)
                                                                            .clip(24, 2, 3)
                                                                            .clip(37, 4, 5)
                                                                            .tail(leadIn)));
}

TEST_F(AccompanimentVoice, TheThirdUpSoundsOnlyWhenTheFifthAboveTheBandKeyIsAScaleKey) {
  // Voice K from offset 5 reads '+': 43 folds to 31, whose fifth 38 is C#.
  ASSERT_EQ(patternOffset('K', "+0000"), 5);
  EXPECT_TRUE(sounds('K', render('K', {"4343 44"}, 5)).empty()) << "C major has no C#";
  struct Case {
    int scale;
    const char* family;
    int key;
  };
  // In C Spanish (1 4 5 7 8 10 above C) 41 folds to 29 (E): its third G# is a scale key,
  // its fifth B is not, so '+' is silent.
  compose::PiecePlan spanish = handPlan(composer, {"4141 44"}, 5);
  spanish.scaleKeys = composer.scaleTable().scaleKeys(0, 5);
  usePlan(spanish);
  EXPECT_TRUE(sounds('K', writtenPath(renderAccompanimentVoice(composer, bank(), 'K', events, 1))).empty());
  // C Spanish (major family) has C# and A#: 31 + 4 = 35; C Jazz (minor) has C# and A: 31 + 3 = 34.
  for (const Case& c : {Case{5, "Maj", 35}, Case{10, "Min", 34}}) {
    SCOPED_TRACE(c.family);
    compose::PiecePlan plan = handPlan(composer, {"4343 44"}, 5);
    plan.scaleKeys = composer.scaleTable().scaleKeys(0, c.scale);
    plan.modeFamily = c.family;
    usePlan(plan);
    EXPECT_EQ(sounds('K', writtenPath(renderAccompanimentVoice(composer, bank(), 'K', events, 1))),
              (std::vector<Sound>{{0, 66134, c.key, 2}}));
  }
}

TEST_F(AccompanimentVoice, TonicAnswersSoundOnlyOnTonicsAndEndOnTheLayerOfTheLastDuration) {
  // Voice s from offset 1 reads "y+": 'y' is 'Y', a fourth down; '+' a third up.
  ASSERT_EQ(patternOffset('s', "Y+Z-"), 1);
  EXPECT_TRUE(sounds('s', render('s', {"3030 44"}, 1)).empty()) << "F is not the tonic";
  // 37 - 5 = 32; the last note 37 + 4 = 41 takes 4 units of layer 4.
  const std::string path = render('s', {"3737 44"}, 1);
  const int leadIn = leadInOf('s');
  EXPECT_TRUE(
      voiceMatches(path, ExpectedVoice().leadIn(leadIn).clip(32, 2, 3).silence(1).clip(41, 4, 4).tail(leadIn)));
}

TEST_F(AccompanimentVoice, ALastNoteWithoutAClipOfItsDurationTakesTheLongestLayerThenSilence) {
  // Voice W from offset 46 reads 'Z': 20 a sixth down is 12, which has no
  // layer 4: two units of its layer 2 and two of silence end on the bar line.
  ASSERT_EQ(patternOffset('W', "Z+Z+"), 46);
  const int leadIn = leadInOf('W');
  clearRenderFailure();
  const std::string path = render('W', {"20 4"}, 46);
  ASSERT_NE(path, "") << describeVoiceFailure(lastVoiceFailure(), 'W');
  EXPECT_TRUE(voiceMatches(path, ExpectedVoice().leadIn(leadIn).clip(12, 2, 2).silence(2).tail(leadIn)));
  // Five units on key 12: layer 5 reads layer 4, which it lacks too.
  EXPECT_TRUE(voiceMatches(render('W', {"20 5"}, 46),
                           ExpectedVoice().leadIn(leadIn).clip(12, 2, 2).silence(3).tail(leadIn)));
  // The same note before the last one sounds on layer 2, which key 12 has; the
  // last note ('+': 24, as 27 is a scale key) has its layer 4.
  EXPECT_EQ(sounds('W', render('W', {"2020 44"}, 46)),
            (std::vector<Sound>{{0, 66134, 12, 2}, {4 * kUnit, 88200, 24, 4}}));
}

TEST_F(AccompanimentVoice, AFailedVoiceNamesTheVoiceTheKeyTheLayerAndTheFile) {
  ASSERT_EQ(patternOffset('W', "Z+Z+"), 46);
  usePlan(handPlan(composer, {"20 4"}, 46));
  EXPECT_TRUE(renderAccompanimentVoice(composer, folder().file("no-bank.dat"), 'W', events, 1).failed());
  EXPECT_TRUE(filesInFolder().empty()) << "left behind: " << ::testing::PrintToString(filesInFolder());
  EXPECT_EQ(lastVoiceFailure().kind, VoiceFailureKind::kNoSampleData);
  EXPECT_EQ(describeVoiceFailure(lastVoiceFailure(), 'W'),
            "voice W: the sample data '" + folder().file("no-bank.dat") + "' could not be opened for reading" +
                " (No such file or directory)");
  VoiceFailure noClip{VoiceFailureKind::kNoClip, 8, 4, "Data.dat", 0};
  EXPECT_EQ(describeVoiceFailure(noClip, 'C'), "voice C: the sample data has no clip for key 8 layer 4");
  VoiceFailure shortCopy{VoiceFailureKind::kShortCopy, 30, 2, "/tmp/v.tmp", ENOSPC};
  EXPECT_EQ(describeVoiceFailure(shortCopy, 0),
            "the melody: copying the clip of key 30 layer 2 into '/tmp/v.tmp' came up short (No space left on device)");
}

TEST_F(AccompanimentVoice, OnlyVoiceZObeysTheBarMask) {
  // Bar pattern group 0, member 1 mutes bar 3; Z and W both belong to group 1.
  const std::vector<std::string> bars(4, "3030 53");
  auto maskedPlan = [&](int offset) {
    compose::PiecePlan plan = handPlan(composer, bars, offset);
    plan.variationIndex = 0;
    placeGroup(plan, 1, 1);
    return plan;
  };
  ASSERT_EQ(composer.patternBitmaps()[1].substr(0, 4), "1110");
  // Z from offset 174 reads its first 'X' on the first note of bar 3.
  ASSERT_EQ(patternOffset('Z', "X"), 180);
  usePlan(maskedPlan(174));
  EXPECT_TRUE(sounds('Z', writtenPath(renderAccompanimentVoice(composer, bank(), 'Z', events, 1))).empty());
  EXPECT_EQ(sounds('Z', render('Z', bars, 174)), (std::vector<Sound>{{24 * kUnit, 66134, 30, 2}}))
      << "unmasked, Z sounds there";
  // W from offset 1 reads 'Y' on that note and sounds in the muted bar: 30 + 7.
  usePlan(maskedPlan(1));
  const auto heard = sounds('W', writtenPath(renderAccompanimentVoice(composer, bank(), 'W', events, 1)));
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard[heard.size() - 2], (Sound{24 * kUnit, 66134, 37, 2}));
}

}  // namespace
}  // namespace brisolt::render::test
