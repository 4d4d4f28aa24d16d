// Smooths the register of a finished melody and sets its closing note.
#include "compose/register_smoothing.h"

#include <vector>

#include "compose/scale_keys.h"
#include "compose/scale_tables.h"

namespace brisolt::compose {
namespace {

// Where the comparison of the pair (P, N) stands: nothing decided yet, moving
// up (a), up and lowered by an octave (c), moving down (a), down by more than
// seven (b), down and raised by an octave (c), or settled (P can be written).
enum class Pair { kUndecided, kUp, kUpLowered, kDown, kDownWide, kDownRaised, kSettled };

}  // namespace

int closingNote(int previous, const std::function<bool(int)>& isScaleKey) {
  if (isScaleKey(previous - 5)) return previous - 5;
  const int fifthAbove = previous + 7;
  return fifthAbove > kHighestKey ? fifthAbove - 12 : fifthAbove;
}

std::string smoothRegister(std::string_view keyNumbers, const std::function<bool(int)>& isScaleKey) {
  std::vector<int> notes;
  for (std::size_t i = 0; i + 1 < keyNumbers.size(); i += 2) notes.push_back(twoDigitNumber(keyNumbers, i));
  if (notes.size() < 2) return std::string(keyNumbers);

  std::string output;
  int p = notes[0];
  int n = notes[1];
  std::size_t rest = 2;  // index of the next unread note
  Pair state = Pair::kUndecided;
  // Every rule sees the state the rule before it left.
  while (rest < notes.size()) {
    if (state == Pair::kUndecided && p == n) state = Pair::kSettled;
    if (state == Pair::kUndecided && n > p) state = Pair::kUp;
    if (state == Pair::kUndecided && p > n) state = Pair::kDown;
    if (state == Pair::kUp && n > p && n - p < 8) state = Pair::kSettled;
    if (state == Pair::kUp && n > p && n - p > 7) {
      n -= 12;
      if (n > kSmoothingLow) {
        state = Pair::kUpLowered;
      } else {
        n += 12;
        state = Pair::kSettled;
      }
    }
    if (state == Pair::kUpLowered) state = Pair::kUp;
    if (state == Pair::kUp && n <= p) {
      n += 12;
      state = Pair::kSettled;
    }
    if (state == Pair::kDown && p > n) state = p - n < 8 ? Pair::kSettled : Pair::kDownWide;
    if ((state == Pair::kDown || state == Pair::kDownWide) && p > n && p - n > 7) {
      n += 12;
      if (n <= kSmoothingHigh) {
        state = Pair::kDownRaised;
      } else {
        n -= 12;
        state = Pair::kSettled;
      }
    }
    if (state == Pair::kDownRaised) state = Pair::kDown;
    if (state == Pair::kDown && p <= n) state = Pair::kSettled;
    if (state == Pair::kSettled) {
      state = Pair::kUndecided;
      output += twoDigits(p);
      if (n < kSmoothingLow) n += 12;
      if (n > kSmoothingHigh) n -= 12;
      p = n;
      n = notes[rest++];
    }
  }
  output += twoDigits(p);
  output += twoDigits(closingNote(p, isScaleKey));
  return output;
}

}  // namespace brisolt::compose
