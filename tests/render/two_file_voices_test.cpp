// renderMelody and renderSplitVoice: the planned notes dealt alternately to
// two files, what each file holds note by note, and the files they name.
#include <gtest/gtest.h>

#include "compose/random_generator.h"
#include "render/voice_renderers.h"
#include "render/voice_table.h"
#include "tests/render/voice_test_support.h"

namespace brisolt::render::test {
namespace {

constexpr int kMelodyLeadIn = 1000;
constexpr int kSplitLeadIn = 750;

class TwoFileVoices : public VoiceRenderTest {
 protected:
  // The two paths of a result written whole.
  std::vector<std::string> pathsOf(const VoiceResult& result) {
    EXPECT_EQ(result.end, VoiceEnd::kWritten) << ::testing::PrintToString(result);
    EXPECT_EQ(result.paths.size(), 2u) << ::testing::PrintToString(result);
    if (result.paths.size() != 2) return {"", ""};
    for (const auto& path : result.paths) EXPECT_EQ(path.rfind(folder().path(), 0), 0u) << path;
    return result.paths;
  }
  std::vector<std::string> melody(const std::vector<std::string>& bars) {
    usePlan(handPlan(composer, bars));
    return pathsOf(renderMelody(composer, bank(), events));
  }
  std::vector<std::string> split(char voice, const std::vector<std::string>& bars, int offset) {
    usePlan(handPlan(composer, bars, offset, builtinVoiceTable().common(voice)->groupDigit));
    return pathsOf(renderSplitVoice(composer, bank(), voice, events, 1));
  }
};

TEST_F(TwoFileVoices, TheMelodyOfTwoOneAndThreeUnitsRingsEachNoteOneUnitIntoTheNext) {
  const auto files = melody({"303234 213"});
  // Stream 0: 30 for 2 + 1 units (layer 2), nothing for the 1-unit rest, 34 for 3 (last note, layer 3).
  EXPECT_TRUE(voiceMatches(files[0], ExpectedVoice()
                                         .leadIn(kMelodyLeadIn)
                                         .clip(30, 2, 3)
                                         .clip(34, 3, 3)
                                         .tail(kMelodyLeadIn)));
  // Stream 1: 2 units of rest (first note of the file), 32 for 1 + 1 units, 3 - 1 units of rest.
  EXPECT_TRUE(voiceMatches(files[1], ExpectedVoice()
                                         .leadIn(kMelodyLeadIn)
                                         .silence(2)
                                         .clip(32, 1, 2)
                                         .silence(2)
                                         .tail(kMelodyLeadIn)));
}

TEST_F(TwoFileVoices, AFiveUnitMelodyNoteIsCutToTwoSecondsOfItsLayerFourClip) {
  const auto files = melody({"3032 53"});
  // 6 units asked of layer 5 (read as 4): 4 units of clip, 2 of silence; then 3 - 1 units of rest.
  EXPECT_TRUE(voiceMatches(files[0], ExpectedVoice()
                                         .leadIn(kMelodyLeadIn)
                                         .clipBytes(30, 4, 88200)
                                         .silence(2)
                                         .silence(2)
                                         .tail(kMelodyLeadIn)));
  EXPECT_TRUE(voiceMatches(files[1], ExpectedVoice()
                                         .leadIn(kMelodyLeadIn)
                                         .silence(5)
                                         .clip(32, 3, 3)
                                         .tail(kMelodyLeadIn)));
}

// What the melody reports to the score: the clip it copied (layer 4 for a
// request of layer 5), where on each file's timeline, and the cut.
TEST_F(TwoFileVoices, TheMelodyReportsEachNoteWithItsFileAndWhereItWasCut) {
  melody({"3032 53"});
  const std::uint32_t leadIn = millisecondsAsBytes(kMelodyLeadIn);
  const Score& score = events.score();
  EXPECT_EQ(score.notesOf(VoiceId::melody(), 0),
            (std::vector<PlacedNote>{{VoiceId::melody(), 0, 30, 4, 1, leadIn, 6 * kUnit, true}}));
  EXPECT_EQ(score.notesOf(VoiceId::melody(), 1),
            (std::vector<PlacedNote>{{VoiceId::melody(), 1, 32, 3, 1, leadIn + 5 * kUnit, 3 * kUnit, false}}));
  ASSERT_EQ(score.files.size(), 2u);
  EXPECT_EQ(score.files[0], (ScoreFile{VoiceId::melody(), 0, leadIn + 8 * kUnit + millisecondsAsBytes(2000)}));
  EXPECT_EQ(score.files[1], (ScoreFile{VoiceId::melody(), 1, leadIn + 8 * kUnit + millisecondsAsBytes(2000)}));
}

TEST_F(TwoFileVoices, TheMelodyFoldsIntoItsRangeAndTakesItsStepsFromTheDynamicsAgainAndAgain) {
  compose::PiecePlan plan = handPlan(composer, {"580834 341"});
  plan.dynamics = "0801";  // read again from the start for the third note
  usePlan(plan);
  const auto files = pathsOf(renderMelody(composer, bank(), events));
  const auto zero = dataSamples(files[0]);
  const auto one = dataSamples(files[1]);
  const std::size_t start = millisecondsAsBytes(kMelodyLeadIn) / 2;
  EXPECT_EQ(zero[start], 169) << "58 folds to 46; its layer 3 clip (739) at step 8: trunc(169.97)";
  EXPECT_EQ(one[start + 3 * kUnit / 2], 324) << "08 folds to 20; layer 4 (324) at step 1";
  EXPECT_EQ(zero[start + 7 * kUnit / 2], 125) << "34, layer 1 (545), at step 8 again: trunc(125.35)";
}

TEST_F(TwoFileVoices, SplitVoicesDealTwoUnitClipsWhoseDebtTheNextRestOfTheirStreamPays) {
  // Voice k from offset 212 reads "+-+-0": a degree up, a degree down; 30 gives 32 and 29.
  ASSERT_EQ(patternOffset('k', "+-+-00ZY"), 212);
  const auto files = split('k', {"3030303030 11222"}, 212);
  EXPECT_TRUE(voiceMatches(files[0], ExpectedVoice()
                                         .leadIn(kSplitLeadIn)
                                         .clip(32, 1, 2)  // 1 unit planned: debt 1
                                                          // its rest of 1 unit pays it
                                         .clip(32, 1, 2)
                                         .silence(2)
                                         .silence(2)  // the silent '0' note
                                         .tail(kSplitLeadIn)));
  EXPECT_TRUE(voiceMatches(files[1], ExpectedVoice()
                                         .leadIn(kSplitLeadIn)
                                         .silence(1)
                                         .clip(29, 1, 2)
                                         .silence(1)
                                         .clip(29, 1, 2)
                                         .silence(2)
                                         .tail(kSplitLeadIn)));
}

TEST_F(TwoFileVoices, ASplitVoiceEndingOnAOneUnitNoteWritesOneUnitOfIt) {
  const auto files = split('k', {"303030 331"}, 212);
  EXPECT_TRUE(voiceMatches(files[0], ExpectedVoice()
                                         .leadIn(kSplitLeadIn)
                                         .clip(32, 1, 2)
                                         .silence(1)
                                         .silence(3)
                                         .clip(32, 1, 1)
                                         .tail(kSplitLeadIn)));
  EXPECT_TRUE(voiceMatches(files[1], ExpectedVoice()
                                         .leadIn(kSplitLeadIn)
                                         .silence(3)
                                         .clip(29, 1, 2)
                                         .silence(1)
                                         .silence(1)
                                         .tail(kSplitLeadIn)));
}

TEST_F(TwoFileVoices, VoiceUIsSilentOnLongNotesAndOnTonicsAndDrawsOnlyForNotesItMayPlay) {
  // Voice U from offset 2 reads "V0V0": one degree up or down at random.
  ASSERT_EQ(patternOffset('U', "V0V0"), 2);
  const std::vector<std::string> bars{"36363636 2213"};
  // A seed whose first draw goes up: 36 (B) + 1 degree = 37, the tonic: silent.
  // One whose first draw goes down: 34 (A) sounds.
  for (const auto& [up, expectSound] : {std::pair{true, false}, std::pair{false, true}}) {
    SCOPED_TRACE(up ? "up" : "down");
    std::uint32_t seed = 1;
    for (;; ++seed) {
      compose::RandomGenerator random;
      random.seed(seed);
      if ((random.scaled(2) == 1) == up) break;
    }
    composer.random().seed(seed);
    const auto files = split('U', bars, 2);
    EXPECT_EQ(composer.random().state(), stateAfterDraws(seed, 1)) << "one draw: the 2-unit note is silent before any";
    // The 1-unit note is the third, dealt to stream 0.
    EXPECT_TRUE(soundsIn(files[1], kSplitLeadIn).empty());
    const auto heard = soundsIn(files[0], kSplitLeadIn);
    if (expectSound) {
      EXPECT_EQ(heard, (std::vector<Sound>{{4 * kUnit, 44084, 34, 1}}));
    } else {
      EXPECT_TRUE(heard.empty()) << ::testing::PrintToString(heard);
    }
  }
}

}  // namespace
}  // namespace brisolt::render::test
