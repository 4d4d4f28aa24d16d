// The one shape of every audio file the program writes: 16-bit signed
// little-endian mono PCM behind a 44-byte RIFF/WAVE header whose sizes are
// predicted once, before any sample is written, and never corrected.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace brisolt::audio {

inline constexpr std::uint32_t kBytesPerSample = 2;
inline constexpr std::uint32_t kSampleRate = 22050;
// Every byte count in the program follows the byte rate, not the sample rate.
inline constexpr std::uint32_t kBytesPerSecond = 44100;
inline constexpr std::uint32_t kHeaderSize = 44;
// The header up to the data size: built from kHeaderTemplate.
inline constexpr std::uint32_t kHeaderTemplateSize = 40;
// Seconds of lead-in and tail that every prediction adds to the bars.
inline constexpr double kExtraSeconds = 3.0;

// The first 40 header bytes as decimal byte values separated by blanks. Bytes
// 4..7 are a placeholder for the RIFF size.
inline constexpr std::string_view kHeaderTemplate =
    "82 73 70 70 128 98 05 00 87 65 86 69 102 109 116 32 16 00 00 00 "
    "01 00 01 00 34 86 00 00 68 172 00 00 02 00 16 00 100 97 116 97";

using HeaderTemplate = std::array<std::uint8_t, kHeaderTemplateSize>;

// Fills `header` from kHeaderTemplate (runs of blanks are one separator, each
// value keeps its low byte) and puts `riffSize` into bytes 4..7.
void buildHeaderTemplate(HeaderTemplate& header, std::uint32_t riffSize);

// D, the predicted data size of a file of `bars` bars at `tempo` beats per
// minute: trunc((bars x 4 x 60 / tempo + 3) x 1000 x 44.1). A tempo of 0 or
// a result outside 32 bits saturates instead of being undefined.
std::uint32_t predictedDataSize(int bars, int tempo);

// The RIFF chunk size that goes with a data size: D + 36.
inline constexpr std::uint32_t riffSizeFor(std::uint32_t dataSize) { return dataSize + 36; }

// The gain of an attenuation step: 1.0 lowered by 0.11 once per step above 1,
// by repeated subtraction (so step 8 is 0.2300000000000001, not 0.23).
double attenuationGain(int step);

// Milliseconds as a byte count at the byte rate: trunc(ms x 44.1), made even
// by subtracting 1 from an odd value so that it ends on a whole sample.
std::uint32_t millisecondsToBytes(double milliseconds);

}  // namespace brisolt::audio
