// The three voice data files against each other: every string has the form
// its table row records, and every scheduled voice has its row and string.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

#include "embedded/voicePatternsText.h"
#include "embedded/voiceScheduleText.h"
#include "embedded/voiceTableText.h"
#include "render/voice_patterns.h"
#include "render/voice_schedule.h"
#include "render/voice_table.h"

namespace brisolt::render {
namespace {

TEST(VoiceData, EveryEmbeddedFileReadsWithoutError) {
  EXPECT_EQ(parseVoicePatterns(embedded::voicePatternsText).error, "");
  EXPECT_EQ(parseVoiceTable(embedded::voiceTableText).error, "");
  EXPECT_EQ(parseVoiceSchedule(embedded::voiceScheduleText).error, "");
}

TEST(VoiceData, EveryPatternStringHasTheFormOfItsRow) {
  const VoiceTable& table = builtinVoiceTable();
  const VoicePatterns& patterns = builtinVoicePatterns();
  ASSERT_EQ(patterns.letters.size(), 52u) << "letters: " << patterns.letters;
  for (const char letter : patterns.letters) {
    SCOPED_TRACE(std::string("voice ") + letter);
    const PatternForm* form = table.patternForm(letter);
    ASSERT_NE(form, nullptr) << "a pattern string without a table row that expects one";
    const std::string_view text = patterns.find(letter);
    EXPECT_EQ(static_cast<int>(text.size()), form->length);
    const std::string opening = std::string(form->leadingZeros, '0') + form->firstFigure;
    EXPECT_EQ(text.substr(0, opening.size()), opening) << "leading zeros and first figure";
    for (const char c : text) {
      ASSERT_TRUE(isPatternCharacter(c)) << "'" << c << "'";
      if (c == 'y') {
        ASSERT_EQ(letter, 's') << "only voice s may use a lower-case y";
      }
    }
  }
}

// The characters each family's decision table gives a meaning to; others
// would act as an interval of 0 and have no place in an authored string.
TEST(VoiceData, StringsUseOnlyTheCharactersTheirFamilyReads) {
  const std::map<Family, std::string_view> read{
      {Family::kIntervalPairs, "0+-YZX"},
      {Family::kVoiceTwo, "0+-ZYV"},
      {Family::kScaleStepLine, "0+-YZQWABCDEFGHX"},
      {Family::kArpeggio, "0A+-YZWQVX"},
      {Family::kHarmony, "0+-X"},
      {Family::kBandHarmony, "0+-YZX"},
      {Family::kTonicAnswers, "0+-ZYy"},
  };
  const VoicePatterns& patterns = builtinVoicePatterns();
  auto check = [&](char letter, std::string_view allowed) {
    for (const char c : patterns.find(letter)) {
      ASSERT_NE(allowed.find(c), std::string_view::npos)
          << "voice " << letter << " holds '" << c << "'; its family reads only " << allowed;
    }
  };
  for (const auto& voice : builtinVoiceTable().ensembleVoices()) check(voice.common.letter, read.at(voice.family));
  for (const auto& voice : builtinVoiceTable().accompanimentVoices())
    check(voice.common.letter, read.at(voice.family));
  for (const auto& voice : builtinVoiceTable().splitVoices())
    check(voice.common.letter, voice.longestSoundingD ? "0V" : "0+-ZYV");
}

TEST(VoiceData, EveryScheduledVoiceHasItsRowAndString) {
  const VoiceTable& table = builtinVoiceTable();
  const VoicePatterns& patterns = builtinVoicePatterns();
  std::map<char, int> scheduled;
  for (const auto& call : builtinVoiceSchedule().calls) {
    if (call.renderer == Renderer::kMelody) continue;
    SCOPED_TRACE(std::string("voice ") + call.letter);
    ++scheduled[call.letter];
    ASSERT_EQ(table.rendererOf(call.letter), call.renderer) << "the row must be in the section of the called renderer";
    const bool usesPattern = call.renderer != Renderer::kPulse;
    EXPECT_EQ(!patterns.find(call.letter).empty(), usesPattern);
  }
  for (const char letter : table.letters()) EXPECT_EQ(scheduled[letter], 1) << "voice " << letter << " in the table";
}

}  // namespace
}  // namespace brisolt::render
