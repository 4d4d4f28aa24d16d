// The command-line player on the fake clock, its status line and the keys
// decoded from terminal bytes.
#include "playback/file_player.h"

#include <gtest/gtest.h>

#include <string_view>

#include "playback/terminal_keys.h"
#include "tests/playback/playback_fixture.h"
#include "tests/support/file_bytes.h"

namespace brisolt::playback::testing {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

class FilePlayerTest : public PlaybackFixture {
 protected:
  FilePlayer file_{backend_};
};

TEST_F(FilePlayerTest, ShowsElapsedTimeAndThePhraseAsTheWindowCountsIt) {
  ASSERT_TRUE(file_.open(writeMix("piece.wav", 500 + 3 * 64000 + 2500)).ok());
  PlayerStatus status = file_.poll();
  EXPECT_EQ(status.lengthMilliseconds, 195000);
  EXPECT_EQ(status.phraseTotal, 3) << "the 2.5 s tail after phrase 3 is no phrase";
  ASSERT_TRUE(file_.start().ok());

  backend_.advance(milliseconds(499));
  EXPECT_EQ(file_.poll().phrase, 0);
  backend_.advance(milliseconds(1));
  EXPECT_EQ(file_.poll().phrase, 1);
  backend_.advance(milliseconds(64000));
  status = file_.poll();
  EXPECT_EQ(status.phrase, 2);
  EXPECT_EQ(statusLine(status), "01:04 / 03:15  phrase 02");
  EXPECT_FALSE(file_.ended());

  backend_.advance(seconds(200));
  EXPECT_TRUE(file_.ended());
  EXPECT_FALSE(file_.failed());
}

TEST_F(FilePlayerTest, KeysPauseAndSeekByTheShownPhrase) {
  ASSERT_TRUE(file_.open(writeMix("piece.wav", 500 + 3 * 64000)).ok());
  file_.start();
  backend_.advance(seconds(10));
  file_.poll();

  file_.press(PlayerKey::kTogglePause);
  backend_.advance(seconds(1));
  PlayerStatus status = file_.poll();
  EXPECT_TRUE(status.paused);
  EXPECT_EQ(status.elapsedMilliseconds, 10000);
  EXPECT_EQ(statusLine(status), "00:10 / 03:13  phrase 01  (paused)") << "192.5 s rounds up";

  file_.press(PlayerKey::kPhraseForward);
  EXPECT_EQ(file_.poll().elapsedMilliseconds, 64501) << "paused seeks move the position";
  backend_.advance(seconds(1));
  EXPECT_EQ(file_.poll().elapsedMilliseconds, 64501) << "and stay paused";
  file_.press(PlayerKey::kPhraseForward);
  file_.poll();
  file_.press(PlayerKey::kPhraseForward);
  EXPECT_EQ(file_.poll().elapsedMilliseconds, 128501) << "phrase 3 is the last";

  file_.press(PlayerKey::kTogglePause);
  backend_.advance(seconds(1));
  EXPECT_EQ(file_.poll().elapsedMilliseconds, 129501);
  file_.press(PlayerKey::kPhraseBack);
  EXPECT_EQ(file_.poll().elapsedMilliseconds, 64501);
  backend_.advance(seconds(1));
  EXPECT_EQ(file_.poll().elapsedMilliseconds, 65501) << "playing seeks play on";

  file_.press(PlayerKey::kQuit);
  backend_.advance(seconds(1));
  EXPECT_EQ(file_.poll().elapsedMilliseconds, 65501) << "q stops";
}

TEST_F(FilePlayerTest, AFileThatIsNotAMixIsRefusedWithItsName) {
  const platform::MediaReply missing = file_.open(archive_ + "none.wav");
  EXPECT_EQ(missing.result, platform::MediaResult::kCannotOpenFile);
  EXPECT_NE(missing.error.find("none.wav"), std::string::npos) << missing.error;
  test::writeFileBytes(archive_ + "notes.txt", {'h', 'e', 'l', 'l', 'o'});
  const platform::MediaReply text = file_.open(archive_ + "notes.txt");
  EXPECT_EQ(text.result, platform::MediaResult::kUnsupportedFormat);
  EXPECT_NE(text.error.find("notes.txt"), std::string::npos) << text.error;
}

TEST(StatusLine, CountsMinutesPastAnHour) {
  EXPECT_EQ(statusLine({5764000, 5766000, 90, 91, false}), "96:04 / 96:06  phrase 90");
  EXPECT_EQ(clockText(59999), "00:59");
}

TEST(StatusLine, TheLengthIsRoundedToTheNearestSecondAndTheEndShowsIt) {
  EXPECT_EQ(lengthText(5762600), "96:03") << "a mix of 96:02.6 lasts 96:03, as sox and ffprobe round it";
  EXPECT_EQ(lengthText(5762400), "96:02");
  EXPECT_EQ(statusLine({5762000, 5762600, 90, 90, false}), "96:02 / 96:03  phrase 90");
  EXPECT_EQ(statusLine({5762600, 5762600, 90, 90, false}), "96:03 / 96:03  phrase 90") << "the end reads as the length";
}

std::vector<PlayerKey> decode(std::string_view bytes) {
  TerminalKeyDecoder decoder;
  std::vector<PlayerKey> keys;
  for (const char byte : bytes) {
    if (const auto key = decoder.feed(byte)) keys.push_back(*key);
  }
  return keys;
}

TEST(TerminalKeys, DecodesSpaceQAndTheArrowsInBothCursorModes) {
  using enum PlayerKey;
  EXPECT_EQ(decode(" qQ"), (std::vector{kTogglePause, kQuit, kQuit}));
  EXPECT_EQ(decode("\x1b[C\x1b[D"), (std::vector{kPhraseForward, kPhraseBack}));
  EXPECT_EQ(decode("\x1bOC\x1bOD"), (std::vector{kPhraseForward, kPhraseBack}));
  EXPECT_EQ(decode("\x1b[1;5C"), (std::vector{kPhraseForward})) << "with a modifier";
  EXPECT_EQ(decode("\x1b[A\x1b[B"), std::vector<PlayerKey>{}) << "up and down do nothing";
  EXPECT_EQ(decode("x\x1b q"), (std::vector{kTogglePause, kQuit})) << "a lone Escape does not eat the next key";
  EXPECT_EQ(decode("\x1b[q"), std::vector<PlayerKey>{}) << "q ending a sequence is not a key";

  // A sequence split over two reads.
  TerminalKeyDecoder decoder;
  EXPECT_FALSE(decoder.feed('\x1b'));
  EXPECT_FALSE(decoder.feed('['));
  EXPECT_EQ(decoder.feed('D'), PlayerKey::kPhraseBack);
}

}  // namespace
}  // namespace brisolt::playback::testing
