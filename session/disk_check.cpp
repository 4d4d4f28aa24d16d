// The free-space check made before every Generate.
#include "session/disk_check.h"

#include "platform/files/file_system.h"

namespace brisolt {

DiskCheck checkDiskSpace(std::optional<std::uint64_t> freeBytes, int phraseCount) {
  DiskCheck check;
  check.needMb = static_cast<std::int64_t>(phraseCount) * kMegabytesPerPhrase;
  if (!freeBytes) return check;
  check.freeMb = static_cast<std::int64_t>(*freeBytes / (1024 * 1024));
  check.refused = check.freeMb != 0 && check.freeMb < check.needMb;
  return check;
}

DiskCheck checkDiskSpace(const std::string& folder, int phraseCount) {
  return checkDiskSpace(platform::freeBytes(folder), phraseCount);
}

std::string diskSpaceMessage(const DiskCheck& check) {
  return "Not enough space on disk.\nFree: " + std::to_string(check.freeMb) +
         " MB\nNeed: " + std::to_string(check.needMb) + " MB";
}

}  // namespace brisolt
