#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace brisolt::platform {
namespace {

TEST(Paths, ExecutableFolderIsTheFolderOfThisTestProgram) {
  const std::string folder = executableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '/');
  EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
  EXPECT_TRUE(std::filesystem::exists(folder + "/platform_core_test")) << folder;
}

class TemporaryFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* saved = std::getenv("TMPDIR");
    hadTmpdir_ = saved != nullptr;
    if (saved) saved_ = saved;
  }
  void TearDown() override {
    if (hadTmpdir_) setenv("TMPDIR", saved_.c_str(), 1);
    else unsetenv("TMPDIR");
  }
  bool hadTmpdir_ = false;
  std::string saved_;
};

TEST_F(TemporaryFolder, FollowsTmpdirAndAlwaysEndsInASlash) {
  setenv("TMPDIR", "/var/tmp/brisolt", 1);
  EXPECT_EQ(temporaryFolder(), "/var/tmp/brisolt/");
  setenv("TMPDIR", "/var/tmp/brisolt/", 1);
  EXPECT_EQ(temporaryFolder(), "/var/tmp/brisolt/");
}

TEST_F(TemporaryFolder, FallsBackToTmpWhenTmpdirIsUnsetOrEmpty) {
  unsetenv("TMPDIR");
  EXPECT_EQ(temporaryFolder(), "/tmp/");
  setenv("TMPDIR", "", 1);
  EXPECT_EQ(temporaryFolder(), "/tmp/");
}

}  // namespace
}  // namespace brisolt::platform
