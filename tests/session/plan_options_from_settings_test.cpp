// The settings record turned into the planner's options, and the session
// prefix that starts every session file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "session/plan_options_from_settings.h"
#include "session/session_prefix.h"

namespace brisolt {
namespace {

compose::PlanOptions forModes(int motifMode, int phraseMode) {
  CompositionSettings settings;
  settings.motifMode = motifMode;
  settings.phraseMode = phraseMode;
  return planOptionsFromSettings(settings, "/archive/240131_142507_");
}

// What one motif mode gives: form, regularity, similarity and the voice set
// (B has one motif, F two).
struct MotifModeOptions {
  const char* name;
  int motifMode;
  const char* form;
  const char* regularity;
  const char* similarity;
  const char* voiceSet;
};

class PlanOptionsForMotifMode : public ::testing::TestWithParam<MotifModeOptions> {};

TEST_P(PlanOptionsForMotifMode, GivesItsFormRegularitySimilarityAndVoiceSet) {
  const MotifModeOptions& expected = GetParam();
  const auto options = forModes(expected.motifMode, 1);
  EXPECT_EQ(options.motifForm, expected.form);
  EXPECT_EQ(options.motifRegularity, expected.regularity);
  EXPECT_EQ(options.motifSimilarity, expected.similarity);
  EXPECT_EQ(options.voiceSet, expected.voiceSet);
}

INSTANTIATE_TEST_SUITE_P(
    PlanOptionsFromSettings, PlanOptionsForMotifMode,
    ::testing::Values(MotifModeOptions{"AIsClosedRegularSimpleWithOneMotif", 0, "Clo", "Reg", "Sim", "B"},
                      MotifModeOptions{"DIsOpenRegularComplexWithTwoMotifs", 3, "Ope", "Reg", "Com", "F"},
                      MotifModeOptions{"LIsOpenFreeComplexWithTwoMotifs", 11, "Ope", "Fre", "Com", "F"}),
    [](const ::testing::TestParamInfo<MotifModeOptions>& row) { return std::string(row.param.name); });

TEST(PlanOptionsFromSettings, EveryMotifLetterFollowsTheGenerateTable) {
  std::string forms, regularity, similarity, voiceSets;
  for (int mode = 0; mode < 12; ++mode) {
    const auto options = forModes(mode, 0);
    forms += options.motifForm[0];
    regularity += options.motifRegularity[0];
    similarity += options.motifSimilarity[0];
    voiceSets += options.voiceSet;
  }
  EXPECT_EQ(forms, "CCCOOOOOOOOO");
  EXPECT_EQ(regularity, "RRRRRRRFFFFF");
  EXPECT_EQ(similarity, "SSCCSSCCSSCC");
  EXPECT_EQ(voiceSets, "BFBFBFBFFFFF");
}

TEST(PlanOptionsFromSettings, PhraseModesAandDandLGiveTheirColoursAndEvenness) {
  EXPECT_EQ(forModes(1, 0).phraseColour, "B");
  EXPECT_TRUE(forModes(1, 0).evenPhraseMode);
  EXPECT_EQ(forModes(1, 3).phraseColour, "R");
  EXPECT_FALSE(forModes(1, 3).evenPhraseMode);
  EXPECT_EQ(forModes(1, 11).phraseColour, "B");
  EXPECT_FALSE(forModes(1, 11).evenPhraseMode);
  std::string colours;
  for (int mode = 0; mode < 12; ++mode) colours += forModes(1, mode).phraseColour;
  EXPECT_EQ(colours, "BBRRGGVVBBBB");
}

TEST(PlanOptionsFromSettings, FixedOptionsAndTheSettingsThemselvesArePassedOn) {
  const CompositionSettings settings{.keySignature = 9, .scale = 7, .motifMode = 4, .phraseMode = 10, .phraseCount = 35};
  const auto options = planOptionsFromSettings(settings, "/a/b_");
  EXPECT_EQ(options.outputPrefix, "/a/b_");
  EXPECT_EQ(options.keyName, "C");
  EXPECT_EQ(options.tempo, "60");
  EXPECT_EQ(options.hand, "F");
  EXPECT_EQ(options.instrumentCode, "I");
  for (const std::string* empty : {&options.text3, &options.text5, &options.text6, &options.text9, &options.text15}) {
    EXPECT_EQ(*empty, "");
  }
  EXPECT_EQ(options.phraseCount, 35);
  EXPECT_EQ(options.keySignature, 9);
  EXPECT_EQ(options.scale, 7);
  EXPECT_EQ(options.motifMode, 4);
  EXPECT_EQ(options.phraseMode, 10);
  EXPECT_TRUE(options.evenPhraseMode);
}

TEST(SessionPrefix, IsTheLocalTimeAsYearMonthDayUnderscoreTimeUnderscore) {
  const char* saved = std::getenv("TZ");
  const std::string savedTz = saved ? saved : "";
  setenv("TZ", "UTC", 1);
  tzset();
  EXPECT_EQ(sessionPrefix(1706711107), "240131_142507_");
  EXPECT_EQ(sessionPrefix(0), "700101_000000_");
  setenv("TZ", "CET-1", 1);
  tzset();
  EXPECT_EQ(sessionPrefix(1706711107), "240131_152507_") << "local time, not UTC";
  if (saved) setenv("TZ", savedTz.c_str(), 1);
  else unsetenv("TZ");
  tzset();
}

}  // namespace
}  // namespace brisolt
