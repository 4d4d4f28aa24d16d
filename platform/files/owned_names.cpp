// Owner ids in file names, and the sweep of the names of dead owners.
#include "platform/files/owned_names.h"

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <memory>
#include <string_view>

namespace brisolt::platform {
namespace {

constexpr std::string_view kTemporaryStart = "brisolt-";
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr std::string_view kPartialMark = ".partial-";
constexpr std::size_t kUniquePartLength = 6;  // mkstemps' XXXXXX

// A whole decimal process id (no sign, no spaces), or 0.
pid_t parsePid(std::string_view digits) {
  if (digits.empty() || digits.size() > 10 || digits.front() == '0') return 0;
  long long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || value <= 0 || value > 0x7fffffff) return 0;
  return static_cast<pid_t>(value);
}

pid_t ownerOfTemporaryName(std::string_view name) {
  if (!name.starts_with(kTemporaryStart) || !name.ends_with(kTemporaryEnd)) return 0;
  name.remove_prefix(kTemporaryStart.size());
  name.remove_suffix(kTemporaryEnd.size());
  // "<pid>-XXXXXX"
  if (name.size() < kUniquePartLength + 2 || name[name.size() - kUniquePartLength - 1] != '-') return 0;
  return parsePid(name.substr(0, name.size() - kUniquePartLength - 1));
}

pid_t ownerOfPartialName(std::string_view name) {
  const std::size_t mark = name.rfind(kPartialMark);
  if (mark == std::string_view::npos || mark == 0) return 0;
  return parsePid(name.substr(mark + kPartialMark.size()));
}

}  // namespace

std::string temporaryNamePrefix(pid_t pid) { return std::string(kTemporaryStart) + std::to_string(pid) + "-"; }

std::string partialName(const std::string& finalPath, pid_t pid) {
  return finalPath + std::string(kPartialMark) + std::to_string(pid);
}

pid_t ownerOfName(const std::string& name) {
  const pid_t owner = ownerOfTemporaryName(name);
  return owner != 0 ? owner : ownerOfPartialName(name);
}

bool processExists(pid_t pid) { return pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH); }

int removeStaleTemporaryFiles(const std::string& folder) {
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
  if (!listing) return 0;
  std::string base = folder;
  if (!base.empty() && base.back() != '/') base += '/';
  int removed = 0;
  while (const dirent* entry = ::readdir(listing.get())) {
    const std::string name = entry->d_name;
    const pid_t owner = ownerOfName(name);
    if (owner == 0 || owner == ::getpid() || processExists(owner)) continue;
    const std::string path = base + name;
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || S_ISDIR(status.st_mode)) continue;
    if (::unlink(path.c_str()) == 0) ++removed;
  }
  return removed;
}

}  // namespace brisolt::platform
