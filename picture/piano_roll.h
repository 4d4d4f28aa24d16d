// A piece as a piano roll in SVG: time across, in rows of five phrases (so
// that a long piece reads down the page like a score), key numbers up, every
// placed note a bar on its key from where it is struck to where its sound
// ends. The melody's notes are drawn one element each in one colour, the
// other voices' notes in a quieter colour; phrase boundaries are marked and
// numbered, and the title names the settings and the session.
#pragma once

#include <string>
#include <string_view>

#include "render/score.h"

namespace brisolt::picture {

// What the picture says about the piece besides its notes.
struct PianoRollPiece {
  std::string title;     // the headline, e.g. "Session 2718"
  std::string subtitle;  // the settings, e.g. "C Major · motif B · phrases B · 5 phrases"
  int phraseCount = 0;
  double firstPhraseSeconds = 0.5;  // where phrase 1 starts on the mix's timeline
  double phraseSeconds = 64.0;      // how long every phrase lasts
};

inline constexpr int kPhrasesPerRow = 5;
// The class of every melody note's element and of the other voices' paths
// (one path per voice and row, with the voice in data-voice).
inline constexpr std::string_view kMelodyClass = "melody";
inline constexpr std::string_view kVoiceClass = "voice";

// The whole SVG document. A note sounds from its start for the bytes of its
// clip (a cut melody note rings for the cut length only).
std::string pianoRollSvg(const render::Score& score, const PianoRollPiece& piece);

}  // namespace brisolt::picture
