// Where the phrases of a mix lie in time: the mix starts with a half-second
// lead-in, then every phrase lasts 64 seconds (16 bars of 4 one-second beats
// at tempo 60). The window's playback display and `brisolt play` both count
// and seek phrases with these functions.
#pragma once

#include <cstdint>

namespace brisolt::playback {

inline constexpr double kLeadInSeconds = 0.5;
inline constexpr double kPhraseSeconds = 16 * 4;

// The phrase heard at `positionMilliseconds`: 0 during the lead-in, then 1
// from 0.5 s, 2 from 64.5 s, n from 0.5 + 64 x (n - 1) s.
int phraseAtPosition(double positionMilliseconds);

// The phrase a seek from `shownPhrase` in `direction` (-1 or +1) goes to:
// never below phrase 1 nor above `phraseTotal`.
int seekTargetPhrase(int shownPhrase, int direction, int phraseTotal);

// Where a seek to `phrase` puts the position: one millisecond into the
// phrase, so phrase 1 is 501 ms and phrase 3 is 128501 ms.
std::int64_t phraseStartMilliseconds(int phrase);

// The number of phrases in a mix of `lengthMilliseconds`, for a file whose
// plan is not known: the length after the lead-in in phrases, rounded up,
// except that a remainder no longer than the 3 s that every mix's size allows
// for its lead-in and ring-out is the tail of the last phrase, not a phrase
// of its own. At least 1 for a mix longer than its lead-in, else 0.
int phraseTotalForLength(std::int64_t lengthMilliseconds);

}  // namespace brisolt::playback
