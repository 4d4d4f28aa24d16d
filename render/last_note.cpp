// The clip and the trailing silence of a piece's last accompaniment note.
#include "render/last_note.h"

#include <algorithm>

namespace brisolt::render {
namespace {

constexpr int kLongestLayer = 4;

bool hasClip(const audio::SampleBank& bank, int key, int layer) { return bank.sampleOffset(key, layer) != audio::kNoClip; }

}  // namespace

std::optional<LastNoteClip> lastNoteClip(const audio::SampleBank& bank, int key, int duration) {
  if (hasClip(bank, key, duration)) return LastNoteClip{duration, duration, 0};
  for (int layer = std::min(duration - 1, kLongestLayer); layer >= 1; --layer) {
    if (hasClip(bank, key, layer)) return LastNoteClip{layer, layer, duration - layer};
  }
  return std::nullopt;
}

}  // namespace brisolt::render
