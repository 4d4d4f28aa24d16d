// Where things sit on the face (client pixels of the 650 x 600 picture).
// The hot spots match the main window's hot-spot table and the displays its
// control table; the artwork is drawn at these places, so the two must move
// together.
#pragma once

#include <array>

#include "platform/window/window_types.h"

namespace brisolt::platform::layout {

// The four setting pictures, top to bottom: key, scale, motif, phrase mode.
inline constexpr std::array<Rect, 4> kSettingRows{Rect{105, 110, 240, 35}, Rect{105, 160, 240, 35},
                                                  Rect{105, 210, 240, 35}, Rect{105, 260, 240, 35}};
// The arrows inside a setting picture, in the picture's own pixels.
inline constexpr Rect kSettingLeftArrow{0, 5, 20, 25};
inline constexpr Rect kSettingRightArrow{220, 5, 20, 25};

inline constexpr Rect kPhraseCountDown{105, 315, 25, 20};
inline constexpr Rect kPhraseCountUp{325, 315, 25, 20};
inline constexpr int kDigitTop = 310;
inline constexpr std::array<int, 4> kTotalTimeDigits{145, 165, 195, 215};
inline constexpr std::array<int, 2> kPhraseCountDigits{265, 285};
inline constexpr std::array<int, 4> kCurrentTimeDigits{400, 420, 450, 470};
inline constexpr std::array<int, 2> kCurrentPhraseDigits{520, 540};

inline constexpr Rect kPhraseBack{370, 315, 20, 25};
inline constexpr Rect kPhraseForward{570, 315, 20, 25};

inline constexpr Rect kStop{385, 265, 25, 25};
inline constexpr Rect kPlay{440, 265, 25, 25};
inline constexpr Rect kPause{495, 265, 25, 25};
inline constexpr Rect kRecord{550, 265, 25, 25};
inline constexpr std::array<Rect, 4> kTransport{kStop, kPlay, kPause, kRecord};  // in LitButton order

inline constexpr Rect kCompose{400, 170, 160, 25};
inline constexpr Rect kHelp{505, 125, 35, 15};
inline constexpr Rect kProgress{380, 225, 205, 15};
inline constexpr Rect kRemainingTime{395, 350, 100, 15};

inline constexpr Rect kInfoPanel{80, 450, 500, 70};
inline constexpr Rect kInfoLeft{48, 458, 20, 20};
inline constexpr Rect kInfoRight{595, 458, 20, 20};

inline constexpr Rect kTextStrip{15, 530, 300, 15};
inline constexpr Rect kExit{580, 530, 40, 15};

}  // namespace brisolt::platform::layout
