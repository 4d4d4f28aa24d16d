// Which keys sound at a position of the mix: notes ring from their start for
// the bytes of their clip, the melody's light wins over the other voices',
// and the score is found beside the mix.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "playback/keyboard_lights.h"
#include "render/score_json.h"
#include "tests/support/temp_folder.h"

namespace brisolt::playback {
namespace {

using render::PlacedNote;
using render::VoiceId;

constexpr std::uint64_t kSecond = 44100;

PlacedNote note(VoiceId voice, int key, double startSeconds, double lengthSeconds, bool cut = false) {
  return {voice, 0, key, 1, 1, static_cast<std::uint64_t>(startSeconds * kSecond),
          static_cast<std::uint32_t>(lengthSeconds * kSecond), cut};
}

// The lit keys as key -> 'm' (melody) or 'v' (another voice).
std::map<int, char> lit(const KeyLights& lights) {
  std::map<int, char> keys;
  for (int key = 1; key <= kKeyboardKeys; ++key) {
    const KeyLight light = lights[static_cast<std::size_t>(key - 1)];
    if (light != KeyLight::kDark) keys[key] = light == KeyLight::kMelody ? 'm' : 'v';
  }
  return keys;
}

render::Score knownScore() {
  render::Score score;
  score.notes = {
      note(VoiceId::melody(), 40, 1.0, 1.0),          // 1 s to 2 s
      note(VoiceId::melody(), 42, 2.0, 0.5),          // 2 s to 2.5 s
      note(VoiceId::melody(), 44, 3.0, 4.0, true),    // cut: sounds 3 s to 5 s
      note(VoiceId::ofLetter('a'), 1, 0.5, 10.0),     // C1, the lowest key, a long chord note
      note(VoiceId::ofLetter('a'), 60, 1.5, 1.0),     // B5, the highest
      note(VoiceId::ofLetter('0'), 40, 1.5, 2.0),     // the melody's key 40 in another voice too
      note(VoiceId::ofLetter('m'), 25, 6.0, 0.25),
  };
  return score;
}

TEST(SoundingKeys, TheLitKeysAreExactlyTheNotesSoundingThen) {
  const SoundingKeys keys(knownScore());
  EXPECT_EQ(lit(keys.at(0)), (std::map<int, char>{}));
  EXPECT_EQ(lit(keys.at(499)), (std::map<int, char>{}));
  EXPECT_EQ(lit(keys.at(500)), (std::map<int, char>{{1, 'v'}}));
  EXPECT_EQ(lit(keys.at(1000)), (std::map<int, char>{{1, 'v'}, {40, 'm'}}));
  EXPECT_EQ(lit(keys.at(1600)), (std::map<int, char>{{1, 'v'}, {40, 'm'}, {60, 'v'}}))
      << "key 40 sounds in the melody and voice 0: the melody's light";
  EXPECT_EQ(lit(keys.at(2000)), (std::map<int, char>{{1, 'v'}, {40, 'v'}, {42, 'm'}, {60, 'v'}}))
      << "the melody's 40 ended at 2 s, voice 0's goes on";
  EXPECT_EQ(lit(keys.at(2600)), (std::map<int, char>{{1, 'v'}, {40, 'v'}}));
  EXPECT_EQ(lit(keys.at(3600)), (std::map<int, char>{{1, 'v'}, {44, 'm'}}));
  EXPECT_EQ(lit(keys.at(4999)), (std::map<int, char>{{1, 'v'}, {44, 'm'}}));
  EXPECT_EQ(lit(keys.at(5000)), (std::map<int, char>{{1, 'v'}})) << "a cut note sounds for its two copied seconds";
  EXPECT_EQ(lit(keys.at(6100)), (std::map<int, char>{{1, 'v'}, {25, 'v'}}));
  EXPECT_EQ(lit(keys.at(10499)), (std::map<int, char>{{1, 'v'}}));
  EXPECT_EQ(lit(keys.at(10500)), (std::map<int, char>{}));
  EXPECT_EQ(lit(keys.at(-5)), (std::map<int, char>{}));
}

TEST(SoundingKeys, PositionsNeedNotComeInOrder) {
  const SoundingKeys keys(knownScore());
  const KeyLights late = keys.at(3600);
  keys.at(100);
  EXPECT_EQ(keys.at(3600), late) << "a seek back and forth asks for any position";
  EXPECT_EQ(lit(keys.at(1000)), (std::map<int, char>{{1, 'v'}, {40, 'm'}}));
}

TEST(SoundingKeys, KeysOutsideTheBankAndEmptyNotesLightNothing) {
  render::Score score;
  score.notes = {note(VoiceId::melody(), 0, 0.0, 1.0), note(VoiceId::melody(), 61, 0.0, 1.0),
                 note(VoiceId::ofLetter('b'), 30, 0.0, 0.0)};
  const SoundingKeys keys(score);
  EXPECT_TRUE(keys.empty());
  EXPECT_EQ(lit(keys.at(500)), (std::map<int, char>{}));
  EXPECT_EQ(lit(SoundingKeys().at(500)), (std::map<int, char>{}));
}

TEST(SoundingKeys, ManyOverlappingNotesAreAllFound) {
  render::Score score;
  // A long note struck first, then a run of short ones: the long one must
  // still be found among them.
  score.notes.push_back(note(VoiceId::ofLetter('p'), 10, 0.0, 30.0));
  for (int i = 0; i < 300; ++i) score.notes.push_back(note(VoiceId::melody(), 20 + i % 30, i * 0.1, 0.1));
  const SoundingKeys keys(score);
  EXPECT_EQ(lit(keys.at(15050)), (std::map<int, char>{{10, 'v'}, {20 + 150 % 30, 'm'}}));
  EXPECT_EQ(lit(keys.at(29990)), (std::map<int, char>{{10, 'v'}, {20 + 299 % 30, 'm'}}));
}

TEST(SoundingKeysFile, TheScoreLiesBesideTheMixOrItsRendition) {
  EXPECT_EQ(scorePathForMix("/a/Archive/240131_142507_Pelko.wav"), "/a/Archive/240131_142507_score.json");
  EXPECT_EQ(scorePathForMix("/a/Archive/240131_142507_PelkoL.wav"), "/a/Archive/240131_142507_score.json");
  EXPECT_EQ(scorePathForMix("/a/Archive/piece.flac"), "");
  EXPECT_EQ(scorePathForMix(""), "");
}

class SoundingKeysFromFile : public test::TempFolderTest {};

TEST_F(SoundingKeysFromFile, AScoreFileIsReadAndAMissingOrBrokenOneLightsNothing) {
  const std::string path = folder().file("240131_142507_score.json");
  ASSERT_TRUE(render::writeScoreFile(knownScore(), path));
  const SoundingKeys keys = loadSoundingKeys(path);
  EXPECT_EQ(keys.noteCount(), knownScore().notes.size());
  EXPECT_EQ(lit(keys.at(1600)), (std::map<int, char>{{1, 'v'}, {40, 'm'}, {60, 'v'}}));

  EXPECT_TRUE(loadSoundingKeys(folder().file("missing_score.json")).empty());
  const std::string broken = folder().file("broken_score.json");
  {
    std::FILE* file = std::fopen(broken.c_str(), "w");
    std::fputs("{\"format\": \"something else\"}", file);
    std::fclose(file);
  }
  EXPECT_TRUE(loadSoundingKeys(broken).empty());
  EXPECT_TRUE(loadSoundingKeys("").empty());
}

}  // namespace
}  // namespace brisolt::playback
