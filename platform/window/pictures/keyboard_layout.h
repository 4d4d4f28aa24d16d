// The keyboard drawn on the face: the 60 keys of the sample bank, C1 to B5,
// as 35 white keys of 16 pixels (15 of key and a 1-pixel gap) with the black
// keys, 10 x 26 pixels, centred on the gaps between white keys. Key 1 is C1,
// key 60 is B5. The face paints the keyboard from kKeyboard, and the lit keys
// are laid over it at keyPlace(), so the two move together.
#pragma once

#include "platform/window/window_types.h"

namespace brisolt::platform::layout {

inline constexpr Rect kKeyboard{44, 386, 560, 42};
inline constexpr int kKeyboardWhiteKeys = 35;
inline constexpr int kKeyboardKeys = 60;
inline constexpr int kWhiteKeyPitch = kKeyboard.width / kKeyboardWhiteKeys;  // 16
inline constexpr int kBlackKeyWidth = 10;
inline constexpr int kBlackKeyHeight = kKeyboard.height * 62 / 100;  // 26

// A key by the black keys that cut into its top: the black keys themselves,
// and the white keys with a black key on their right (C, F), on both sides
// (D, G, A) or on their left (E, B).
enum class KeyShape { kBlack = 0, kWhiteCutRight = 1, kWhiteCutBoth = 2, kWhiteCutLeft = 3 };
inline constexpr int kKeyShapes = 4;

// The semitone of a key within its octave, 0 (C) to 11 (B).
constexpr int semitoneOf(int key) { return (key - 1) % 12; }

constexpr bool isBlackKey(int key) {
  const int semitone = semitoneOf(key);
  return semitone == 1 || semitone == 3 || semitone == 6 || semitone == 8 || semitone == 10;
}

constexpr KeyShape keyShape(int key) {
  switch (semitoneOf(key)) {
    case 0:
    case 5: return KeyShape::kWhiteCutRight;
    case 4:
    case 11: return KeyShape::kWhiteCutLeft;
    case 2:
    case 7:
    case 9: return KeyShape::kWhiteCutBoth;
    default: return KeyShape::kBlack;
  }
}

// Which white key a key is (0..34), or, for a black key, the white key on
// its left.
constexpr int whiteIndexOf(int key) {
  constexpr int kWhiteBefore[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
  return (key - 1) / 12 * 7 + kWhiteBefore[semitoneOf(key)];
}

// Where a key lies on the face: a white key's whole column (the black keys
// that cut into it lie on top of it), or a black key.
constexpr Rect keyPlace(int key) {
  const int whiteLeft = kKeyboard.x + whiteIndexOf(key) * kWhiteKeyPitch;
  if (isBlackKey(key)) {
    return {whiteLeft + kWhiteKeyPitch - kBlackKeyWidth / 2, kKeyboard.y, kBlackKeyWidth, kBlackKeyHeight};
  }
  return {whiteLeft, kKeyboard.y, kWhiteKeyPitch - 1, kKeyboard.height};
}

// A key of each shape, in the second octave, whose place the lit key
// pictures of that shape are painted over.
constexpr int sampleKeyOf(KeyShape shape) {
  switch (shape) {
    case KeyShape::kBlack: return 14;          // C#2
    case KeyShape::kWhiteCutRight: return 13;  // C2
    case KeyShape::kWhiteCutBoth: return 15;   // D2
    case KeyShape::kWhiteCutLeft: return 17;   // E2
  }
  return 13;
}

}  // namespace brisolt::platform::layout
