// The plain types the rendition works on: the notes to play and the stereo
// audio they become.
#pragma once

#include <cstddef>
#include <vector>

namespace brisolt::rendition {

inline constexpr int kRenditionSampleRate = 44100;

struct RenditionNote {
  int key = 1;                // 1..60, Brisolt key numbers
  double startSeconds = 0.0;  // where the note is struck
  double endSeconds = 0.0;    // where the key is released; the note then rings on
  int velocity = 100;         // 1..127
};

// Two channels at kRenditionSampleRate, interleaved left, right, left ...;
// full scale = 1.0. Eight bytes a frame: about 114 MB for 323 s.
struct StereoAudio {
  std::vector<float> samples;
  std::size_t frames() const { return samples.size() / 2; }
};

}  // namespace brisolt::rendition
