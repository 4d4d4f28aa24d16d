// The free-space check made before every Generate: a piece needs 459 MB of
// room per phrase while its voice files exist.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brisolt {

inline constexpr std::int64_t kMegabytesPerPhrase = 459;

struct DiskCheck {
  bool refused = false;       // there is less room than the piece needs
  std::int64_t freeMb = 0;    // whole mebibytes free to the caller; 0 when unknown
  std::int64_t needMb = 0;    // phraseCount x 459
};

// Decides from a free-byte count as the system reported it. No count (the
// query failed) or a count of 0 MB never refuses.
DiskCheck checkDiskSpace(std::optional<std::uint64_t> freeBytes, int phraseCount);

// Asks the system how much room is left on the drive of `folder`.
DiskCheck checkDiskSpace(const std::string& folder, int phraseCount);

// "Not enough space on disk.\nFree: %d MB\nNeed: %d MB"
std::string diskSpaceMessage(const DiskCheck& check);
inline constexpr const char* kDiskSpaceCaption = "Brisolt - Not enough space on disk";

}  // namespace brisolt
