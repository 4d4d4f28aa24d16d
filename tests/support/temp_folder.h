// A private folder for one test, removed with everything in it afterwards,
// and a GoogleTest fixture that gives each test one and makes it the
// program's temporary folder ($TMPDIR) for the length of the test.
//
//   TEST_F(TempFolderTest, Something) {
//     writeFileBytes(folder().file("a.wav"), {...});
//     // platform::temporaryFolder() == folder().path() here
//   }
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace brisolt::test {

class TempFolder {
 public:
  // Creates a new folder under the system's temporary folder (or $TMPDIR).
  TempFolder();
  // Removes the folder and all it holds.
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, ending in '/'.
  const std::string& path() const { return path_; }
  // The path of `name` inside the folder.
  std::string file(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Sets $TMPDIR to `folder` for its lifetime and restores the old value after.
class ScopedTmpdir {
 public:
  explicit ScopedTmpdir(const std::string& folder);
  ~ScopedTmpdir();
  ScopedTmpdir(const ScopedTmpdir&) = delete;
  ScopedTmpdir& operator=(const ScopedTmpdir&) = delete;

 private:
  std::optional<std::string> saved_;
};

// Fixture: a TempFolder per test, installed as $TMPDIR.
class TempFolderTest : public ::testing::Test {
 protected:
  TempFolderTest() : tmpdir_(folder_.path()) {}
  const TempFolder& folder() const { return folder_; }

 private:
  TempFolder folder_;
  ScopedTmpdir tmpdir_;
};

}  // namespace brisolt::test
