// Every picture of the program: its id, its size and what it shows. The
// picture painters draw from this list, and the fake window answers picture
// sizes from it, so both agree on which pictures exist.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "platform/window/window_ids.h"
#include "platform/window/window_types.h"

namespace brisolt::platform {

enum class PictureKind {
  kFace,
  kSplash,
  kAbout,
  kIcon,
  kDigit,          // index: the digit 0..9
  kKeySignature,   // index: 0..11 (key signature 1..12)
  kScale,          // index: 0..11
  kMotifMode,      // index: 0..11 (A..L)
  kPhraseMode,     // index: 0..11 (A..L)
  kLitButton,      // index: a LitButton
  kComposeLabel,   // index: a ComposeLabel
  kRemainingTime,
  kInfoPage,       // index: page 0..5
  kLitKey,         // index: key shape x 2 + (1 for the melody's light, 0 for another voice's)
};

enum LitButton { kStopButton = 0, kPlayButton = 1, kPauseButton = 2, kRecordButton = 3 };
enum ComposeLabel { kComposeReady = 0, kComposeDone = 1, kComposeWorking = 2, kComposeDotted = 3 };

struct PictureEntry {
  PictureId id;
  Size size;
  PictureKind kind = PictureKind::kFace;
  int index = 0;
};

// The sizes code outside the catalog lays out by; every picture's size is
// in its entry (findPicture).
inline constexpr Size kFaceSize{650, 600};
inline constexpr Size kDigitSize{20, 30};
inline constexpr Size kIconSize{64, 64};

// What the setting pictures say, in setting order.
inline constexpr std::array<std::string_view, 12> kKeyLabels{"C",  "C#", "D",  "D#", "E",  "F",
                                                             "F#", "G",  "G#", "A",  "A#", "B"};
inline constexpr std::array<std::string_view, 12> kScaleNames{
    "Major",           "Minor Melodic", "Minor Harmonic", "Minor Natural", "Hungarian (Gipsy)", "Spanish (Jewish)",
    "Hindu",           "Double Harmonic", "Arabic",       "Gregorian",     "Jazz",              "Blues"};

// The lit picture of a key of shape `shape` (a layout::KeyShape) in the
// melody's light or another voice's.
PictureId litKeyPicture(int shape, bool melody);

std::span<const PictureEntry> pictureCatalog();

// The entry of a picture, or null when the program has no such picture.
const PictureEntry* findPicture(PictureId id);

}  // namespace brisolt::platform
