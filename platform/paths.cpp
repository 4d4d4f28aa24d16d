// Where the program lives and where temporary files go.
#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace brisolt::platform {

std::string executableFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return exe.parent_path().string();
}

std::string executableName() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return exe.filename().string();
}

std::string temporaryFolder() {
  const char* fromEnvironment = std::getenv("TMPDIR");
  std::string folder = (fromEnvironment && *fromEnvironment) ? fromEnvironment : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace brisolt::platform
