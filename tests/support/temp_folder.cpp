// Private test folders and the $TMPDIR override.
#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace brisolt::test {

TempFolder::TempFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = (base && *base) ? base : "/tmp";
  if (pattern.back() != '/') pattern += '/';
  pattern += "brisolt-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a test folder from " + pattern);
  path_ = pattern + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ScopedTmpdir::ScopedTmpdir(const std::string& folder) {
  if (const char* old = std::getenv("TMPDIR")) saved_ = old;
  ::setenv("TMPDIR", folder.c_str(), 1);
}

ScopedTmpdir::~ScopedTmpdir() {
  if (saved_) ::setenv("TMPDIR", saved_->c_str(), 1);
  else ::unsetenv("TMPDIR");
}

}  // namespace brisolt::test
