// The mark of a session in the making and the start-up sweep: a session whose
// maker was killed goes, with every file of it; sessions of live processes,
// finished sessions and files of other programs stay.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "platform/files/owned_names.h"
#include "platform/paths.h"
#include "session/unfinished_session.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

// The id of a process that has ended (and was reaped).
pid_t deadProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return child;
}

class UnfinishedSessions : public test::TempFolderTest {
 protected:
  UnfinishedSessions() {
    platform::createFolder(archive());
  }
  std::string archive() const { return folder().file("Archive/"); }
  void make(const std::string& name) const { test::writeFileBytes(archive() + name, {1, 2, 3}); }
  std::vector<std::string> archiveFiles() const { return platform::listFiles(archive(), ""); }
};

TEST_F(UnfinishedSessions, AMarkStandsFromTheClaimUntilLiftedOrDestroyed) {
  const Session session{archive(), "261209_043000_"};
  const std::string mark = archive() + unfinishedMarkName(session.prefix, ::getpid());
  {
    UnfinishedMark marked(session);
    EXPECT_TRUE(marked.placed());
    EXPECT_TRUE(platform::fileExists(mark));
    marked.lift();
    EXPECT_FALSE(platform::nameExists(mark));
  }
  {
    const UnfinishedMark marked(session);
    EXPECT_TRUE(platform::fileExists(mark));
  }
  EXPECT_FALSE(platform::nameExists(mark)) << "the mark outlived the run";
}

TEST_F(UnfinishedSessions, TheSessionOfADeadMakerGoesWholeAndOthersStay) {
  const pid_t dead = deadProcess();
  // Killed while writing its mix: the log, the partial mix, the mark.
  make("261209_043000_log.txt");
  make(platform::partialName(archive() + "261209_043000_Pelko.wav", dead).substr(archive().size()));
  make(unfinishedMarkName("261209_043000_", dead));
  // A parallel run still at work.
  make("261209_043001_log.txt");
  make(unfinishedMarkName("261209_043001_", ::getppid()));
  // A finished session, and a file that is not Brisolt's.
  make("261209_042959_log.txt");
  make("261209_042959_Pelko.wav");
  make("notes.txt");

  EXPECT_EQ(removeAbandonedSessions(archive()), 1);
  EXPECT_EQ(archiveFiles(), (std::vector<std::string>{"261209_042959_Pelko.wav", "261209_042959_log.txt",
                                                      "261209_043001_log.txt",
                                                      unfinishedMarkName("261209_043001_", ::getppid()),
                                                      "notes.txt"}));
  EXPECT_EQ(removeAbandonedSessions(archive()), 0) << "nothing more to sweep";
}

TEST_F(UnfinishedSessions, NamesThatOnlyLookLikeMarksAreLeftAlone) {
  const pid_t dead = deadProcess();
  const std::string ids = std::to_string(dead);
  make("261209_043000_log.txt");
  for (const std::string& name : std::vector<std::string>{"unfinished-" + ids, "261209_043000_unfinished-", "261209_043000_unfinished-0" + ids,
                                  "261209_043000_unfinished-" + ids + "x", "261209_043000unfinished-" + ids}) {
    make(name);
  }
  const std::vector<std::string> before = archiveFiles();
  EXPECT_EQ(removeAbandonedSessions(archive()), 0);
  EXPECT_EQ(archiveFiles(), before);
}

TEST_F(UnfinishedSessions, TheStartUpSweepClearsTheTemporaryFolderAndTheArchiveOfDeadProcessesOnly) {
  const pid_t dead = deadProcess();
  const std::string deadTemporary = folder().file(platform::temporaryNamePrefix(dead) + "a1b2c3.tmp");
  const std::string liveTemporary = folder().file(platform::temporaryNamePrefix(::getppid()) + "d4e5f6.tmp");
  test::writeFileBytes(deadTemporary, {1});
  test::writeFileBytes(liveTemporary, {1});
  make("261209_043000_log.txt");
  make(unfinishedMarkName("261209_043000_", dead));
  const std::string strayPartial = platform::partialName(archive() + "261209_042000_Pelko.wav", dead);
  test::writeFileBytes(strayPartial, {1});

  ASSERT_EQ(platform::temporaryFolder(), folder().path());
  EXPECT_EQ(sweepLeftovers(archive()), 3);
  EXPECT_FALSE(platform::nameExists(deadTemporary));
  EXPECT_TRUE(platform::fileExists(liveTemporary));
  EXPECT_EQ(archiveFiles(), std::vector<std::string>{});
  EXPECT_EQ(sweepLeftovers(folder().file("Missing/")), 0) << "an archive not made yet is no error";
}

}  // namespace
}  // namespace brisolt
