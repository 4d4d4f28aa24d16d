// Numbers on the window's digit pictures.
#include "app/window/digit_display.h"

#include "platform/window/picture_ids.h"

namespace brisolt {
namespace {

void showDigit(platform::DialogWindow& window, platform::ControlId control, int digit) {
  window.setControlPicture(control, platform::picture::kDigits.at(static_cast<std::size_t>(digit % 10)));
}

}  // namespace

void showMinutesAndSeconds(platform::DialogWindow& window, const std::array<platform::ControlId, 4>& digits,
                           int seconds) {
  showDigit(window, digits[0], seconds / 600);
  showDigit(window, digits[1], seconds % 600 / 60);
  showDigit(window, digits[2], seconds % 60 / 10);
  showDigit(window, digits[3], seconds % 10);
}

void showTwoDigits(platform::DialogWindow& window, const std::array<platform::ControlId, 2>& digits, int value) {
  showDigit(window, digits[0], value / 10);
  showDigit(window, digits[1], value % 10);
}

}  // namespace brisolt
