// The five composition settings the user chooses, with their ranges and the
// defaults used when nothing else is known, and whether a piece also gets its
// MIDI file and stereo rendition.
#pragma once

namespace brisolt {

struct CompositionSettings {
  static constexpr int kModeCount = 12;  // modes A..L are 0..11
  static constexpr int kFewestPhrases = 5;
  static constexpr int kMostPhrases = 90;

  int keySignature = 1;  // 1..12: C, C#, D, ... B
  int scale = 0;         // 0..11: Major, Minor Melodic, ... Blues
  int motifMode = 1;     // 0..11: letters A..L
  int phraseMode = 1;    // 0..11: letters A..L
  int phraseCount = 5;   // 5..90
  bool hifi = true;      // Piano.mid and PelkoL.wav beside the mix
};

}  // namespace brisolt
