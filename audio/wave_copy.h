// The operations that assemble every audio file: create a file with its
// predicted header, and copy a byte range of a source (usually the sample
// data file) to the end of a destination, scaled, scaled and cut, or raw.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "audio/wave_format.h"
#include "platform/files/file_handle.h"

namespace brisolt::audio {

// Results of the copies besides the byte count of a complete copy. Requests
// are always far longer than 2 bytes, so these never read as counts.
enum CopyResult : std::int32_t {
  kCopyNothing = 0,      // the length was 0 or the seek failed; nothing written
  kCopySourceEnded = 1,  // the source ran out before the request was complete
  kCopyShortWrite = 2,   // the destination took fewer bytes than it was given
};

// Bytes moved per read and write.
inline constexpr std::uint32_t kCopyBlockSize = 65536;
// The one buffer of a copy. It holds whole samples, so scaling works on them
// directly; reads and writes see it as bytes.
struct CopyBuffer {
  alignas(64) std::array<std::int16_t, kCopyBlockSize / 2> samples;
  std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(samples.data()); }
};

// A note longer than this is cut to kCutLength and the rest of its length
// filled from the silence clip.
inline constexpr std::uint32_t kCutThreshold = 110250;  // 2.5 s
inline constexpr std::uint32_t kCutLength = 88200;      // 2 s

// Creates (or replaces) `path` and writes the 44-byte header for `bars` bars
// at `tempo`; returns the open file positioned at byte 44 for the caller to
// append samples to, or the invalid handle when the file cannot be created.
// `header` is the scratch buffer the first 40 bytes are built in.
platform::File createWaveFile(const std::string& path, int bars, int tempo, HeaderTemplate& header);

// Copies `length` bytes from byte `offset` of `source` to `destination`,
// each sample s becoming trunc(s x gain of `step`). Returns `length` when all
// of it was copied, else a CopyResult (bytes already written stay written).
std::int32_t copyScaled(platform::File& source, platform::File& destination, std::uint32_t offset,
                        std::uint32_t length, int step, CopyBuffer& buffer);

// As copyScaled, but a request longer than kCutThreshold that does not start
// at `silenceOffset` copies only kCutLength bytes of the clip and then the
// rest of the length, unscaled, from `silenceOffset`. Returns the bytes of the
// first part plus the result of the silence copy, or the first part's
// CopyResult when that part failed.
std::int32_t copyScaledCut(platform::File& source, platform::File& destination, std::uint32_t offset,
                           std::uint32_t length, int step, std::int32_t silenceOffset, CopyBuffer& buffer);

// Copies `length` bytes from byte `offset` of `source` unchanged. Returns
// `length`, or kCopyNothing when the seek fails (a length of 0 also returns 0),
// kCopySourceEnded or kCopyShortWrite.
std::int32_t copyRaw(platform::File& source, platform::File& destination, std::uint32_t offset,
                     std::uint32_t length, CopyBuffer& buffer);

}  // namespace brisolt::audio
