// `brisolt compose` on a small disk: one 400 MB tmpfs holds both the archive
// and the temporary folder. A piece that fits there composes (the file
// engine's voice files included, so the room asked for is really enough);
// one that does not is refused before anything is written, with the figures.
// Mounting needs root: the tmpfs lives in a mount namespace of this test's
// own and vanishes with it; where that is not allowed the tests skip.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "tests/support/file_bytes.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"
#include "tests/support/watched_run.h"

namespace brisolt {
namespace {

using namespace std::chrono_literals;

constexpr auto kWatchdog = 300s;

class ComposeRoom : public test::TempFolderTest {
 protected:
  void SetUp() override {
    test::writeSyntheticBank(folder().file("Data.dat"));
    platform::createFolder(disk_);
    if (::unshare(CLONE_NEWNS) != 0) GTEST_SKIP() << "no mount namespace of our own: " << std::strerror(errno);
    // Nothing mounted here is seen outside this process and its children.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
      GTEST_SKIP() << "mounts cannot be made private: " << std::strerror(errno);
    if (::mount("tmpfs", disk_.c_str(), "tmpfs", 0, "size=400m") != 0)
      GTEST_SKIP() << "mounting a tmpfs is not allowed here: " << std::strerror(errno);
    mounted_ = true;
    platform::createFolder(temporary());
    tmpdir_.emplace(temporary());
  }
  void TearDown() override {
    tmpdir_.reset();
    if (mounted_) ::umount2(disk_.c_str(), MNT_DETACH);
  }

  std::string temporary() const { return disk_ + "/tmp"; }
  std::string archive() const { return disk_ + "/Archive/"; }
  std::int64_t freeMb() const {
    struct statvfs status {};
    if (::statvfs(disk_.c_str(), &status) != 0) return -1;
    return static_cast<std::int64_t>(status.f_bavail * status.f_frsize / (1024 * 1024));
  }
  test::WatchedRun compose(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), {"compose", "--data", folder().file("Data.dat"), "--archive", archive(), "-q"});
    return test::runWatched(BRISOLT_EXECUTABLE, arguments, folder().path(), kWatchdog);
  }

  const std::string disk_ = folder().file("disk");

 private:
  bool mounted_ = false;
  std::optional<test::ScopedTmpdir> tmpdir_;
};

TEST_F(ComposeRoom, FivePhrasesComposeWithBothFoldersOnIt) {
  for (const char* engine : {"files", "streaming"}) {
    SCOPED_TRACE(engine);
    const test::WatchedRun run = compose({"--phrases", "5", "--session-id", "1052", "--engine", engine, "--no-hifi"});
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string mix = run.out.substr(0, run.out.find('\n'));
    EXPECT_GT(test::fileSize(mix), 320u * 44100u) << "the whole mix: five phrases of 64 s";
    EXPECT_TRUE(platform::listNames(temporary(), "").empty()) << "the voice files are gone again";
  }
}

TEST_F(ComposeRoom, NinetyPhrasesAreRefusedBeforeAnythingIsWritten) {
  const std::int64_t free = freeMb();
  ASSERT_GT(free, 390);
  const std::string figures = "Not enough space on disk.\nFree: " + std::to_string(free) + " MB\nNeed: ";
  const std::string where = "\n(on the file system of '" + disk_ + "')";

  // The file engine: 17 files of the mix's length in the temporary folder.
  const test::WatchedRun files = compose({"--phrases", "90", "--engine", "files", "--no-hifi"});
  ASSERT_FALSE(files.timedOut);
  EXPECT_EQ(files.status, 5) << files.err;
  EXPECT_NE(files.err.find("brisolt compose: " + figures +
                           "4364 MB (4121 MB of voice files at the render's peak, 244 MB for the final mix and log)" +
                           where),
            std::string::npos)
      << files.err;

  // The streaming engine writes only the mix; with the stereo rendition
  // asked for, the two do not fit.
  const test::WatchedRun hifi = compose({"--phrases", "90", "--hifi"});
  ASSERT_FALSE(hifi.timedOut);
  EXPECT_EQ(hifi.status, 5) << hifi.err;
  EXPECT_NE(hifi.err.find(figures + "1215 MB (244 MB for the final mix and log, 972 MB for the stereo rendition)" +
                          where),
            std::string::npos)
      << hifi.err;

  EXPECT_FALSE(platform::nameExists(archive())) << "the refusal made no archive folder";
  EXPECT_TRUE(platform::listNames(temporary(), "").empty());
  EXPECT_EQ(freeMb(), free) << "nothing was written";
}

TEST_F(ComposeRoom, NinetyPhrasesStreamedWithoutTheRenditionFit) {
  // 244 MB of mix and log: the streaming engine needs nothing else.
  const test::WatchedRun run = compose({"--phrases", "90", "--session-id", "2011", "--no-hifi"});
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string mix = run.out.substr(0, run.out.find('\n'));
  EXPECT_GT(test::fileSize(mix), 5760u * 44100u) << "the whole mix: ninety phrases of 64 s";
}

}  // namespace
}  // namespace brisolt
