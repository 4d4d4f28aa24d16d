// The last note of the piece in the accompaniment voices: the clip of the
// layer its duration names where the key has one; where it has not (keys
// 1..12 and 57..60 have only layers 1 and 2), the longest layer the key has,
// followed by silence, so the voice still ends on the bar line.
#pragma once

#include <optional>

#include "audio/sample_bank.h"

namespace brisolt::render {

struct LastNoteClip {
  int layer = 0;         // as sampleOffset takes it (a 5 reads layer 4)
  int clipUnits = 0;     // units copied from the start of the clip
  int silenceUnits = 0;  // units of silence after it
};

// What a last note of `duration` units on `key` copies; nothing only when
// the key has no clip at any layer up to its duration.
std::optional<LastNoteClip> lastNoteClip(const audio::SampleBank& bank, int key, int duration);

}  // namespace brisolt::render
