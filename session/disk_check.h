// The free-space check made before every Generate: the room the render needs
// at its peak, worked out from the length of the piece and the engine that
// renders it. The file engine's voice files and stems in the temporary
// folder peak at about seventeen files as long as the piece (48 MB per phrase
// at 60 beats a minute); the streaming engine writes none. The archive takes
// the final mix, the log and, when asked for, the stereo rendition.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "render/render_engine.h"

namespace brisolt {

// Room kept for the log, the MIDI file and the file system's own blocks.
inline constexpr std::int64_t kArchiveMarginBytes = 1024 * 1024;
// The stereo rendition (44.1 kHz, two channels) holds four bytes for each
// byte of the mix (22050 Hz, one channel), and rings on after the last bar.
inline constexpr std::int64_t kRenditionBytesPerMixByte = 4;
inline constexpr std::int64_t kRenditionRingBytes = 10 * 44100 * 2 * 2;

// The bytes a piece needs on each side at the render's peak.
struct RoomNeed {
  std::int64_t mixBytes = 0;        // the final mix, header included
  std::int64_t renditionBytes = 0;  // the stereo rendition beside it, when asked for
  std::int64_t temporaryBytes = 0;  // voice files and stems at their peak (file engine only)
  std::int64_t archiveBytes() const { return mixBytes + renditionBytes + kArchiveMarginBytes; }
};

// The need of a piece of `phraseCount` phrases at `tempo` beats a minute,
// rendered by `engine`, with or without the stereo rendition.
RoomNeed roomNeeded(int phraseCount, int tempo, render::RenderEngine engine = render::kDefaultRenderEngine,
                    bool rendition = false);

struct DiskCheck {
  bool refused = false;          // there is less room than the piece needs
  bool unknown = false;          // the system could not tell the free space: not checked
  std::int64_t freeMb = 0;       // whole mebibytes free to the caller; 0 when unknown
  std::int64_t needMb = 0;       // what this file system must hold, rounded up
  std::int64_t temporaryMb = 0;  // of which the temporary files at their peak
  std::int64_t archiveMb = 0;    // of which the final mix, the log (and the rendition)
  std::int64_t renditionMb = 0;  // of archiveMb, the stereo rendition
  std::int64_t mixAndLogMb = 0;  // of archiveMb, the rest
};

// Decides from a free-byte count as the system reported it: the need is what
// this file system must hold (the temporary files, the archive's files, or
// both when they share it). A count under one MB refuses like any other; a
// failed query (no count) is `unknown`, neither refused nor passed silently:
// the caller says that the room was not checked.
DiskCheck checkDiskSpace(std::optional<std::uint64_t> freeBytes, std::int64_t temporaryBytes,
                         std::int64_t archiveBytes, std::int64_t renditionBytes = 0);

// "Not enough space on disk.\nFree: %d MB\nNeed: %d MB", then how the need is
// made up.
std::string diskSpaceMessage(const DiskCheck& check);
inline constexpr const char* kDiskSpaceCaption = "Brisolt - Not enough space on disk";

}  // namespace brisolt
