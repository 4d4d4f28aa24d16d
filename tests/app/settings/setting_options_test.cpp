// Reading the composition settings from command-line texts, and the messages
// for values that are not allowed.
#include <gtest/gtest.h>

#include "app/settings/setting_options.h"

namespace brisolt {
namespace {

TEST(SettingOptions, KeysAreNumbersDisplayNamesOrStoredNames) {
  EXPECT_EQ(parseKeySignature("1"), 1);
  EXPECT_EQ(parseKeySignature("12"), 12);
  EXPECT_EQ(parseKeySignature("C"), 1);
  EXPECT_EQ(parseKeySignature("G#"), 9);
  EXPECT_EQ(parseKeySignature("GA"), 9);
  EXPECT_EQ(parseKeySignature("fg"), 7);
  EXPECT_EQ(parseKeySignature("b"), 12);
  EXPECT_EQ(parseKeySignature("0"), std::nullopt);
  EXPECT_EQ(parseKeySignature("13"), std::nullopt);
  EXPECT_EQ(parseKeySignature("H"), std::nullopt);
  EXPECT_EQ(parseKeySignature(""), std::nullopt);
}

TEST(SettingOptions, FlatKeysAreTheSharpOneSemitoneBelowTheLetter) {
  EXPECT_EQ(parseKeySignature("Bb"), parseKeySignature("A#"));
  EXPECT_EQ(parseKeySignature("Db"), parseKeySignature("C#"));
  EXPECT_EQ(parseKeySignature("Eb"), parseKeySignature("D#"));
  EXPECT_EQ(parseKeySignature("Gb"), parseKeySignature("F#"));
  EXPECT_EQ(parseKeySignature("Ab"), parseKeySignature("G#")) << "not the stored name AB, which is A#";
  EXPECT_EQ(parseKeySignature("ab"), parseKeySignature("G#"));
  EXPECT_EQ(parseKeySignature("AB"), parseKeySignature("A#")) << "the settings file's name stays";
  EXPECT_EQ(parseKeySignature("Cb"), 12) << "C flat wraps round to B";
  EXPECT_EQ(parseKeySignature("Hb"), std::nullopt);
  EXPECT_EQ(parseKeySignature("Bbb"), std::nullopt);
  EXPECT_EQ(parseKeySignature("b"), 12) << "a lone b is the key of B, not a flat";
}

TEST(SettingOptions, ScalesAreNumbersOrListedNamesInAnyCase) {
  EXPECT_EQ(parseScale("0"), 0);
  EXPECT_EQ(parseScale("11"), 11);
  EXPECT_EQ(parseScale("Major"), 0);
  EXPECT_EQ(parseScale("minor harmonic"), 2);
  EXPECT_EQ(parseScale("HUNGARIAN (GIPSY)"), 4);
  EXPECT_EQ(parseScale("Hungarian"), std::nullopt) << "names are matched whole";
  EXPECT_EQ(parseScale("12"), std::nullopt);
  EXPECT_EQ(parseScale("-1"), std::nullopt);
}

TEST(SettingOptions, ModesAreOneLetterAToL) {
  EXPECT_EQ(parseModeLetter("A"), 0);
  EXPECT_EQ(parseModeLetter("L"), 11);
  EXPECT_EQ(parseModeLetter("d"), 3);
  EXPECT_EQ(parseModeLetter("M"), std::nullopt);
  EXPECT_EQ(parseModeLetter("AB"), std::nullopt);
  EXPECT_EQ(parseModeLetter("3"), std::nullopt);
  EXPECT_EQ(parseModeLetter(""), std::nullopt);
}

TEST(SettingOptions, PhraseCountsAreWholeNumbersFiveToNinety) {
  EXPECT_EQ(parsePhraseCount("5"), 5);
  EXPECT_EQ(parsePhraseCount("7"), 7);
  EXPECT_EQ(parsePhraseCount("90"), 90);
  EXPECT_EQ(parsePhraseCount("4"), std::nullopt);
  EXPECT_EQ(parsePhraseCount("91"), std::nullopt);
  EXPECT_EQ(parsePhraseCount("5.5"), std::nullopt);
  EXPECT_EQ(parsePhraseCount("ten"), std::nullopt);
}

TEST(SettingOptions, DefaultTextsGiveTheDefaultSettings) {
  CompositionSettings settings{3, 3, 3, 3, 30};
  EXPECT_EQ(readSettingTexts(SettingTexts{}, settings), std::nullopt);
  EXPECT_EQ(settings.keySignature, 1);
  EXPECT_EQ(settings.scale, 0);
  EXPECT_EQ(settings.motifMode, 1);
  EXPECT_EQ(settings.phraseMode, 1);
  EXPECT_EQ(settings.phraseCount, 5);
}

TEST(SettingOptions, ABadValueIsNamedWithItsOptionAndWhatIsAllowed) {
  CompositionSettings settings{7, 3, 3, 3, 30};
  SettingTexts texts;
  texts.key = "H";
  EXPECT_EQ(readSettingTexts(texts, settings),
            "--key \"H\" is not a key signature; use 1..12 or one of C, C#, D, D#, E, F, F#, G, G#, A, A#, B "
            "(or CD, DE, FG, GA, AB)");
  texts = {};
  texts.phrases = "3";
  EXPECT_EQ(readSettingTexts(texts, settings), "--phrases \"3\" is not a phrase count; use a whole number 5..90");
  texts = {};
  texts.phraseMode = "Z";
  EXPECT_EQ(readSettingTexts(texts, settings), "--phrase-mode \"Z\" is not a phrase mode; use one letter A..L");
  texts = {};
  texts.scale = "Dorian";
  const auto scaleError = readSettingTexts(texts, settings);
  ASSERT_TRUE(scaleError.has_value());
  EXPECT_TRUE(scaleError->starts_with("--scale \"Dorian\" is not a scale; use 0..11 or one of \"Major\"")) << *scaleError;
  EXPECT_EQ(settings.keySignature, 7) << "a refused reading leaves the settings alone";
}

}  // namespace
}  // namespace brisolt
