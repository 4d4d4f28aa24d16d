// The ids of every picture the program shows, with the tables that pick a
// picture by value. Keep in step with picture_catalog.cpp, which gives each
// id its size and meaning.
#pragma once

#include <array>

#include "platform/window/window_ids.h"

namespace brisolt::platform::picture {

inline constexpr PictureId kFace{1072};    // the main window's face, 650 x 600
inline constexpr PictureId kSplash{1073};  // shown while the program starts
inline constexpr PictureId kAbout{207};    // the About box's emblem
inline constexpr PictureId kIcon{208};     // the window icon

// Digit pictures for 0..9 (20 x 30). 9 is 206.
inline constexpr std::array<PictureId, 10> kDigits{
    PictureId{930}, PictureId{931}, PictureId{932}, PictureId{934}, PictureId{936},
    PictureId{937}, PictureId{938}, PictureId{939}, PictureId{940}, PictureId{206}};

// Setting pictures (240 x 35), indexed like the settings: key signature 1..12
// at index 0..11, scale, motif mode and phrase mode 0..11.
inline constexpr std::array<PictureId, 12> kKeySignatures{
    PictureId{944}, PictureId{945}, PictureId{946}, PictureId{947}, PictureId{948}, PictureId{950},
    PictureId{951}, PictureId{952}, PictureId{953}, PictureId{954}, PictureId{955}, PictureId{956}};
inline constexpr std::array<PictureId, 12> kScales{
    PictureId{957}, PictureId{958}, PictureId{959}, PictureId{960}, PictureId{962}, PictureId{963},
    PictureId{964}, PictureId{965}, PictureId{966}, PictureId{967}, PictureId{968}, PictureId{969}};
inline constexpr std::array<PictureId, 12> kMotifModes{
    PictureId{970}, PictureId{971}, PictureId{972}, PictureId{973}, PictureId{974}, PictureId{975},
    PictureId{983}, PictureId{985}, PictureId{986}, PictureId{987}, PictureId{988}, PictureId{989}};
inline constexpr std::array<PictureId, 12> kPhraseModes{
    PictureId{991}, PictureId{992}, PictureId{993}, PictureId{1003}, PictureId{995}, PictureId{996},
    PictureId{997}, PictureId{998}, PictureId{999}, PictureId{1000}, PictureId{1001}, PictureId{1002}};

// Lit transport buttons (25 x 25).
inline constexpr PictureId kStopLit{1004};
inline constexpr PictureId kPlayLit{1006};
inline constexpr PictureId kPauseLit{1008};
inline constexpr PictureId kRecordLit{1007};

// Labels of the COMPOSE button (160 x 25) and the remaining-time label.
inline constexpr PictureId kCompose{926};
inline constexpr PictureId kDone{690};
inline constexpr PictureId kWorking{1026};
inline constexpr PictureId kComposeDotted{1025};
inline constexpr PictureId kRemainingTime{1039};  // 100 x 15

// Pages 0..5 of the information panel (500 x 70); page 0 is the title page.
inline constexpr std::array<PictureId, 6> kInfoPages{PictureId{1070}, PictureId{1058}, PictureId{1059},
                                                     PictureId{1060}, PictureId{1061}, PictureId{1062}};

}  // namespace brisolt::platform::picture
