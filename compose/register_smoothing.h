// Smooths the register of a finished melody: each note is moved by octaves so
// that it lies at most seven semitones from the one before where the range
// 18..60 allows, and the last note becomes the closing note.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace brisolt::compose {

inline constexpr int kSmoothingLow = 18;
inline constexpr int kSmoothingHigh = 60;

// Takes the melody as two-digit key numbers (already folded into 18..54) and
// returns as many two-digit key numbers. The closing note replaces the last
// note: a fourth below the note before it when that is a scale key, else a
// fifth above, taken an octave lower when that lies above key 60.
std::string smoothRegister(std::string_view keyNumbers, const std::function<bool(int)>& isScaleKey);

// The closing note after the note `previous`.
int closingNote(int previous, const std::function<bool(int)>& isScaleKey);

}  // namespace brisolt::compose
