// Operations on the scale keys of a piece: the 35 two-character key-number
// texts of one scale row, and the scale positions 0..34 that index them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brisolt::compose {

using ScaleKeys = std::vector<std::string>;

// True when the two-digit text of `key` is an element of `scaleKeys`. The
// elements are compared in order and the search stops at the first element
// greater than `key`.
bool isScaleKey(const ScaleKeys& scaleKeys, int key);

// The scale position of `key`, or the list length when it is not a scale key.
int scalePosition(const ScaleKeys& scaleKeys, int key);

// Reads the text as two-digit key numbers and writes each one's scale
// position with two digits; a key number that is not a scale key becomes the
// list length ("35").
std::string toScalePositions(const ScaleKeys& scaleKeys, std::string_view keyNumbers);

// Reads the text as two-digit scale positions and writes the scale key at
// each one. A position outside the list becomes "00" (silence).
std::string toKeyNumbers(const ScaleKeys& scaleKeys, std::string_view positions);

// Moves a key number by `steps` scale degrees: 0 steps returns the key as it
// is (scale key or not); otherwise a key that is not a scale key, or a move
// past either end of the list, gives 0.
int scaleStep(const ScaleKeys& scaleKeys, int key, int steps);

// The number in the two characters of `text` at `offset`.
int twoDigitNumber(std::string_view text, std::size_t offset);

}  // namespace brisolt::compose
