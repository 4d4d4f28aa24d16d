// Where the piano's key numbers sit on the MIDI keyboard: key 1 (C1) is MIDI
// note 24, key 60 (B5) is MIDI note 83. The sample bank is rendered and the
// score is exported with this one mapping.
#pragma once

namespace brisolt::midi {

inline constexpr int kMidiNoteOfKeyZero = 23;

// The MIDI note number of key `key` (1..60).
constexpr int midiNoteOfKey(int key) { return key + kMidiNoteOfKeyZero; }

}  // namespace brisolt::midi
