// Numbers on the window's digit pictures: times as m m : s s and two-digit
// counts as tens and units.
#pragma once

#include <array>

#include "platform/window/dialog_window.h"

namespace brisolt {

// Seconds on four digit controls: s / 600, (s mod 600) / 60, (s mod 60) / 10,
// s mod 10. 323 shows 05:23.
void showMinutesAndSeconds(platform::DialogWindow& window, const std::array<platform::ControlId, 4>& digits,
                           int seconds);

// A count on two digit controls: tens and units (5 shows 0 5).
void showTwoDigits(platform::DialogWindow& window, const std::array<platform::ControlId, 2>& digits, int value);

template <std::size_t N>
void showControls(platform::DialogWindow& window, const std::array<platform::ControlId, N>& controls) {
  for (const platform::ControlId control : controls) window.showControl(control);
}

template <std::size_t N>
void hideControls(platform::DialogWindow& window, const std::array<platform::ControlId, N>& controls) {
  for (const platform::ControlId control : controls) window.hideControl(control);
}

}  // namespace brisolt
