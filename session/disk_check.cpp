// The free-space check made before every Generate.
#include "session/disk_check.h"

#include "audio/wave_format.h"
#include "compose/phrase_planner.h"

namespace brisolt {
namespace {

constexpr std::int64_t kMebibyte = 1024 * 1024;

std::int64_t roundedUpMb(std::int64_t bytes) { return (bytes + kMebibyte - 1) / kMebibyte; }

}  // namespace

RoomNeed roomNeeded(int phraseCount, int tempo) {
  RoomNeed need;
  const int bars = phraseCount * compose::kBarsPerPhrase;
  need.mixBytes = static_cast<std::int64_t>(audio::kHeaderSize) + audio::predictedDataSize(bars, tempo);
  need.temporaryBytes = kTemporaryFilesAtPeak * need.mixBytes;
  return need;
}

DiskCheck checkDiskSpace(std::optional<std::uint64_t> freeBytes, std::int64_t temporaryBytes,
                         std::int64_t archiveBytes) {
  DiskCheck check;
  check.temporaryMb = roundedUpMb(temporaryBytes);
  check.archiveMb = roundedUpMb(archiveBytes);
  check.needMb = roundedUpMb(temporaryBytes + archiveBytes);
  if (!freeBytes) return check;
  check.freeMb = static_cast<std::int64_t>(*freeBytes / kMebibyte);
  check.refused = *freeBytes < static_cast<std::uint64_t>(temporaryBytes + archiveBytes);
  return check;
}

std::string diskSpaceMessage(const DiskCheck& check) {
  std::string message = "Not enough space on disk.\nFree: " + std::to_string(check.freeMb) +
                        " MB\nNeed: " + std::to_string(check.needMb) + " MB";
  if (check.temporaryMb > 0 && check.archiveMb > 0) {
    message += " (" + std::to_string(check.temporaryMb) + " MB of voice files at the render's peak, " +
               std::to_string(check.archiveMb) + " MB for the final mix and log)";
  } else if (check.temporaryMb > 0) {
    message += " (voice files at the render's peak)";
  } else {
    message += " (the final mix and log)";
  }
  return message;
}

}  // namespace brisolt
