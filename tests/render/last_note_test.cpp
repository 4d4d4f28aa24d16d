// The last note of the accompaniment voices over the whole of its domain:
// every key 1..60 and every duration a plan can give (and more) finds a clip
// and fills exactly its duration, and where the key has the layer of the
// duration nothing changes.
#include <gtest/gtest.h>

#include <algorithm>

#include "audio/sample_bank.h"
#include "audio/sample_table.h"
#include "render/last_note.h"

namespace brisolt::render {
namespace {

constexpr int kLongestDuration = 8;  // a bar; plans give 1..5

TEST(LastNote, EveryKeyAndDurationFindsAClipAndEndsOnTheBarLine) {
  const audio::SampleBank bank;
  int mended = 0;
  for (int key = audio::kFirstKey; key <= audio::kLastKey; ++key) {
    for (int duration = 1; duration <= kLongestDuration; ++duration) {
      SCOPED_TRACE("key " + std::to_string(key) + ", " + std::to_string(duration) + " units");
      const std::optional<LastNoteClip> last = lastNoteClip(bank, key, duration);
      ASSERT_TRUE(last.has_value());
      EXPECT_NE(bank.sampleOffset(key, last->layer), audio::kNoClip);
      EXPECT_EQ(last->clipUnits + last->silenceUnits, duration);
      if (bank.sampleOffset(key, duration) != audio::kNoClip) {
        EXPECT_EQ(last->layer, duration) << "a key with the layer keeps the note as it was";
        EXPECT_EQ(last->silenceUnits, 0);
      } else {
        ++mended;
        EXPECT_LE(last->clipUnits, 4);
        // The sample table: keys 13..56 have layers 1..4, the others 1 and 2.
        const int longestLayer = key >= 13 && key <= 56 ? 4 : 2;
        EXPECT_EQ(last->layer, std::min(duration - 1, longestLayer)) << "the longest layer the key has";
      }
    }
  }
  // Keys 1..12 and 57..60 lack layers 3..5 (16 x 3), and no key has 6..8 (60 x 3).
  EXPECT_EQ(mended, 16 * 3 + 60 * 3);
}

TEST(LastNote, KeysOutsideTheMiddleRegisterRingTheirLayerTwoThenFallSilent) {
  const audio::SampleBank bank;
  const auto expect = [&bank](int key, int duration, int layer, int clipUnits, int silenceUnits) {
    const std::optional<LastNoteClip> last = lastNoteClip(bank, key, duration);
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->layer, layer) << key << "/" << duration;
    EXPECT_EQ(last->clipUnits, clipUnits) << key << "/" << duration;
    EXPECT_EQ(last->silenceUnits, silenceUnits) << key << "/" << duration;
  };
  expect(12, 4, 2, 2, 2);
  expect(8, 3, 2, 2, 1);
  expect(57, 5, 2, 2, 3);
  expect(12, 2, 2, 2, 0);
  expect(13, 5, 5, 5, 0);  // layer 5 reads layer 4 and copies five units, as always
  expect(30, 4, 4, 4, 0);
  expect(30, 7, 4, 4, 3);
}

}  // namespace
}  // namespace brisolt::render
