// Key signatures named by a flat (Bb, Db, Eb, Gb, Ab), as musicians write
// them, for the command line's --key.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "compose/scale_tables.h"

namespace brisolt {

// The key signature 1..12 of a natural letter (any case) followed by a small
// "b": the key one semitone below the letter's, so "Bb" is A#. A capital B
// is no flat: "AB" is the settings file's name of A#. Nullopt for any other
// text. `keys` is the scale table's list, indexed by pitch class.
std::optional<int> flatKeySignature(std::string_view text, const std::vector<compose::KeySignature>& keys);

}  // namespace brisolt
