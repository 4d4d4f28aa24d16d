// Header writing and the block copy loop shared by the scaled, cut and raw copies.
#include "audio/wave_copy.h"

#include <algorithm>
#include <bit>

#include "audio/vector_clones.h"
#include "audio/wave_format.h"

namespace brisolt::audio {
namespace {

// Samples are little-endian 16-bit, and the buffer is read as native integers.
static_assert(std::endian::native == std::endian::little);

// Scales the first `count / 2` samples in place, each to trunc(s x gain)
// within 16 bits; an odd last byte (half a sample) is left as it is. The
// conversion to an integer truncates toward zero, so the loop needs no call
// per sample and the compiler can vectorise it.
BRISOLT_VECTOR_CLONES void scaleInPlace(std::int16_t* samples, std::uint32_t count, double gain) {
  for (std::uint32_t i = 0; i < count / 2; ++i) {
    // Gains of the steps in use lie in (0, 1]; the clamp only guards steps far
    // beyond them, whose negative gains could otherwise wrap round.
    const auto scaled = static_cast<std::int32_t>(samples[i] * gain);
    samples[i] = static_cast<std::int16_t>(std::clamp(scaled, -32768, 32767));
  }
}

// The copy loop: seek, then blocks of at most kCopyBlockSize bytes, scaled
// when `gain` is not exactly 1.0.
std::int32_t copyBlocks(platform::File& source, platform::File& destination, std::uint32_t offset,
                        std::uint32_t length, double gain, CopyBuffer& buffer) {
  if (!source.seek(offset)) return kCopyNothing;
  std::uint32_t total = 0;
  std::uint32_t remaining = length;
  while (remaining > 0) {
    const std::uint32_t got = source.read(buffer.bytes(), std::min(remaining, kCopyBlockSize));
    if (got == 0) return kCopySourceEnded;
    if (gain != 1.0) scaleInPlace(buffer.samples.data(), got, gain);
    const std::uint32_t put = destination.write(buffer.bytes(), got);
    if (put < got) return kCopyShortWrite;
    total += put;
    remaining -= put;
  }
  return static_cast<std::int32_t>(total);
}

}  // namespace

platform::File createWaveFile(const std::string& path, int bars, int tempo, HeaderTemplate& header) {
  const std::uint32_t dataSize = predictedDataSize(bars, tempo);
  buildHeaderTemplate(header, riffSizeFor(dataSize));
  const std::array<std::uint8_t, 4> dataSizeBytes = {
      static_cast<std::uint8_t>(dataSize), static_cast<std::uint8_t>(dataSize >> 8),
      static_cast<std::uint8_t>(dataSize >> 16), static_cast<std::uint8_t>(dataSize >> 24)};
  platform::File file = platform::File::createForWriting(path);
  file.write(header.data(), kHeaderTemplateSize);
  file.write(dataSizeBytes.data(), dataSizeBytes.size());
  return file;
}

std::int32_t copyScaled(platform::File& source, platform::File& destination, std::uint32_t offset,
                        std::uint32_t length, int step, CopyBuffer& buffer) {
  if (length == 0) return kCopyNothing;
  return copyBlocks(source, destination, offset, length, attenuationGain(step), buffer);
}

std::int32_t copyScaledCut(platform::File& source, platform::File& destination, std::uint32_t offset,
                           std::uint32_t length, int step, std::int32_t silenceOffset, CopyBuffer& buffer) {
  if (length == 0) return kCopyNothing;
  std::uint32_t remainder = 0;
  if (static_cast<std::int64_t>(offset) != silenceOffset && length > kCutThreshold) {
    remainder = length - kCutLength;
    length = kCutLength;
  }
  const std::int32_t first = copyBlocks(source, destination, offset, length, attenuationGain(step), buffer);
  if (first != static_cast<std::int32_t>(length) || remainder == 0) return first;
  // A silence offset of -1 (not looked up) cannot be sought: the fill then reports nothing copied.
  const std::int32_t fill =
      silenceOffset < 0 ? kCopyNothing
                        : copyScaled(source, destination, static_cast<std::uint32_t>(silenceOffset), remainder, 1, buffer);
  return first + fill;
}

std::int32_t copyRaw(platform::File& source, platform::File& destination, std::uint32_t offset,
                     std::uint32_t length, CopyBuffer& buffer) {
  return copyBlocks(source, destination, offset, length, 1.0, buffer);
}

}  // namespace brisolt::audio
