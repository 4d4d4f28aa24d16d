// Names that are not plain files: FIFOs, devices, folders and links are
// refused at once (never waited on) and never written through.
#include <gtest/gtest.h>

#include <chrono>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/files/file_check.h"
#include "platform/files/file_handle.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace brisolt::platform {
namespace {

using test::Bytes;
using test::readFileBytes;
using test::writeFileBytes;

class NonRegularFiles : public test::TempFolderTest {
 protected:
  std::string makeFifo(const std::string& name) const {
    const std::string path = folder().file(name);
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
    return path;
  }
  std::string makeLink(const std::string& name, const std::string& target) const {
    const std::string path = folder().file(name);
    EXPECT_EQ(::symlink(target.c_str(), path.c_str()), 0) << path;
    return path;
  }
};

TEST_F(NonRegularFiles, TheCheckNamesWhatAPathIs) {
  writeFileBytes(folder().file("plain"), {1});
  EXPECT_EQ(checkRegularFile(folder().file("plain")), FileCheck::kRegular);
  EXPECT_EQ(checkRegularFile(makeLink("to-plain", folder().file("plain"))), FileCheck::kRegular);
  EXPECT_EQ(checkRegularFile(folder().file("missing")), FileCheck::kMissing);
  EXPECT_EQ(checkRegularFile(makeLink("dangling", folder().file("nowhere"))), FileCheck::kMissing);
  EXPECT_EQ(checkRegularFile(folder().path()), FileCheck::kFolder);
  EXPECT_EQ(checkRegularFile(makeFifo("fifo")), FileCheck::kDeviceOrPipe);
  EXPECT_EQ(checkRegularFile("/dev/zero"), FileCheck::kDeviceOrPipe);
  EXPECT_EQ(checkRegularFile(makeLink("to-zero", "/dev/zero")), FileCheck::kDeviceOrPipe);
  EXPECT_STREQ(describeFileCheck(FileCheck::kDeviceOrPipe), "is a FIFO, device or socket, not a file");
}

TEST_F(NonRegularFiles, AFileWithoutReadPermissionIsUnreadable) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  writeFileBytes(folder().file("secret"), {1});
  ASSERT_EQ(::chmod(folder().file("secret").c_str(), 0), 0);
  EXPECT_EQ(checkRegularFile(folder().file("secret")), FileCheck::kUnreadable);
  OpenFailure failure;
  EXPECT_FALSE(File::openForReading(folder().file("secret"), &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kNoAccess);
}

TEST_F(NonRegularFiles, ReadingAFifoOrADeviceIsRefusedAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  OpenFailure failure;
  EXPECT_FALSE(File::openForReading(makeFifo("fifo"), &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kNotRegular) << describeOpenFailure(failure);
  EXPECT_FALSE(File::openForReading("/dev/zero", &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kNotRegular);
  EXPECT_FALSE(File::openForReading(makeLink("to-zero", "/dev/zero"), &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kNotRegular);
  EXPECT_FALSE(File::openForReading(folder().path(), &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kFolder);
  EXPECT_FALSE(File::openForReading(folder().file("missing"), &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kMissing);
  // A blocking open of the FIFO would never return: reaching here is the test.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(NonRegularFiles, ReadingFollowsALinkToARegularFile) {
  writeFileBytes(folder().file("plain"), {7});
  File file = File::openForReading(makeLink("link", folder().file("plain")));
  ASSERT_TRUE(file.isValid());
  char byte = 0;
  EXPECT_EQ(file.read(&byte, 1), 1u);
  EXPECT_EQ(byte, 7);
}

TEST_F(NonRegularFiles, CreatingNeverWritesThroughALinkOrIntoAFifo) {
  const std::string target = folder().file("target");
  writeFileBytes(target, {1, 2, 3});
  const std::string link = makeLink("link", target);
  OpenFailure failure;
  EXPECT_FALSE(File::createForWriting(link, &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kLink) << describeOpenFailure(failure);
  EXPECT_EQ(readFileBytes(target), (Bytes{1, 2, 3})) << "the link's target must be untouched";
  EXPECT_FALSE(File::createForWriting(makeLink("dangling", folder().file("new")), &failure).isValid());
  EXPECT_FALSE(test::fileExists(folder().file("new"))) << "a dangling link must not create its target";

  EXPECT_FALSE(File::createForWriting(makeFifo("fifo"), &failure).isValid()) << "no reader: refused at once";
  EXPECT_EQ(failure.error, OpenError::kNotRegular);
  EXPECT_FALSE(File::createForWriting(folder().path(), &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kFolder);
  EXPECT_TRUE(File::createForWriting("/dev/null").isValid()) << "a character device is written as it is";
}

TEST_F(NonRegularFiles, CreatingNewRefusesEveryTakenName) {
  const std::string path = folder().file("new.log");
  File file = File::createNew(path);
  ASSERT_TRUE(file.isValid());
  EXPECT_EQ(file.write("ab", 2), 2u);
  file.close();

  OpenFailure failure;
  EXPECT_FALSE(File::createNew(path, &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kExists) << describeOpenFailure(failure);
  EXPECT_EQ(readFileBytes(path), (Bytes{'a', 'b'}));

  writeFileBytes(folder().file("target"), {5});
  EXPECT_FALSE(File::createNew(makeLink("link", folder().file("target")), &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kLink);
  EXPECT_FALSE(File::createNew(makeLink("dangling", folder().file("nowhere")), &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kLink);
  EXPECT_FALSE(test::fileExists(folder().file("nowhere")));
  EXPECT_FALSE(File::createNew(makeFifo("fifo"), &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kExists);
  EXPECT_FALSE(File::createNew(folder().file("no/folder/x"), &failure).isValid());
  EXPECT_EQ(failure.error, OpenError::kMissing);
  EXPECT_NE(describeOpenFailure(failure).find("No such file"), std::string::npos) << describeOpenFailure(failure);
}

}  // namespace
}  // namespace brisolt::platform
