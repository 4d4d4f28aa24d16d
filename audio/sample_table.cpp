// Builds the clip list of the sample data file from its naming rule.
#include "audio/sample_table.h"

#include <cstdio>

namespace brisolt::audio {
namespace {
constexpr std::array<std::string_view, 12> kNoteNames = {"C_", "C#", "D_", "D#", "E_", "F_",
                                                         "F#", "G_", "G#", "A_", "A#", "B_"};
}  // namespace

bool hasLayer(int key, int layer) {
  if (key < kFirstKey || key > kLastKey || layer < 1 || layer > kMaxLayer) return false;
  return layer <= 2 || (key >= kFirstLongKey && key <= kLastLongKey);
}

std::string clipName(int key, int layer) {
  if (key < kFirstKey || key > kLastKey) return {};
  const int note = (key - 1) % 12;
  const int octave = (key - 1) / 12 + 1;
  char name[32];
  std::snprintf(name, sizeof name, "TP%02d%.2s%d_L%d.wav", key, kNoteNames[note].data(), octave, layer);
  return name;
}

std::vector<SampleClip> sampleTable() {
  std::vector<SampleClip> clips;
  clips.reserve(kClipCount);
  for (int key = kFirstKey; key <= kLastKey; ++key) {
    for (int layer = 1; layer <= kMaxLayer; ++layer) {
      if (hasLayer(key, layer)) clips.push_back({clipName(key, layer), kLayerSizes[layer], key, layer});
    }
  }
  clips.push_back({std::string(kSilenceClipName), kSilenceClipSize, kSilenceKey, 0});
  return clips;
}

}  // namespace brisolt::audio
