// The face's keys lit by the window's playback on the fake clock: the lit
// keys are exactly the notes of the score beside the mix that sound at the
// device's position, through play, pause, seek, Save and Stop, and a tick
// where nothing changed draws nothing.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/window/picture_catalog.h"
#include "platform/window/pictures/keyboard_layout.h"
#include "playback/keyboard_display.h"
#include "render/score_json.h"
#include "tests/playback/playback_fixture.h"

namespace brisolt::playback::testing {
namespace {

using render::PlacedNote;
using render::VoiceId;
using std::chrono::milliseconds;
using Lit = std::map<int, char>;  // key -> 'm' (the melody's light) or 'v' (another voice's)

PlacedNote note(VoiceId voice, int key, double startSeconds, double lengthSeconds) {
  return {voice, 0, key, 1, 1, static_cast<std::uint64_t>(startSeconds * 44100),
          static_cast<std::uint32_t>(lengthSeconds * 44100), false};
}

// A piece whose notes are easy to follow: seconds on the mix's timeline.
render::Score knownScore() {
  render::Score score;
  score.notes = {
      note(VoiceId::melody(), 40, 1.0, 1.0),           // 1 s to 2 s
      note(VoiceId::ofLetter('a'), 16, 0.5, 9.0),      // 0.5 s to 9.5 s
      note(VoiceId::ofLetter('0'), 40, 1.5, 1.0),      // 1.5 s to 2.5 s, under the melody's 40
      note(VoiceId::melody(), 47, 3.0, 1.0),           // 3 s to 4 s
      note(VoiceId::ofLetter('b'), 13, 3.5, 0.5),      // 3.5 s to 4 s
      note(VoiceId::melody(), 52, 64.0, 4.0),          // phrase 2: 64 s to 68 s
      note(VoiceId::ofLetter('a'), 28, 64.4, 1.0),     // 64.4 s to 65.4 s
      note(VoiceId::melody(), 35, 128.6, 2.0),         // phrase 3
  };
  return score;
}

class KeyboardPlayback : public PlaybackFixture {
 protected:
  KeyboardPlayback() { createKeyControls(window_); }

  void generateWithScore(int phrases = 5) {
    generateSession(phrases);
    ASSERT_TRUE(render::writeScoreFile(knownScore(), archive_ + kPrefix + "score.json"));
  }

  // The keys the window shows lit, read from the key controls.
  Lit litOnWindow() const {
    Lit keys;
    for (int key = 1; key <= kKeyboardKeys; ++key) {
      if (!window_.isControlVisible(keyControl(key))) continue;
      const int shape = static_cast<int>(platform::layout::keyShape(key));
      const auto picture = window_.pictureOf(keyControl(key));
      keys[key] = picture == platform::litKeyPicture(shape, true)    ? 'm'
                  : picture == platform::litKeyPicture(shape, false) ? 'v'
                                                                     : '?';
    }
    return keys;
  }

  // Journal lines that touched a key control.
  int keyCalls() const {
    int count = 0;
    for (const std::string& call : window_.calls()) {
      for (int key = 1; key <= kKeyboardKeys; ++key) {
        const std::string id = std::to_string(keyControl(key).value);
        if (call == "show " + id || call.rfind("show " + id + " ", 0) == 0 || call == "hide " + id ||
            call.rfind("hide " + id + " ", 0) == 0 || call.rfind("picture " + id + " ", 0) == 0) {
          ++count;
        }
      }
    }
    return count;
  }
};

TEST_F(KeyboardPlayback, TheLitKeysAreTheNotesSoundingAtThePlaybackPosition) {
  generateWithScore();
  ASSERT_EQ(playback_.play(), 0);
  EXPECT_EQ(litOnWindow(), Lit{});
  runFor(milliseconds(300));
  EXPECT_EQ(litOnWindow(), Lit{}) << "at 0.3 s nothing sounds";
  runFor(milliseconds(300));
  EXPECT_EQ(position(), 600);
  EXPECT_EQ(litOnWindow(), (Lit{{16, 'v'}}));
  runFor(milliseconds(500));  // 1.1 s
  EXPECT_EQ(litOnWindow(), (Lit{{16, 'v'}, {40, 'm'}}));
  runFor(milliseconds(500));  // 1.6 s
  EXPECT_EQ(litOnWindow(), (Lit{{16, 'v'}, {40, 'm'}})) << "the melody's light over voice 0's on one key";
  runFor(milliseconds(500));  // 2.1 s
  EXPECT_EQ(litOnWindow(), (Lit{{16, 'v'}, {40, 'v'}})) << "the melody's 40 ended, voice 0's rings on";
  runFor(milliseconds(500));  // 2.6 s
  EXPECT_EQ(litOnWindow(), (Lit{{16, 'v'}}));
  runFor(milliseconds(1000));  // 3.6 s
  EXPECT_EQ(litOnWindow(), (Lit{{13, 'v'}, {16, 'v'}, {47, 'm'}}));
  runFor(milliseconds(500));  // 4.1 s
  EXPECT_EQ(litOnWindow(), (Lit{{16, 'v'}}));
  runFor(milliseconds(5500));  // 9.6 s
  EXPECT_EQ(litOnWindow(), Lit{});
  EXPECT_EQ(playback_.litKeys(), playback_.soundingKeys().at(static_cast<double>(position())));
}

TEST_F(KeyboardPlayback, PauseHoldsTheKeysAndSeekingMovesThemToTheNewPosition) {
  generateWithScore();
  playback_.play();
  runFor(milliseconds(3600));
  const Lit atPause = litOnWindow();
  ASSERT_EQ(atPause, (Lit{{13, 'v'}, {16, 'v'}, {47, 'm'}}));

  playback_.togglePause();
  EXPECT_EQ(litOnWindow(), atPause) << "the keys of the moment it paused";
  runFor(milliseconds(3000));
  EXPECT_EQ(litOnWindow(), atPause) << "no time passes while paused";

  // Seeking while paused: phrase 2 starts at 64.501 s.
  window_.clearCalls();
  ASSERT_EQ(playback_.seekPhrase(+1), 0);
  EXPECT_EQ(position(), 64501);
  EXPECT_EQ(litOnWindow(), (Lit{{28, 'v'}, {52, 'm'}})) << "lit at once, before the next tick";
  EXPECT_EQ(keyCalls(), 6) << "hide 13, 16 and 47; show 28, whose control holds a voice's light already; "
                              "the melody's picture for 52, and show it";

  playback_.togglePause();
  runFor(milliseconds(1000));  // 65.5 s
  EXPECT_EQ(litOnWindow(), (Lit{{52, 'm'}}));

  playback_.seekPhrase(-1);  // back to the start of phrase 1 (0.501 s)
  EXPECT_EQ(litOnWindow(), (Lit{{16, 'v'}}));
  runFor(milliseconds(600));  // 1.1 s
  EXPECT_EQ(litOnWindow(), (Lit{{16, 'v'}, {40, 'm'}}));
}

TEST_F(KeyboardPlayback, ATickWhereNothingChangedDrawsNothing) {
  generateWithScore();
  playback_.play();
  runFor(milliseconds(5100));  // only key 16 sounds from 4 s to 9.5 s
  window_.clearCalls();
  runFor(milliseconds(800));  // 5.1 s to 5.9 s: the same second, the same keys
  EXPECT_TRUE(window_.calls().empty()) << "first call: " << window_.calls().front();
  runFor(milliseconds(2000));  // new seconds, the same keys
  EXPECT_EQ(keyCalls(), 0);
  EXPECT_EQ(litOnWindow(), (Lit{{16, 'v'}}));
  runFor(milliseconds(2000));  // past 9.5 s
  EXPECT_EQ(keyCalls(), 1) << "key 16 hidden, once";
}

TEST_F(KeyboardPlayback, StopDarkensEveryKey) {
  generateWithScore();
  playback_.play();
  runFor(milliseconds(3600));
  ASSERT_FALSE(litOnWindow().empty());
  playback_.stopPlayback();
  EXPECT_EQ(litOnWindow(), Lit{});
  EXPECT_EQ(playback_.litKeys(), KeyLights{});
}

TEST_F(KeyboardPlayback, SavingAPhraseKeepsTheKeysOfThePosition) {
  generateWithScore();
  playback_.play();
  runFor(milliseconds(1600));
  const Lit before = litOnWindow();
  ASSERT_EQ(before, (Lit{{16, 'v'}, {40, 'm'}}));
  playback_.saveSession();  // phrase 1 is being heard: its excerpt is cut, the device reopened
  ASSERT_EQ(excerpts_.size(), 1u);
  EXPECT_EQ(litOnWindow(), before);
  runFor(milliseconds(500));  // 2.1 s
  EXPECT_EQ(litOnWindow(), (Lit{{16, 'v'}, {40, 'v'}}));
}

TEST_F(KeyboardPlayback, ASessionPlayedAgainLaterLightsTheSameKeys) {
  generateWithScore();
  playback_.play();
  runFor(milliseconds(3600));
  const Lit first = litOnWindow();
  playback_.stopPlayback();
  playback_.saveSession();  // stopped: the whole session is kept
  playback_.cleanupArchive();

  // Later, in another window, the same session is played again.
  platform::FakeDialogWindow laterWindow;
  createPlaybackControls(laterWindow);
  createKeyControls(laterWindow);
  platform::MediaPlayer laterPlayer(backend_, notificationsTo(laterWindow));
  SessionState later = state_;
  later.appState = kIdle;
  WindowPlayback replay(later, laterWindow, laterPlayer, mixer_, {});
  ASSERT_EQ(replay.play(), 0);
  for (int tick = 0; tick < 36; ++tick) {
    backend_.advance(milliseconds(100));
    replay.onPlaybackTimer();
  }
  EXPECT_EQ(replay.soundingKeys().noteCount(), knownScore().notes.size());
  EXPECT_EQ(replay.litKeys(), playback_.soundingKeys().at(3600));
  int litKeys = 0;
  for (int key = 1; key <= kKeyboardKeys; ++key) litKeys += laterWindow.isControlVisible(keyControl(key));
  EXPECT_EQ(litKeys, static_cast<int>(first.size()));
  replay.stopPlayback();
}

TEST_F(KeyboardPlayback, AMixWithoutAScoreLightsNothing) {
  generateSession(5);  // no score.json beside it
  playback_.play();
  window_.clearCalls();
  runFor(milliseconds(4000));
  EXPECT_EQ(keyCalls(), 0);
  EXPECT_EQ(litOnWindow(), Lit{});
  EXPECT_TRUE(playback_.soundingKeys().empty());
}

}  // namespace
}  // namespace brisolt::playback::testing
