// Files named after their owner process, the sweep that removes only those of
// dead owners, and final files that appear only when complete.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/files/file_in_place.h"
#include "platform/files/file_system.h"
#include "platform/files/owned_names.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"

namespace brisolt::platform {
namespace {

using test::Bytes;
using test::fileExists;
using test::readFileBytes;
using test::writeFileBytes;

// The id of a process that has ended and been reaped.
pid_t deadProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

class OwnedNames : public test::TempFolderTest {};

TEST_F(OwnedNames, BothFormsCarryTheirOwnersId) {
  EXPECT_EQ(ownerOfName(temporaryNamePrefix(4242) + "a1B2c3.tmp"), 4242);
  EXPECT_EQ(ownerOfName("240131_142507_Pelko.wav.partial-77"), 77);
  EXPECT_EQ(partialName("/a/b/Pelko.wav", 12), "/a/b/Pelko.wav.partial-12");
  EXPECT_EQ(ownerOfName(partialName("Pelko.wav", 12)), 12);
  for (const char* other : {"XXXXXX.tmp", "brisolt-12-abc.tmp", "brisolt--abcdef.tmp", "brisolt-x1-abcdef.tmp",
                            "brisolt-012-abcdef.tmp", "brisolt-12-abcdef.wav", "Pelko.wav.partial-", ".partial-5",
                            "Pelko.wav.partial-5x", "Pelko.wav.partial--5", "brisolt-99999999999-abcdef.tmp",
                            "240131_142507_log.txt"}) {
    EXPECT_EQ(ownerOfName(other), 0) << other;
  }
}

TEST_F(OwnedNames, ProcessesAreKnownAliveUntilReaped) {
  EXPECT_TRUE(processExists(::getpid()));
  EXPECT_TRUE(processExists(1)) << "another user's process counts as alive";
  EXPECT_FALSE(processExists(deadProcess()));
  EXPECT_FALSE(processExists(0));
}

TEST_F(OwnedNames, TheSweepRemovesOnlyTheFilesOfDeadOwners) {
  const pid_t dead = deadProcess();
  const std::string deadTemporary = folder().file(temporaryNamePrefix(dead) + "abcdef.tmp");
  const std::string deadPartial = partialName(folder().file("240131_142507_Pelko.wav"), dead);
  const std::string ownTemporary = createTemporaryFile();
  const std::string liveTemporary = folder().file(temporaryNamePrefix(1) + "abcdef.tmp");
  const std::string livePartial = partialName(folder().file("Pelko.wav"), ::getppid());
  const std::string unrelated = folder().file("notes.tmp");
  for (const std::string& path : {deadTemporary, deadPartial, liveTemporary, livePartial, unrelated}) {
    writeFileBytes(path, {1});
  }
  const std::string deadFolder = folder().file(temporaryNamePrefix(dead) + "folder.tmp");
  ASSERT_EQ(::mkdir(deadFolder.c_str(), 0700), 0);
  const std::string target = folder().file("target");
  writeFileBytes(target, {3});
  const std::string deadLink = folder().file(temporaryNamePrefix(dead) + "zzzzzz.tmp");
  ASSERT_EQ(::symlink(target.c_str(), deadLink.c_str()), 0);

  EXPECT_EQ(removeStaleTemporaryFiles(folder().path()), 3);
  EXPECT_FALSE(fileExists(deadTemporary));
  EXPECT_FALSE(fileExists(deadPartial));
  struct stat status {};
  EXPECT_NE(::lstat(deadLink.c_str(), &status), 0) << "the link itself goes";
  EXPECT_EQ(readFileBytes(target), (Bytes{3})) << "its target stays";
  for (const std::string& path : {ownTemporary, liveTemporary, livePartial, unrelated, deadFolder}) {
    EXPECT_TRUE(fileExists(path) || ::stat(path.c_str(), &status) == 0) << path << " must stay";
  }
  EXPECT_EQ(removeStaleTemporaryFiles(folder().file("missing")), 0);
}

class FileInPlaceTest : public test::TempFolderTest {
 protected:
  std::string final() const { return folder().file("240131_142507_Pelko.wav"); }
  std::string partial() const { return partialName(final(), ::getpid()); }
};

TEST_F(FileInPlaceTest, TheFinalNameAppearsOnlyOnCommit) {
  FileInPlace file = FileInPlace::create(final());
  ASSERT_TRUE(file.isValid());
  EXPECT_EQ(file.partialPath(), partial());
  EXPECT_EQ(file.file().write("abc", 3), 3u);
  EXPECT_FALSE(fileExists(final()));
  EXPECT_TRUE(fileExists(partial()));
  EXPECT_EQ(file.commit(), CommitResult::kCommitted);
  EXPECT_EQ(readFileBytes(final()), (Bytes{'a', 'b', 'c'}));
  EXPECT_FALSE(fileExists(partial()));
  EXPECT_EQ(file.commit(), CommitResult::kNotOpen) << "a second commit has nothing to put in place";
}

TEST_F(FileInPlaceTest, WithoutACommitNothingIsLeft) {
  writeFileBytes(final(), {9});
  {
    FileInPlace file = FileInPlace::create(final());
    ASSERT_TRUE(file.isValid());
    file.file().write("abc", 3);
  }
  EXPECT_FALSE(fileExists(partial()));
  EXPECT_EQ(readFileBytes(final()), (Bytes{9})) << "the old final file is untouched";
  FileInPlace moved;
  {
    FileInPlace file = FileInPlace::create(final());
    moved = std::move(file);
  }
  EXPECT_TRUE(fileExists(partial())) << "the moved-from owner removes nothing";
  moved.abandon();
  EXPECT_FALSE(fileExists(partial()));
}

TEST_F(FileInPlaceTest, ACommitReplacesALinkAsANameNeverItsTarget) {
  const std::string target = folder().file("outside");
  writeFileBytes(target, {1, 2});
  ASSERT_EQ(::symlink(target.c_str(), final().c_str()), 0);
  FileInPlace file = FileInPlace::create(final());
  ASSERT_TRUE(file.isValid());
  file.file().write("z", 1);
  EXPECT_EQ(file.commit(), CommitResult::kCommitted);
  EXPECT_EQ(readFileBytes(target), (Bytes{1, 2}));
  EXPECT_EQ(readFileBytes(final()), (Bytes{'z'}));
}

TEST_F(FileInPlaceTest, ACommitThatMayNotReplaceLeavesTheTakenNameAndRemovesTheWork) {
  writeFileBytes(final(), {9});
  FileInPlace file = FileInPlace::create(final());
  file.file().write("abc", 3);
  EXPECT_EQ(file.commit(Replace::kNever), CommitResult::kExists);
  EXPECT_EQ(readFileBytes(final()), (Bytes{9}));
  EXPECT_FALSE(fileExists(partial()));
}

TEST_F(FileInPlaceTest, APlantedPartialNameIsRefused) {
  ASSERT_EQ(::symlink(folder().file("elsewhere").c_str(), partial().c_str()), 0);
  OpenFailure failure;
  FileInPlace file = FileInPlace::create(final(), &failure);
  EXPECT_FALSE(file.isValid());
  EXPECT_EQ(failure.error, OpenError::kLink);
  EXPECT_FALSE(fileExists(folder().file("elsewhere")));
  EXPECT_EQ(file.commit(), CommitResult::kNotOpen);
  EXPECT_FALSE(FileInPlace::create(folder().file("no/folder/x"), &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kMissing);
}

TEST_F(FileInPlaceTest, AWriteCutShortByASizeLimitLeavesNoFinalFile) {
  {
    FileInPlace file = FileInPlace::create(final());
    ASSERT_TRUE(file.isValid());
    const Bytes block(1000, 1);
    test::FileSizeLimit limit(500);
    EXPECT_LT(file.file().write(block.data(), 1000), 1000u);
    // The writer sees the short write and does not commit.
  }
  EXPECT_FALSE(fileExists(final()));
  EXPECT_FALSE(fileExists(partial()));
}

}  // namespace
}  // namespace brisolt::platform
