// Save Session and the archive cleanup on real files in a private archive
// folder: every outcome of saving (or not), the report boxes, saving while
// paused or playing, and a file that cannot be deleted.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/files/file_system.h"
#include "platform/window/main_window_ids.h"
#include "tests/playback/playback_fixture.h"
#include "tests/support/file_bytes.h"

namespace brisolt::playback::testing {
namespace {

namespace control = platform::control;
using platform::MessageBoxAnswer;
using platform::MessageBoxButtons;
using platform::MessageBoxIcon;
using platform::MessageBoxRequest;
using std::chrono::milliseconds;
using std::chrono::seconds;
using Names = std::vector<std::string>;

std::string session(const char* suffix) { return std::string(kPrefix) + suffix; }
std::string other(const char* suffix) { return std::string(kOtherPrefix) + suffix; }

Names sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

const Names kOtherSession = {other("Pelko.wav"), other("Pelko_03.wav"), other("log.txt")};

Names withOtherSession(Names names) {
  names.insert(names.end(), kOtherSession.begin(), kOtherSession.end());
  return sorted(names);
}

// Makes a file impossible to delete, even for root: the file system's
// immutable attribute. Where that is not available, a folder without write
// permission does it for anyone but root.
class UndeletableFile {
 public:
  UndeletableFile(std::string path, std::string folder) : path_(std::move(path)), folder_(std::move(folder)) {
    if (setImmutable(true)) {
      how_ = How::kImmutable;
    } else if (::geteuid() != 0 && ::chmod(folder_.c_str(), 0555) == 0) {
      how_ = How::kReadOnlyFolder;
    }
  }
  ~UndeletableFile() { release(); }
  bool works() const { return how_ != How::kNone; }
  void release() {
    if (how_ == How::kImmutable) setImmutable(false);
    if (how_ == How::kReadOnlyFolder) ::chmod(folder_.c_str(), 0755);
    how_ = How::kNone;
  }

 private:
  enum class How { kNone, kImmutable, kReadOnlyFolder };
  bool setImmutable(bool on) const {
    const int descriptor = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    int flags = 0;
    bool done = ::ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      done = ::ioctl(descriptor, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(descriptor);
    return done;
  }

  std::string path_;
  std::string folder_;
  How how_ = How::kNone;
};

class ArchiveOutcomes : public PlaybackFixture {
 protected:
  void SetUp() override {
    generateSession(5);
    writeOtherSession();
  }
  // As the next Generate starts: playback closed, then the cleanup.
  void nextGenerate() {
    playback_.stopPlayback();
    playback_.cleanupArchive();
  }
};

TEST_F(ArchiveOutcomes, NothingSavedKeepsNothing) {
  playback_.play();
  runFor(seconds(70));
  nextGenerate();
  EXPECT_EQ(archiveFiles(), kOtherSession) << "every file of the session is deleted";
  EXPECT_TRUE(window_.messageBoxes().empty());
  EXPECT_TRUE(state_.sessionUnsaved) << "the flags are left for the next Generate to set";
  EXPECT_EQ(state_.sessionPrefix, kPrefix);
}

TEST_F(ArchiveOutcomes, SaveWhileStoppedKeepsEverything) {
  playback_.saveSession();
  EXPECT_FALSE(state_.sessionUnsaved);
  nextGenerate();
  EXPECT_EQ(archiveFiles(), withOtherSession({session("Pelko.wav"), session("log.txt"), session("mixer_scratch.tmp")}));
}

TEST_F(ArchiveOutcomes, SaveWhilePhraseIsHeardKeepsThatPhraseAndTheLog) {
  playback_.play();
  goToPhrase(2);
  playback_.saveSession();
  EXPECT_EQ(test::fileSize(archive_ + session("Pelko_02.wav")), 44u + 2822400u);
  EXPECT_TRUE(state_.sessionUnsaved);
  EXPECT_FALSE(state_.logUnsaved);
  nextGenerate();
  EXPECT_EQ(archiveFiles(), withOtherSession({session("Pelko_02.wav"), session("log.txt")}));
}

TEST_F(ArchiveOutcomes, BothKeepEverything) {
  playback_.saveSession();
  playback_.play();
  goToPhrase(2);
  playback_.saveSession();
  nextGenerate();
  EXPECT_EQ(archiveFiles(), withOtherSession({session("Pelko.wav"), session("Pelko_02.wav"), session("log.txt"),
                                              session("mixer_scratch.tmp")}));
}

TEST_F(ArchiveOutcomes, ClosingTheProgramWithoutSavingDeletesTheSession) {
  playback_.play();
  runFor(seconds(3));
  // Window destruction: every device closed, then the cleanup.
  ASSERT_TRUE(player_.send(platform::MediaCommand::closeAll()).ok());
  playback_.cleanupArchive();
  EXPECT_EQ(archiveFiles(), kOtherSession);
}

TEST_F(ArchiveOutcomes, PhrasesTwoAndFourThenANewGenerateKeepTheTwoPhrasesAndTheLog) {
  playback_.play();
  goToPhrase(2);
  playback_.saveSession();
  goToPhrase(4);
  playback_.saveSession();
  nextGenerate();
  const Names kept = withOtherSession({session("Pelko_02.wav"), session("Pelko_04.wav"), session("log.txt")});
  EXPECT_EQ(archiveFiles(), kept);

  // The new session is discarded in its turn; the kept files stay.
  generateSession(5, "240131_150000_");
  EXPECT_EQ(archiveFiles().size(), kept.size() + 3);
  nextGenerate();
  EXPECT_EQ(archiveFiles(), kept);
}

class SaveSession : public PlaybackFixture {};

TEST_F(SaveSession, NothingToSaveBeforeAnyGenerate) {
  window_.clearCalls();
  EXPECT_EQ(playback_.saveSession(), 0);
  ASSERT_EQ(window_.messageBoxes().size(), 1u);
  EXPECT_EQ(window_.messageBoxes()[0], (MessageBoxRequest{"Brisolt - Save Session", "Nothing to save!",
                                                          MessageBoxIcon::kInformation, MessageBoxButtons::kOk}));
  EXPECT_FALSE(visible(control::kRecordLit));
  EXPECT_TRUE(visible(control::kStopLit));
  EXPECT_EQ(window_.calls().front(), "show 1051") << "the record button lights while the save runs";
}

TEST_F(SaveSession, StoppedReportsTheWholeSessionAndWhereItIs) {
  generateSession(5);
  window_.clearCalls();
  playback_.saveSession();
  ASSERT_EQ(window_.messageBoxes().size(), 1u);
  EXPECT_EQ(window_.messageBoxes()[0],
            (MessageBoxRequest{"Aurelune - Save Session",
                               "Files are saved in folder " + archive_ + "\n\nLog file:\t240131_142507_log.txt" +
                                   "\nMusic file:\t240131_142507_Pelko.wav",
                               MessageBoxIcon::kInformation, MessageBoxButtons::kOk}));
  EXPECT_EQ(window_.calls(), (Names{"show 1051", "message box [Aurelune - Save Session] " +
                                                     window_.messageBoxes()[0].text,
                                    "hide 1051"}));
  EXPECT_TRUE(excerpts_.empty());
}

TEST_F(SaveSession, InTheFirstHalfSecondKeepsTheWholeSession) {
  generateSession(5);
  playback_.play();
  runFor(milliseconds(400));
  ASSERT_EQ(state_.currentPhrase, 0);
  playback_.saveSession();
  EXPECT_TRUE(excerpts_.empty());
  EXPECT_FALSE(state_.sessionUnsaved);
  ASSERT_EQ(window_.messageBoxes().size(), 1u);
  EXPECT_EQ(window_.messageBoxes()[0].caption, "Aurelune - Save Session");
  EXPECT_EQ(state_.appState, kPlaying) << "the whole-session save leaves playback alone";
  EXPECT_EQ(position(), 400);
}

TEST_F(SaveSession, PhraseThreeTwiceWritesTheSamePhraseTwice) {
  generateSession(5);
  playback_.play();
  goToPhrase(3);
  playback_.saveSession();
  runFor(seconds(1));
  playback_.saveSession();

  const ExcerptCall expected{archive_, kPrefix, 3, 60, false};
  EXPECT_EQ(excerpts_, (std::vector<ExcerptCall>{expected, expected})) << "with the mix closed both times";
  ASSERT_EQ(window_.messageBoxes().size(), 2u);
  const std::string report = "File saved in folder " + archive_ + "\nLog file:\t240131_142507_log.txt" +
                             "\nMusic file:\t240131_142507_Pelko_03.wav";
  for (const MessageBoxRequest& box : window_.messageBoxes()) {
    EXPECT_EQ(box, (MessageBoxRequest{"Aurelune - Save Session - Phrase 3", report, MessageBoxIcon::kInformation,
                                      MessageBoxButtons::kOk}));
  }
  EXPECT_TRUE(test::fileExists(archive_ + session("Pelko_03.wav")));
  EXPECT_FALSE(visible(control::kRecordLit));
}

TEST_F(SaveSession, WhilePausedReopensAtTheSamePositionAndStaysPaused) {
  generateSession(5);
  playback_.play();
  goToPhrase(2);
  runFor(milliseconds(1234));
  playback_.togglePause();
  const std::int64_t paused = position();
  ASSERT_EQ(paused, 65735);

  playback_.saveSession();
  ASSERT_EQ(excerpts_.size(), 1u);
  EXPECT_EQ(excerpts_[0].phrase, 2);
  EXPECT_TRUE(deviceOpen()) << "reopened";
  EXPECT_EQ(position(), paused);
  EXPECT_EQ(state_.appState, kPaused);
  runFor(seconds(2));
  EXPECT_EQ(position(), paused) << "still paused after the save";

  playback_.togglePause();
  runFor(seconds(1));
  EXPECT_EQ(position(), paused + 1000) << "resumes from the same position";
}

TEST_F(SaveSession, WhilePlayingPlaysOnFromTheSamePosition) {
  generateSession(5);
  playback_.play();
  goToPhrase(4);
  runFor(seconds(5));
  const std::int64_t before = position();
  playback_.saveSession();
  EXPECT_EQ(position(), before);
  EXPECT_EQ(state_.appState, kPlaying);
  runFor(seconds(1));
  EXPECT_EQ(position(), before + 1000);
  EXPECT_EQ(phraseDigits(), "04");

  // The reopened device still ends playback at the end of the mix.
  runFor(seconds(130));
  EXPECT_EQ(state_.appState, kIdle);
  EXPECT_FALSE(deviceOpen());
}

class ArchiveCleanup : public PlaybackFixture {};

TEST_F(ArchiveCleanup, DoesNothingWithoutAnUnsavedSession) {
  generateSession(5);
  state_.sessionPrefix.clear();
  playback_.cleanupArchive();
  EXPECT_EQ(archiveFiles().size(), 3u) << "no session: nothing deleted";

  state_.sessionPrefix = kPrefix;
  state_.sessionUnsaved = false;
  playback_.cleanupArchive();
  EXPECT_EQ(archiveFiles().size(), 3u) << "a session saved whole";
}

TEST_F(ArchiveCleanup, KeepsSavedPhrasesAlwaysAndTheLogOnlyOnceAPhraseWasSaved) {
  generateSession(5);
  test::writeFileBytes(archive_ + session("Pelko_07.wav"), {7});
  playback_.cleanupArchive();
  EXPECT_EQ(archiveFiles(), Names{session("Pelko_07.wav")}) << "the log goes while the log-unsaved flag is set";

  generateSession(5);
  state_.logUnsaved = false;
  playback_.cleanupArchive();
  EXPECT_EQ(archiveFiles(), (Names{session("Pelko_07.wav"), session("log.txt")}));
}

TEST_F(ArchiveCleanup, ASavedPhraseKeepsItsRenditionExcerptAndMidiFileWhileTheWholeOnesGo) {
  generateSession(5);
  for (const char* name : {"Piano.mid", "PelkoL.wav", "Pelko_02.wav", "PelkoL_02.wav", "Piano_02.mid"}) {
    test::writeFileBytes(archive_ + session(name), {2});
  }
  state_.logUnsaved = false;
  playback_.cleanupArchive();
  EXPECT_EQ(archiveFiles(), (Names{session("PelkoL_02.wav"), session("Pelko_02.wav"), session("Piano_02.mid"),
                                   session("log.txt")}));
}

TEST_F(ArchiveCleanup, TheScoreGoesWithAnUnsavedSessionAndAPhraseKeepsItsOwn) {
  generateSession(5);
  test::writeFileBytes(archive_ + session("score.json"), {'{', '}'});
  playback_.cleanupArchive();
  EXPECT_EQ(archiveFiles(), Names{}) << "nothing saved: the score goes with the mix and the log";

  generateSession(5);
  test::writeFileBytes(archive_ + session("score.json"), {'{', '}'});
  test::writeFileBytes(archive_ + session("Pelko_03.wav"), {3});
  test::writeFileBytes(archive_ + session("score_03.json"), {'{', '}'});
  state_.logUnsaved = false;
  playback_.cleanupArchive();
  EXPECT_EQ(archiveFiles(), (Names{session("Pelko_03.wav"), session("log.txt"), session("score_03.json")}))
      << "a saved phrase keeps its part of the score; the whole score goes with the whole mix";

  generateSession(5);
  test::writeFileBytes(archive_ + session("score.json"), {'{', '}'});
  state_.sessionUnsaved = false;  // saved whole
  playback_.cleanupArchive();
  EXPECT_TRUE(platform::fileExists(archive_ + session("score.json")));
}

TEST_F(ArchiveCleanup, AnUnsavedSessionLosesItsMidiFileAndRenditionToo) {
  generateSession(5);
  test::writeFileBytes(archive_ + session("Piano.mid"), {1});
  test::writeFileBytes(archive_ + session("PelkoL.wav"), {1});
  playback_.cleanupArchive();
  EXPECT_EQ(archiveFiles(), Names{});
}

TEST_F(ArchiveCleanup, LooksForTheMarksInTheFileNameNotInTheFolder) {
  const std::string odd = folder().file("my_Pelko_things_log.txt/");
  ASSERT_TRUE(platform::createFolder(odd));
  generateSession(5);
  state_.archiveFolder = odd;
  test::writeFileBytes(odd + session("Pelko.wav"), {1});
  test::writeFileBytes(odd + session("voice.wav"), {1});
  state_.logUnsaved = false;
  playback_.cleanupArchive();
  EXPECT_EQ(platform::listFiles(odd, ""), Names{}) << "a folder's name keeps nothing";
}

TEST_F(ArchiveCleanup, AFileThatCannotBeDeletedAsksToRetryOrCancel) {
  generateSession(5);
  writeOtherSession();
  const std::string stuck = archive_ + session("mixer_scratch.tmp");
  UndeletableFile guard(stuck, archive_);
  if (!guard.works()) GTEST_SKIP() << "this file system cannot make a file undeletable for root";

  window_.queueAnswer(MessageBoxAnswer::kRetry);
  window_.queueAnswer(MessageBoxAnswer::kCancel);
  playback_.cleanupArchive();
  guard.release();

  const MessageBoxRequest box{"Brisolt - File Error",
                              "Can't delete file: " + stuck + "\nbecause it's being used by another program.",
                              MessageBoxIcon::kWarning, MessageBoxButtons::kRetryCancel};
  EXPECT_EQ(window_.messageBoxes(), (std::vector<MessageBoxRequest>{box, box})) << "asked again after Retry";
  EXPECT_EQ(window_.unusedAnswers(), 0u);
  EXPECT_EQ(archiveFiles(), withOtherSession({session("mixer_scratch.tmp")}))
      << "Cancel leaves the file and the cleanup goes on with the next ones";
}

TEST_F(ArchiveCleanup, ABoxThatCannotBeShownDoesNotRetryForever) {
  generateSession(5);
  const std::string stuck = archive_ + session("log.txt");
  UndeletableFile guard(stuck, archive_);
  if (!guard.works()) GTEST_SKIP() << "this file system cannot make a file undeletable for root";
  playback_.cleanupArchive();  // no scripted answer: the box gives `none`
  guard.release();
  EXPECT_EQ(window_.messageBoxes().size(), 1u);
  EXPECT_EQ(archiveFiles(), Names{session("log.txt")});
}

}  // namespace
}  // namespace brisolt::playback::testing
