// The layout of the sample data file "Data.dat": 209 raw clips (60 keys in up
// to four lengths, then eight seconds of silence) concatenated with no header
// or gap. The file has no directory; this table is the only map of it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brisolt::audio {

inline constexpr std::string_view kSampleDataFileName = "Data.dat";

inline constexpr int kFirstKey = 1;   // C1
inline constexpr int kLastKey = 60;   // B5
inline constexpr int kSilenceKey = 0;
inline constexpr int kMaxLayer = 4;
// The keys that have the two longer layers 3 and 4; the others have 1 and 2.
inline constexpr int kFirstLongKey = 13;
inline constexpr int kLastLongKey = 56;

// Clip sizes in bytes by layer (index 1..4): each 16 bytes short of a whole
// half-second at 44100 bytes per second.
inline constexpr std::array<std::uint32_t, kMaxLayer + 1> kLayerSizes = {0, 44084, 66134, 88184, 110234};
inline constexpr std::uint32_t kSilenceClipSize = 352800;  // 8 seconds
inline constexpr std::string_view kSilenceClipName = "_AA_silence.wav";

inline constexpr int kClipCount = 209;
inline constexpr std::uint32_t kSampleDataSize = 15696272;
inline constexpr std::uint32_t kSilenceClipOffset = kSampleDataSize - kSilenceClipSize;  // 15343472

struct SampleClip {
  std::string name;
  std::uint32_t size = 0;
  int key = 0;    // 0 for the silence clip
  int layer = 0;  // 0 for the silence clip
};

// True when key `key` has a clip of layer `layer` (1..4).
bool hasLayer(int key, int layer);

// The clip name of a key (1..60) and layer: "TP", the key in two digits, the
// note name filled to two characters with '_', the octave digit, "_L", the
// layer digit and ".wav" (key 2 layer 1 is "TP02C#1_L1.wav"). Empty for a
// key outside 1..60.
std::string clipName(int key, int layer);

// The 209 clips in file order: keys ascending, each key's layers ascending,
// the silence clip last.
std::vector<SampleClip> sampleTable();

}  // namespace brisolt::audio
