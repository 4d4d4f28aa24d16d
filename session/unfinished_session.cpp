// Marks of sessions in the making, and the sweep of those whose maker died.
#include "session/unfinished_session.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <string_view>

#include "platform/files/file_handle.h"
#include "platform/files/file_system.h"
#include "platform/files/owned_names.h"
#include "platform/paths.h"

namespace brisolt {
namespace {

constexpr std::string_view kMark = "unfinished-";

// The owner named by a mark "<prefix>unfinished-<pid>", with its prefix; 0
// when `name` is no mark.
pid_t markOwner(std::string_view name, std::string& prefix) {
  const std::size_t at = name.rfind(kMark);
  if (at == std::string_view::npos || at == 0 || name[at - 1] != '_') return 0;
  const std::string_view digits = name.substr(at + kMark.size());
  if (digits.empty() || digits.size() > 10 || digits.front() == '0') return 0;
  long long pid = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  if (error != std::errc() || end != digits.data() + digits.size() || pid <= 0 || pid > 0x7fffffff) return 0;
  prefix = std::string(name.substr(0, at));
  return static_cast<pid_t>(pid);
}

}  // namespace

std::string unfinishedMarkName(const std::string& prefix, pid_t pid) {
  return prefix + std::string(kMark) + std::to_string(pid);
}

UnfinishedMark::UnfinishedMark(const Session& session) {
  if (session.prefix.empty()) return;
  const std::string path = session.archiveFolder + unfinishedMarkName(session.prefix, ::getpid());
  if (platform::File::createNew(path)) path_ = path;
}

UnfinishedMark::~UnfinishedMark() { lift(); }

void UnfinishedMark::lift() {
  if (path_.empty()) return;
  platform::deleteFile(path_);
  path_.clear();
}

int removeAbandonedSessions(const std::string& archiveFolder) {
  const pid_t self = ::getpid();
  int removed = 0;
  for (const std::string& name : platform::listFiles(archiveFolder, "")) {
    std::string prefix;
    const pid_t owner = markOwner(name, prefix);
    if (owner == 0 || owner == self || platform::processExists(owner)) continue;
    // Only one sweep gets the rename; the others find the old name gone.
    const std::string taken = archiveFolder + unfinishedMarkName(prefix, self);
    if (std::rename((archiveFolder + name).c_str(), taken.c_str()) != 0) continue;
    // The log holds the prefix against new claims, so it goes last.
    const Session session{archiveFolder, prefix};
    for (const std::string& file : platform::listFiles(archiveFolder, prefix)) {
      const std::string path = archiveFolder + file;
      if (path != taken && path != session.logFile()) platform::deleteFile(path);
    }
    platform::deleteFile(session.logFile());
    platform::deleteFile(taken);
    ++removed;
  }
  return removed;
}

int sweepLeftovers(const std::string& archiveFolder) {
  int removed = platform::removeStaleTemporaryFiles(platform::temporaryFolder());
  if (platform::fileExists(archiveFolder)) {
    removed += removeAbandonedSessions(archiveFolder);
    removed += platform::removeStaleTemporaryFiles(archiveFolder);
  }
  return removed;
}

}  // namespace brisolt
