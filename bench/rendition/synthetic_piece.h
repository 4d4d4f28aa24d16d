// A note list that resembles a composed piece, for measuring the rendition:
// about six notes a second over the keyboard, a phrase every 64 s.
#pragma once

#include <vector>

#include "rendition/stereo_audio.h"

namespace brisolt::bench {

inline constexpr double kPhraseSeconds = 64.0;
inline constexpr double kFirstPhraseStart = 0.5;

// The length of a piece of `phrases` phrases: 323 s for five.
double pieceSeconds(int phrases);

// Notes of a `phrases`-phrase piece, the same for the same seed: onsets on a
// 1/8-second grid, velocities 34..100, held 0.25 to 2 s.
std::vector<rendition::RenditionNote> syntheticPiece(int phrases, unsigned seed);

}  // namespace brisolt::bench
