// The free-space check made before every Generate.
#include "session/disk_check.h"

#include <vector>

#include "audio/wave_format.h"
#include "compose/phrase_planner.h"

namespace brisolt {
namespace {

constexpr std::int64_t kMebibyte = 1024 * 1024;

std::int64_t roundedUpMb(std::int64_t bytes) { return (bytes + kMebibyte - 1) / kMebibyte; }

}  // namespace

RoomNeed roomNeeded(int phraseCount, int tempo, render::RenderEngine engine, bool rendition) {
  RoomNeed need;
  const int bars = phraseCount * compose::kBarsPerPhrase;
  const std::int64_t dataBytes = audio::predictedDataSize(bars, tempo);
  need.mixBytes = static_cast<std::int64_t>(audio::kHeaderSize) + dataBytes;
  if (rendition) {
    need.renditionBytes =
        static_cast<std::int64_t>(audio::kHeaderSize) + kRenditionBytesPerMixByte * dataBytes + kRenditionRingBytes;
  }
  need.temporaryBytes = static_cast<std::int64_t>(render::temporaryBytesNeeded(engine, phraseCount, tempo));
  return need;
}

DiskCheck checkDiskSpace(std::optional<std::uint64_t> freeBytes, std::int64_t temporaryBytes,
                         std::int64_t archiveBytes, std::int64_t renditionBytes) {
  DiskCheck check;
  check.temporaryMb = roundedUpMb(temporaryBytes);
  check.archiveMb = roundedUpMb(archiveBytes);
  check.renditionMb = roundedUpMb(renditionBytes);
  check.mixAndLogMb = roundedUpMb(archiveBytes - renditionBytes);
  check.needMb = roundedUpMb(temporaryBytes + archiveBytes);
  if (!freeBytes) {
    check.unknown = true;
    return check;
  }
  check.freeMb = static_cast<std::int64_t>(*freeBytes / kMebibyte);
  check.refused = *freeBytes < static_cast<std::uint64_t>(temporaryBytes + archiveBytes);
  return check;
}

std::string diskSpaceMessage(const DiskCheck& check) {
  std::string message = "Not enough space on disk.\nFree: " + std::to_string(check.freeMb) +
                        " MB\nNeed: " + std::to_string(check.needMb) + " MB";
  // One part alone is named without repeating the figure.
  if (check.archiveMb == 0) return message + " (voice files at the render's peak)";
  if (check.temporaryMb == 0 && check.renditionMb == 0) return message + " (the final mix and log)";
  std::vector<std::string> parts;
  if (check.temporaryMb > 0) parts.push_back(std::to_string(check.temporaryMb) + " MB of voice files at the render's peak");
  parts.push_back(std::to_string(check.mixAndLogMb) + " MB for the final mix and log");
  if (check.renditionMb > 0) parts.push_back(std::to_string(check.renditionMb) + " MB for the stereo rendition");
  message += " (";
  for (std::size_t i = 0; i < parts.size(); ++i) message += (i > 0 ? ", " : "") + parts[i];
  return message + ")";
}

}  // namespace brisolt
