// Reading the voice table, and distinctive values of the table built in.
#include "render/voice_table.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace brisolt::render {
namespace {

constexpr std::string_view kOneOfEach =
    "[ensemble]\n"
    "5 | 3 | 2938 | arpeggio | 5 | no | 20..36 then 22..39 | 26 | \"VAXVQXV+AVXAVVAXVQXV\" | 1968 | -\n"
    "a | 7 | 1500 | harmony | 2 | no | range list | 104 | \"XXXX--------XXXX----\" | 1968 | "
    "\"(25,36),(20,31),(40,51),(20,31),(38,49)\"\n"
    "# a comment\n"
    "[accompaniment]\n"
    "Z | 1 | 2833 | band harmony | 5 | yes | 180 | \"X000000000000000X000\" | 1968\n"
    "[split]\n"
    "U | 4 | 750 | 1 | 0 | \"V0V0V0V0V0V0V0V0V0V0\" | 1967\n"
    "[pulse]\n"
    "p | 2 | 750 | 2 | 6 | 7 | 1..12 | yes | first | 1\n";

TEST(VoiceTableFile, ReadsOneRowOfEachSection) {
  const auto load = parseVoiceTable(kOneOfEach);
  ASSERT_EQ(load.error, "");
  const VoiceTable& table = load.table;
  EXPECT_EQ(table.letters(), "5aZUp");

  const auto* five = table.ensemble('5');
  ASSERT_NE(five, nullptr);
  EXPECT_EQ(five->foldKind, FoldKind::kFixed);
  ASSERT_EQ(five->folds.size(), 2u);
  EXPECT_EQ(five->folds[0], (KeyRange{20, 36}));
  EXPECT_EQ(five->folds[1], (KeyRange{22, 39}));

  const auto* a = table.ensemble('a');
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->foldKind, FoldKind::kRangeList);
  ASSERT_EQ(a->ranges.size(), 5u);
  EXPECT_EQ(a->ranges[4], (KeyRange{38, 49}));

  const auto* u = table.split('U');
  ASSERT_NE(u, nullptr);
  EXPECT_EQ(u->longestSoundingD, 1);
  EXPECT_EQ(u->pattern.firstFigure, "V0V0V0V0V0V0V0V0V0V0");

  const auto* p = table.pulse('p');
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->silencedStrike, Strike::kFirst);
  EXPECT_EQ(p->fold, (KeyRange{1, 12}));
  EXPECT_TRUE(p->needsThirdInScale);

  EXPECT_EQ(table.ensemble('Z'), nullptr) << "Z is an accompaniment voice";
  EXPECT_EQ(table.rendererOf('Z'), Renderer::kAccompaniment);
  EXPECT_EQ(table.patternForm('p'), nullptr) << "pulse voices have no pattern string";
  EXPECT_EQ(table.common('q'), nullptr);
}

struct Malformed {
  std::string text;
  std::string_view expected;  // part of the error message
};

TEST(VoiceTableFile, RejectsMalformedRowsNamingTheLine) {
  const std::string ensemble = "[ensemble]\n";
  const std::string row1 = "1 | 0 | 667 | interval pairs | 2 | yes | 13..60 | 80 | \"+++++++++++++++-----\" | 1967 | -\n";
  const Malformed cases[] = {
      {row1, "Line 1 of voice_table.txt: a row before the first section"},
      {"[melody]\n", "unknown section [melody]"},
      {ensemble + "1 | 0 | 667 | interval pairs | 2 | yes | 13..60 | 80 | \"+++++++++++++++-----\" | 1967\n",
       "Line 2 of voice_table.txt: row of 10 columns; rows of [ensemble] have 11"},
      {ensemble + "1 | 0 | 667 | band harmony | 2 | yes | 13..60 | 80 | \"+++++++++++++++-----\" | 1967 | -\n",
       "family \"band harmony\" is not one of interval pairs, voice 2"},
      {ensemble + "1 | 12 | 667 | interval pairs | 2 | yes | 13..60 | 80 | \"+++++++++++++++-----\" | 1967 | -\n",
       "group digit \"12\" is not a number from 0 to 9"},
      {ensemble + "1 | 0 | 667 | interval pairs | 2 | maybe | 13..60 | 80 | \"+++++++++++++++-----\" | 1967 | -\n",
       "tonic rule \"maybe\" must be yes or no"},
      {ensemble + "1 | 0 | 667 | interval pairs | 2 | yes | 13-60 | 80 | \"+++++++++++++++-----\" | 1967 | -\n",
       "folding \"13-60\" must be"},
      {ensemble + "1 | 0 | 667 | interval pairs | 2 | yes | 13..60 | 80 | \"++++++++++++++-----\" | 1967 | -\n",
       "has 19 characters, not 20"},
      {ensemble + "1 | 0 | 667 | interval pairs | 2 | yes | 13..60 | 80 | \"+++++++++++++++---M-\" | 1967 | -\n",
       "first figure holds 'M'"},
      {ensemble + "1 | 0 | 667 | interval pairs | 2 | yes | 13..60 | 80 | \"+++++++++++++++-----\" | 1799 | -\n",
       "pattern length \"1799\" is not a number from 1800"},
      {ensemble + "a | 7 | 1500 | harmony | 2 | no | range list | 104 | \"XXXX--------XXXX----\" | 1968 | "
                  "\"(25,36),(20,31),(40,51),(20,31)\"\n",
       "must hold five (low,high) pairs"},
      {ensemble + "a | 7 | 1500 | harmony | 2 | no | range list | 104 | \"XXXX--------XXXX----\" | 1968 | "
                  "\"(25,36),(20,31),(40,51),(20,31),(38,49),(20,31)\"\n",
       "must hold five (low,high) pairs"},
      {ensemble + "a | 7 | 1500 | harmony | 2 | no | range list | 104 | \"XXXX--------XXXX----\" | 1968 | "
                  "\"(25,36),(20;31),(40,51),(20,31),(38,49)\"\n",
       "must hold five (low,high) pairs"},
      {ensemble + "a | 7 | 1500 | harmony | 2 | no | range list | 104 | \"XXXX--------XXXX----\" | 1968 | "
                  "\"(25,36),(31,20),(40,51),(20,31),(38,49)\"\n",
       "must hold five (low,high) pairs"},
      {ensemble + "a | 7 | 1500 | harmony | 2 | no | 13..60 | 104 | \"XXXX--------XXXX----\" | 1968 | -\n",
       "harmony voices, and only they, fold into a range list"},
      {ensemble + row1 + "[split]\n1 | 8 | 750 | any | 212 | \"+-+-00ZY00+-+-00ZY00\" | 1967\n",
       "Line 4 of voice_table.txt: voice 1 already has a row in [ensemble]"},
      {"[pulse]\nm | 2 | 1000 | 4 | 0 | 0 | 1..12 | no | none | 0\n", "the first strike must come before the second"},
      {"[pulse]\nm | 2 | 1000 | 0 | 4 | 0 | 1..12 | no | both | 0\n", "silenced strike \"both\""},
  };
  for (const auto& [text, expected] : cases) {
    const auto load = parseVoiceTable(text);
    EXPECT_NE(load.error.find(expected), std::string::npos)
        << "input:\n" << text << "\nexpected an error with: " << expected << "\ngot: " << load.error;
    EXPECT_EQ(load.table.letters(), "") << "a failed read keeps no rows; got " << load.table.letters();
  }
}

TEST(VoiceTableValues, HoldsEveryVoiceOfEachRenderer) {
  const VoiceTable& table = builtinVoiceTable();
  EXPECT_EQ(table.ensembleVoices().size(), 32u);
  EXPECT_EQ(table.accompanimentVoices().size(), 16u);
  EXPECT_EQ(table.splitVoices().size(), 4u);
  EXPECT_EQ(table.pulseVoices().size(), 6u);
  EXPECT_EQ(table.letters().size(), 58u) << "letters: " << table.letters();
}

TEST(VoiceTableValues, EnsembleRowsKeepTheirDistinctiveValues) {
  const VoiceTable& table = builtinVoiceTable();
  const auto* five = table.ensemble('5');
  ASSERT_NE(five, nullptr);
  EXPECT_EQ(five->common.leadInMs, 2938);
  EXPECT_EQ(five->common.groupDigit, 3);
  EXPECT_EQ(five->family, Family::kArpeggio);
  EXPECT_EQ(five->shortestSoundingD, 5);
  EXPECT_EQ(five->foldingText, "20..36 then 22..39");

  const auto* two = table.ensemble('2');
  ASSERT_NE(two, nullptr);
  EXPECT_EQ(two->family, Family::kVoiceTwo);
  EXPECT_EQ(two->foldKind, FoldKind::kNone);
  EXPECT_EQ(two->pattern.leadingZeros, 177);

  const auto* e = table.ensemble('e');
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->rangeList, "(25,36),(40,51),(20,31),(28,39),(30,41)");
  EXPECT_EQ(e->common.leadInMs, 2167);

  std::string tonicVoices;
  for (const auto& voice : table.ensembleVoices()) {
    if (voice.tonicRule) tonicVoices += voice.common.letter;
  }
  EXPECT_EQ(tonicVoices, "123OPQ");
}

TEST(VoiceTableValues, AccompanimentSplitAndPulseRowsKeepTheirDistinctiveValues) {
  const VoiceTable& table = builtinVoiceTable();
  const auto* t = table.accompaniment('t');
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->common.leadInMs, 916);
  EXPECT_EQ(t->common.groupDigit, 9);
  EXPECT_EQ(t->family, Family::kTonicAnswers);
  EXPECT_EQ(t->pattern.length, 1853);

  std::string maskedVoices;
  for (const auto& voice : table.accompanimentVoices()) {
    if (voice.obeysBarMask) maskedVoices += voice.common.letter;
  }
  EXPECT_EQ(maskedVoices, "Z") << "only Z of the accompaniment voices obeys the bar mask";

  for (const char letter : std::string_view("klUV")) {
    const auto* voice = table.split(letter);
    ASSERT_NE(voice, nullptr) << letter;
    EXPECT_EQ(voice->common.leadInMs, 750) << letter;
    const bool ornament = letter == 'k' || letter == 'l';
    EXPECT_EQ(voice->common.groupDigit, ornament ? 8 : 4) << letter;
    EXPECT_EQ(voice->longestSoundingD.has_value(), !ornament) << letter;
  }

  const auto* nine = table.pulse('9');
  ASSERT_NE(nine, nullptr);
  EXPECT_EQ(nine->carry, 2);
  EXPECT_EQ(nine->firstUnit, 3);
  EXPECT_EQ(nine->secondUnit, 7);
  EXPECT_EQ(nine->keyOffset, 7);
  EXPECT_EQ(nine->fold, (KeyRange{5, 16}));
  const auto* o = table.pulse('o');
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(o->silencedStrike, Strike::kSecond);
  EXPECT_TRUE(o->needsThirdInScale);
}

}  // namespace
}  // namespace brisolt::render
