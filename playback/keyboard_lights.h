// Which keys of the face's keyboard sound at a position of the mix, and in
// which light: the melody's, or the quieter one of the other voices. Made
// from the score of placed notes; no window in it, so it is tested alone.
//
// A note sounds from where its copy starts on the mix's timeline for the
// bytes of its clip that were copied: its whole length, or the first two
// seconds of a cut melody note (the rest of its length is silence).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "render/score.h"

namespace brisolt::playback {

// The bank's keys, 1 (C1) to 60 (B5).
inline constexpr int kKeyboardKeys = 60;

enum class KeyLight : std::uint8_t {
  kDark,    // nothing sounds on the key
  kVoice,   // a voice other than the melody sounds on it
  kMelody,  // the melody sounds on it (whatever else does)
};

// The light of every key; index key - 1.
using KeyLights = std::array<KeyLight, kKeyboardKeys>;

class SoundingKeys {
 public:
  // No notes: every key dark at every position.
  SoundingKeys() = default;
  explicit SoundingKeys(const render::Score& score);

  // The keys sounding at `milliseconds` on the mix's timeline.
  KeyLights at(double milliseconds) const;
  bool empty() const { return spans_.empty(); }
  std::size_t noteCount() const { return spans_.size(); }

 private:
  struct Span {
    std::uint64_t start = 0;  // bytes of the mix's timeline, end exclusive
    std::uint64_t end = 0;
    int key = 0;
    bool melody = false;
  };
  std::vector<Span> spans_;  // by start
  std::uint64_t longest_ = 0;
};

// The score of the session whose final mix is `mixPath` (its
// "<prefix>Pelko.wav", or the rendition "<prefix>PelkoL.wav"):
// "<prefix>score.json" beside it. Empty when the path is neither.
std::string scorePathForMix(const std::string& mixPath);

// The keys of the score at `scorePath`; none (every key dark) when the file
// is missing or not a score.
SoundingKeys loadSoundingKeys(const std::string& scorePath);

}  // namespace brisolt::playback
