// POSIX implementations of the file and folder operations by name.
#include "platform/files/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <memory>

#include "platform/files/file_handle.h"
#include "platform/files/owned_names.h"
#include "platform/paths.h"

namespace brisolt::platform {

bool nameExists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

bool fileExists(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0;
}

namespace {

// Copies `source` to a new `destination` and then deletes `source`: the move
// between file systems, where no rename can do it.
bool copyThenDelete(const std::string& source, const std::string& destination) {
  File from = File::openForReading(source);
  if (!from || nameExists(destination)) return false;
  File to = File::createForWriting(destination);
  if (!to) return false;
  std::array<char, 65536> buffer{};
  bool complete = true;
  while (std::uint32_t got = from.read(buffer.data(), buffer.size())) {
    if (to.write(buffer.data(), got) != got) {
      complete = false;
      break;
    }
  }
  from.close();
  to.close();
  if (!complete) {
    ::unlink(destination.c_str());
    return false;
  }
  return ::unlink(source.c_str()) == 0;
}

}  // namespace

bool deleteFile(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || S_ISDIR(status.st_mode)) return false;
  return ::unlink(path.c_str()) == 0;
}

bool moveFile(const std::string& source, const std::string& destination) {
  if (!nameExists(source)) return false;
  if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno == EXDEV) return copyThenDelete(source, destination);
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the no-replace rename: a hard link cannot replace either.
  if (::link(source.c_str(), destination.c_str()) == 0) return ::unlink(source.c_str()) == 0;
  return errno == EXDEV ? copyThenDelete(source, destination) : false;
}

bool createFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

std::string createTemporaryFile() {
  std::string name = temporaryFolder() + temporaryNamePrefix(::getpid()) + "XXXXXX.tmp";
  const int descriptor = ::mkstemps(name.data(), 4);
  if (descriptor < 0) return {};
  ::close(descriptor);
  return name;
}

std::optional<std::uint64_t> freeBytes(const std::string& folder) {
  struct statvfs status {};
  if (::statvfs(folder.c_str(), &status) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(status.f_bavail) * status.f_frsize;
}

std::optional<std::uint64_t> fileSystemId(const std::string& folder) {
  struct stat status {};
  if (::stat(folder.c_str(), &status) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(status.st_dev);
}

std::vector<std::string> listFiles(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
  if (!listing) return names;
  std::string base = folder;
  if (!base.empty() && base.back() != '/') base += '/';
  while (const dirent* entry = ::readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    struct stat status {};
    if (::stat((base + name).c_str(), &status) == 0 && S_ISREG(status.st_mode)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> listNames(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
  if (!listing) return names;
  while (const dirent* entry = ::readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (name.compare(0, prefix.size(), prefix) == 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool canRead(const std::string& path) { return ::access(path.c_str(), R_OK) == 0; }

bool canWriteInto(const std::string& folder) {
  return ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
}

bool canRun(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

}  // namespace brisolt::platform
