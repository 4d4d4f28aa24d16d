// Seeded note lists shaped like a piece: a melody over a moving bass, with
// chords now and then.
#include "bench/rendition/synthetic_piece.h"

#include <algorithm>
#include <random>

namespace brisolt::bench {

double pieceSeconds(int phrases) { return kFirstPhraseStart + kPhraseSeconds * phrases + 2.5; }

std::vector<rendition::RenditionNote> syntheticPiece(int phrases, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> step(-3, 3);
  std::uniform_int_distribution<int> velocity(34, 100);
  std::uniform_real_distribution<double> held(0.25, 2.0);
  std::vector<rendition::RenditionNote> notes;
  const double end = pieceSeconds(phrases) - 2.5;
  int melody = 40;
  int bass = 12;
  for (double beat = kFirstPhraseStart; beat < end; beat += 0.5) {
    // Two melody notes and a bass note every half second: six a second.
    for (int i = 0; i < 2; ++i) {
      melody = std::clamp(melody + step(random), 25, 60);
      const double start = beat + i * 0.25 + (random() % 2 == 0 ? 0.0 : 0.125);
      notes.push_back({melody, start, start + held(random), velocity(random)});
    }
    bass = std::clamp(bass + step(random), 1, 24);
    notes.push_back({bass, beat, beat + held(random) + 0.5, velocity(random)});
  }
  return notes;
}

}  // namespace brisolt::bench
