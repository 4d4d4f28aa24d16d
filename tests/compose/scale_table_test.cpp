// The key signatures, scales, scale rows and note names, and the scale-key
// operations over one row.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "compose/scale_keys.h"
#include "compose/scale_tables.h"

namespace brisolt::compose {
namespace {

const ScaleTable& table() {
  static const ScaleTable loaded = ScaleTable::load();
  return loaded;
}

TEST(ScaleTable, MajorRowsOfEveryKeyAreTheListedOnes) {
  const std::array<const char*, 12> major = {
      "0103050608101213151718202224252729303234363739414244464849515354565860",
      "0102040607091113141618192123252628303133353738404243454749505254555759",
      "0203050708101214151719202224262729313234363839414344464850515355565860",
      "0103040608091113151618202123252728303233353739404244454749515254565759",
      "0204050709101214161719212224262829313334363840414345464850525355575860",
      "0103050608101113151718202223252729303234353739414244464749515354565859",
      "0204060709111214161819212324262830313335363840424345474850525455575960",
      "0103050708101213151719202224252729313234363739414344464849515355565860",
      "0102040608091113141618202123252628303233353738404244454749505254565759",
      "0203050709101214151719212224262729313334363839414345464850515355575860",
      "0103040608101113151618202223252728303234353739404244464749515254565859",
      "0204050709111214161719212324262829313335363840414345474850525355575960",
  };
  for (int key = 0; key < 12; ++key) EXPECT_EQ(table().row(key, 0), major[key]) << "key index " << key;
}

TEST(ScaleTable, EveryScaleOnCIsTheListedRow) {
  const std::array<const char*, 12> onC = {
      "0103050608101213151718202224252729303234363739414244464849515354565860",
      "0103040608101213151618202224252728303234363739404244464849515254565860",
      "0103040608091213151618202124252728303233363739404244454849515254565760",
      "0103040608091113151618202123252728303233353739404244454749515254565759",
      "0103040708091213151619202124252728313233363739404344454849515255565760",
      "0102050608091113141718202123252629303233353738414244454749505354565759",
      "0103050608091113151718202123252729303233353739414244454749515354565759",
      "0102050608091213141718202124252629303233363738414244454849505354565760",
      "0104050708101213161719202224252829313234363740414344464849525355565860",
      "0103050608101113151718202223252729303234353739414244464749515354565859",
      "0102040608101113141618202223252628303234353738404244464749505254565859",
      "0104050608101113161718202223252829303234353740414244464749525354565859",
  };
  for (int scale = 0; scale < 12; ++scale) {
    EXPECT_EQ(table().row(0, scale), onC[scale]) << table().scales()[scale].name;
  }
}

TEST(ScaleTable, EveryRowHoldsEachScalePitchClassFiveTimesInAscendingOrder) {
  for (int key = 0; key < 12; ++key) {
    for (int scale = 0; scale < 12; ++scale) {
      const ScaleKeys keys = table().scaleKeys(key, scale);
      ASSERT_EQ(keys.size(), 35u) << "key " << key << " scale " << scale;
      std::array<int, 12> perClass{};
      int previous = 0;
      for (const std::string& text : keys) {
        const int n = std::stoi(text);
        EXPECT_GT(n, previous) << "key " << key << " scale " << scale;
        EXPECT_LE(n, 60);
        previous = n;
        ++perClass[(n - 1) % 12];
      }
      for (const int pitchClass : table().scales()[scale].pitchClasses) {
        EXPECT_EQ(perClass[(pitchClass + key) % 12], 5) << "key " << key << " scale " << scale;
      }
    }
  }
}

TEST(ScaleTable, CSharpMajorStartsAtTheLeadingToneC1AndEndsAt59) {
  const ScaleKeys keys = table().scaleKeys(1, 0);
  EXPECT_EQ(keys.front(), "01");
  EXPECT_EQ(keys.back(), "59");
}

TEST(ScaleTable, NamesAndModeFamiliesAreTheListedOnes) {
  const auto& scales = table().scales();
  EXPECT_EQ(scales[0].name, "Major");
  EXPECT_EQ(scales[2].name, "Minor Harmonic");
  EXPECT_EQ(scales[4].name, "Hungarian (Gipsy)");
  EXPECT_EQ(scales[5].name, "Spanish (Jewish)");
  EXPECT_EQ(scales[11].name, "Blues");
  const std::string families = [&] {
    std::string text;
    for (const Scale& scale : scales) text += scale.modeFamily[1];
    return text;
  }();
  EXPECT_EQ(families, "aiiiiaaaaaia") << "M(a)j / M(i)n per scale 0..11";
}

TEST(ScaleTable, DisplayNameIsTheFirstLetterAndASharpForTwoLetterKeys) {
  const auto& keys = table().keySignatures();
  ASSERT_EQ(keys.size(), 12u);
  for (const KeySignature& key : keys) {
    const std::string expected = key.storedName.substr(0, 1) + (key.storedName.size() == 2 ? "#" : "");
    EXPECT_EQ(key.displayName, expected) << key.storedName;
  }
  EXPECT_EQ(keys[8].storedName, "GA");
  EXPECT_EQ(keys[8].displayName, "G#");
  EXPECT_EQ(keys[5].displayName, "F");
}

TEST(ScaleTable, NoteNamesFillToTwoCharactersAndEndInTheOctave) {
  const auto names = table().noteNames();
  ASSERT_EQ(names.size(), 61u);
  EXPECT_EQ(names[0], "");
  EXPECT_EQ(names[1], "C_1");
  EXPECT_EQ(names[2], "C#1");
  EXPECT_EQ(names[12], "B_1");
  EXPECT_EQ(names[13], "C_2");
  EXPECT_EQ(names[49], "C_5");
  EXPECT_EQ(names[60], "B_5");
}

class ScaleKeysOfCMajor : public ::testing::Test {
 protected:
  ScaleKeys keys = table().scaleKeys(0, 0);  // 01 03 05 06 08 10 12 13 ... 58 60
};

TEST_F(ScaleKeysOfCMajor, IsScaleKeyFindsMembersAndRejectsOthers) {
  EXPECT_TRUE(isScaleKey(keys, 1));
  EXPECT_TRUE(isScaleKey(keys, 60));
  EXPECT_FALSE(isScaleKey(keys, 2)) << "C#1 lies between two elements";
  EXPECT_FALSE(isScaleKey(keys, 61)) << "above the highest element";
  EXPECT_FALSE(isScaleKey(keys, 0));
  EXPECT_FALSE(isScaleKey(keys, -5));
}

TEST(ScaleKeys, IsScaleKeyStopsAtTheFirstGreaterElement) {
  // The search relies on ascending order: an element out of order behind a
  // greater one is never reached.
  const ScaleKeys unordered = {"10", "20", "15"};
  EXPECT_TRUE(isScaleKey(unordered, 20));
  EXPECT_FALSE(isScaleKey(unordered, 15)) << "scanning stops at 20 > 15";
}

TEST_F(ScaleKeysOfCMajor, PositionsAndKeyNumbersConvertBothWays) {
  EXPECT_EQ(toScalePositions(keys, "010305"), "000102");
  EXPECT_EQ(toScalePositions(keys, "6058"), "3433");
  EXPECT_EQ(toScalePositions(keys, "0102"), "0035") << "a key outside the scale becomes the list length";
  EXPECT_EQ(toKeyNumbers(keys, "000102"), "010305");
  EXPECT_EQ(toKeyNumbers(keys, "3433"), "6058");
  EXPECT_EQ(toKeyNumbers(keys, "35"), "00") << "a position past the list gives silence";
}

TEST_F(ScaleKeysOfCMajor, ScaleStepMovesByScaleDegreesWithinTheList) {
  EXPECT_EQ(scaleStep(keys, 25, 1), 27);
  EXPECT_EQ(scaleStep(keys, 25, -2), 22);
  EXPECT_EQ(scaleStep(keys, 25, 7), 37) << "seven degrees is an octave";
  EXPECT_EQ(scaleStep(keys, 2, 0), 2) << "zero steps keep even a non-scale key";
  EXPECT_EQ(scaleStep(keys, 2, 1), 0) << "a non-scale key cannot move";
  EXPECT_EQ(scaleStep(keys, 60, 1), 0) << "past the top";
  EXPECT_EQ(scaleStep(keys, 1, -1), 0) << "past the bottom";
  EXPECT_EQ(scaleStep(keys, 58, 1), 60) << "onto the last element";
  EXPECT_EQ(scaleStep(keys, 3, -1), 1) << "onto the first element";
}

}  // namespace
}  // namespace brisolt::compose
