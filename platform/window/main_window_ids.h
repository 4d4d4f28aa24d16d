// The controls and the timer of the main window, by the ids its template
// gives them. Control ids are not picture ids: control 1000 shows picture
// 1006, while picture 1000 is phrase mode J.
#pragma once

#include <array>

#include "platform/window/window_ids.h"

namespace brisolt::platform::control {

inline constexpr ControlId kKeySignature{1119};
inline constexpr ControlId kScale{1120};
inline constexpr ControlId kMotifMode{1121};
inline constexpr ControlId kPhraseMode{1122};

inline constexpr ControlId kRecordLit{1051};
inline constexpr ControlId kPlayLit{1000};
inline constexpr ControlId kPauseLit{1062};
inline constexpr ControlId kStopLit{1061};

inline constexpr ControlId kComposeLabel{1096};
inline constexpr ControlId kDoneLabel{1097};
inline constexpr ControlId kWorkingLabel{1089};
inline constexpr ControlId kComposeDottedLabel{1094};
inline constexpr ControlId kRemainingTimeLabel{1123};

inline constexpr ControlId kGenerationBar{1052};
inline constexpr ControlId kPositionBar{1059};

// m m : s s, and the two phrase digits (tens, units).
inline constexpr std::array<ControlId, 4> kCurrentTime{ControlId{1054}, ControlId{1055}, ControlId{1056},
                                                       ControlId{1057}};
inline constexpr std::array<ControlId, 2> kCurrentPhrase{ControlId{1065}, ControlId{1066}};
inline constexpr std::array<ControlId, 4> kTotalTime{ControlId{1090}, ControlId{1091}, ControlId{1092},
                                                     ControlId{1093}};
inline constexpr std::array<ControlId, 2> kPhraseCount{ControlId{1087}, ControlId{1088}};

inline constexpr ControlId kInfoPanel{1075};
inline constexpr ControlId kTextStrip{1064};

}  // namespace brisolt::platform::control

namespace brisolt::platform::timer {

inline constexpr TimerId kPlayback{1};  // drives the playback display, 100 ms

}  // namespace brisolt::platform::timer
