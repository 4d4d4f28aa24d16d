// The file layer: shared reading and exclusive writing, byte counts at the edges, moves that never
// replace, temporary files, free space and listings.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>
#include <string>

#include "platform/files/file_handle.h"
#include "platform/files/file_system.h"
#include "platform/files/owned_names.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"

namespace brisolt::platform {
namespace {

using test::Bytes;
using test::readFileBytes;
using test::writeFileBytes;

class Files : public test::TempFolderTest {};

TEST_F(Files, OpeningForReadingNeedsAnExistingFile) {
  EXPECT_FALSE(File::openForReading(folder().file("missing")).isValid());
  EXPECT_FALSE(File::openForReading(folder().path()).isValid()) << "a folder is not a file";
  EXPECT_FALSE(File::openForReading("").isValid());
  writeFileBytes(folder().file("there"), {1, 2, 3});
  EXPECT_TRUE(File::openForReading(folder().file("there")).isValid());
}

TEST_F(Files, ReadersShareAFileButAWriterHasItAlone) {
  const std::string path = folder().file("held.wav");
  writeFileBytes(path, {1, 2, 3, 4});
  {
    File reader = File::openForReading(path);
    ASSERT_TRUE(reader.isValid());
    File second = File::openForReading(path);
    ASSERT_TRUE(second.isValid()) << "a second reader shares the file";
    char byte = 0;
    EXPECT_EQ(second.read(&byte, 1), 1u);
    EXPECT_EQ(byte, 1);
    OpenFailure failure;
    EXPECT_FALSE(File::createForWriting(path, &failure).isValid()) << "writer while read";
    EXPECT_EQ(failure.error, OpenError::kInUse);
    EXPECT_EQ(readFileBytes(path), (Bytes{1, 2, 3, 4})) << "a refused create must leave the contents";
  }
  File writer = File::createForWriting(path);
  ASSERT_TRUE(writer.isValid());
  OpenFailure failure;
  EXPECT_FALSE(File::openForReading(path, &failure).isValid()) << "reader while written";
  EXPECT_EQ(failure.error, OpenError::kInUse) << describeOpenFailure(failure);
  EXPECT_FALSE(File::createForWriting(path).isValid()) << "second writer";
  writer.close();
  EXPECT_TRUE(File::openForReading(path).isValid()) << "after an explicit close";
}

// Readers in other processes share the file too: the lock is the system's,
// not this process's.
TEST_F(Files, AnotherProcessReadsWhileThisOneReadsButNotWhileItWrites) {
  const std::string path = folder().file("shared.dat");
  writeFileBytes(path, {9});
  const auto childCanRead = [&path] {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(File::openForReading(path).isValid() ? 0 : 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  };
  {
    File reader = File::openForReading(path);
    ASSERT_TRUE(reader.isValid());
    EXPECT_TRUE(childCanRead());
  }
  File writer = File::createForWriting(path);
  ASSERT_TRUE(writer.isValid());
  EXPECT_FALSE(childCanRead());
}

TEST_F(Files, CreatingReplacesAnExistingFileWithAnEmptyOne) {
  const std::string path = folder().file("old.wav");
  writeFileBytes(path, Bytes(100, 7));
  File file = File::createForWriting(path);
  ASSERT_TRUE(file.isValid());
  EXPECT_EQ(test::fileSize(path), 0u);
  EXPECT_EQ(file.write("ab", 2), 2u);
  file.close();
  EXPECT_EQ(readFileBytes(path), (Bytes{'a', 'b'}));
  EXPECT_FALSE(File::createForWriting(folder().file("no/such/folder.wav")).isValid());
}

TEST_F(Files, TheInvalidHandleFailsEveryOperation) {
  File none;
  char buffer[4] = {};
  EXPECT_FALSE(none.seek(0));
  EXPECT_EQ(none.read(buffer, 4), 0u);
  EXPECT_EQ(none.write(buffer, 4), 0u);
  none.close();  // harmless
  EXPECT_FALSE(none.isValid());
}

TEST_F(Files, MovingAHandleLeavesOneOwnerThatClosesTheFile) {
  const std::string path = folder().file("moved");
  writeFileBytes(path, {9});
  File first = File::openForReading(path);
  File second = std::move(first);
  EXPECT_FALSE(first.isValid());  // NOLINT(bugprone-use-after-move): moved-from is the invalid handle
  EXPECT_TRUE(second.isValid());
  second = File();
  EXPECT_TRUE(File::openForReading(path).isValid()) << "assigning over a handle closes its file";
}

TEST_F(Files, ReadsDeliverFewerBytesOnlyAtTheEndAndSeeksAreAbsolute) {
  const std::string path = folder().file("ten");
  writeFileBytes(path, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  File file = File::openForReading(path);
  std::uint8_t buffer[16] = {};
  ASSERT_TRUE(file.seek(6));
  EXPECT_EQ(file.read(buffer, 16), 4u);
  EXPECT_EQ(buffer[0], 6);
  EXPECT_EQ(file.read(buffer, 16), 0u) << "at the end";
  ASSERT_TRUE(file.seek(2));
  EXPECT_EQ(file.read(buffer, 3), 3u);
  EXPECT_EQ(buffer[0], 2);
  EXPECT_TRUE(file.seek(1000)) << "past the end is a valid position";
  EXPECT_EQ(file.read(buffer, 1), 0u);
}

TEST_F(Files, WritesToAFullDeviceOrPastASizeLimitComeUpShort) {
  File full = File::createForWriting(test::kFullDevice);
  ASSERT_TRUE(full.isValid()) << test::kFullDevice;
  EXPECT_EQ(full.write("abcd", 4), 0u);

  File file = File::createForWriting(folder().file("limited"));
  const Bytes data(1000, 1);
  test::FileSizeLimit limit(600);
  EXPECT_EQ(file.write(data.data(), 1000), 600u);
  EXPECT_EQ(file.write(data.data(), 10), 0u);
}

TEST_F(Files, DeletingAndCreatingFoldersReportWhatHappened) {
  const std::string path = folder().file("gone");
  EXPECT_FALSE(deleteFile(path));
  writeFileBytes(path, {1});
  EXPECT_TRUE(deleteFile(path));
  EXPECT_FALSE(test::fileExists(path));

  const std::string sub = folder().file("Archive");
  EXPECT_TRUE(createFolder(sub));
  EXPECT_FALSE(createFolder(sub)) << "an existing folder";
  EXPECT_TRUE(std::filesystem::is_directory(sub));
  EXPECT_FALSE(deleteFile(sub)) << "folders are not deleted as files";
}

TEST_F(Files, MovingNeverReplacesAnExistingFile) {
  const std::string from = folder().file("scratch");
  const std::string to = folder().file("stem.wav");
  writeFileBytes(from, {1, 2});
  writeFileBytes(to, {3});
  EXPECT_FALSE(moveFile(from, to));
  EXPECT_EQ(readFileBytes(from), (Bytes{1, 2}));
  EXPECT_EQ(readFileBytes(to), (Bytes{3}));

  ASSERT_TRUE(deleteFile(to));
  EXPECT_TRUE(moveFile(from, to));
  EXPECT_FALSE(test::fileExists(from));
  EXPECT_EQ(readFileBytes(to), (Bytes{1, 2}));
  EXPECT_FALSE(moveFile(folder().file("missing"), folder().file("other")));
  EXPECT_FALSE(moveFile(to, folder().file("no/folder/x"))) << "destination folder missing";
  EXPECT_TRUE(test::fileExists(to));
}

TEST_F(Files, TemporaryFilesAreNewEmptyAndInTheTemporaryFolder) {
  const std::string first = createTemporaryFile();
  const std::string second = createTemporaryFile();
  ASSERT_FALSE(first.empty());
  EXPECT_NE(first, second);
  EXPECT_EQ(first.rfind(folder().path(), 0), 0u) << first << " not in " << folder().path();
  EXPECT_TRUE(test::fileExists(first));
  EXPECT_EQ(test::fileSize(first), 0u);
  const std::string name = first.substr(folder().path().size());
  EXPECT_EQ(ownerOfName(name), ::getpid()) << name << " must carry this process's id";

  test::ScopedTmpdir missing(folder().file("missing"));
  EXPECT_EQ(createTemporaryFile(), "");
}

TEST_F(Files, FreeBytesAgreesWithTheStandardLibrary) {
  const auto free = freeBytes(folder().path());
  ASSERT_TRUE(free.has_value());
  const auto expected = std::filesystem::space(folder().path()).available;
  // Other programs write meanwhile: agree within 64 MiB.
  EXPECT_NEAR(static_cast<double>(*free), static_cast<double>(expected), 64.0 * 1024 * 1024);
  EXPECT_FALSE(freeBytes(folder().file("missing")).has_value());
}

TEST_F(Files, ListingFindsTheFilesWhoseNamesStartWithThePrefix) {
  for (const char* name : {"240131_142507_Pelko.wav", "240131_142507_log.txt", "240131_142507_Pelko_03.wav",
                           "240131_150000_Pelko.wav", "other"}) {
    writeFileBytes(folder().file(name), {0});
  }
  createFolder(folder().file("240131_142507_folder"));
  const std::vector<std::string> expected = {"240131_142507_Pelko.wav", "240131_142507_Pelko_03.wav",
                                             "240131_142507_log.txt"};
  EXPECT_EQ(listFiles(folder().path(), "240131_142507_"), expected);
  EXPECT_EQ(listFiles(folder().path(), "").size(), 5u);
  EXPECT_TRUE(listFiles(folder().file("missing"), "").empty());
}

}  // namespace
}  // namespace brisolt::platform
