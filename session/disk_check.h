// The free-space check made before every Generate: the room the render needs
// at its peak, worked out from the length of the piece. The voice files and
// stems in the temporary folder peak at about seventeen files as long as the
// piece (48 MB per phrase at 60 beats a minute); the archive takes the final
// mix and the log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brisolt {

// Files of the piece's length alive at once in the temporary folder at the
// render's peak (measured: voice files of one group plus the stems).
inline constexpr std::int64_t kTemporaryFilesAtPeak = 17;
// Room kept for the log and the file system's own blocks.
inline constexpr std::int64_t kArchiveMarginBytes = 1024 * 1024;

// The bytes a piece needs on each side at the render's peak.
struct RoomNeed {
  std::int64_t mixBytes = 0;        // the final mix, header included
  std::int64_t temporaryBytes = 0;  // voice files and stems at their peak
  std::int64_t archiveBytes() const { return mixBytes + kArchiveMarginBytes; }
};

// The need of a piece of `phraseCount` phrases at `tempo` beats a minute.
RoomNeed roomNeeded(int phraseCount, int tempo);

struct DiskCheck {
  bool refused = false;        // there is less room than the piece needs
  std::int64_t freeMb = 0;     // whole mebibytes free to the caller; 0 when unknown
  std::int64_t needMb = 0;     // what this file system must hold, rounded up
  std::int64_t temporaryMb = 0;  // of which the temporary files at their peak
  std::int64_t archiveMb = 0;    // of which the final mix and the log
};

// Decides from a free-byte count as the system reported it: the need is what
// this file system must hold (the temporary files, the archive's files, or
// both when they share it). Only a failed query (no count) lets it pass; a
// count under one MB refuses like any other.
DiskCheck checkDiskSpace(std::optional<std::uint64_t> freeBytes, std::int64_t temporaryBytes,
                         std::int64_t archiveBytes);

// "Not enough space on disk.\nFree: %d MB\nNeed: %d MB", then how the need is
// made up.
std::string diskSpaceMessage(const DiskCheck& check);
inline constexpr const char* kDiskSpaceCaption = "Brisolt - Not enough space on disk";

}  // namespace brisolt
