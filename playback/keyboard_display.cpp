// Lighting the face's keys through their picture controls.
#include "playback/keyboard_display.h"

#include "platform/window/picture_catalog.h"
#include "platform/window/pictures/keyboard_layout.h"

namespace brisolt::playback {
namespace {

namespace layout = platform::layout;

platform::PictureId pictureFor(int key, KeyLight light) {
  return platform::litKeyPicture(static_cast<int>(layout::keyShape(key)), light == KeyLight::kMelody);
}

}  // namespace

void createKeyControls(platform::DialogWindow& window) {
  for (const bool black : {false, true}) {
    for (int key = 1; key <= kKeyboardKeys; ++key) {
      if (layout::isBlackKey(key) != black) continue;
      window.createPictureControl(keyControl(key), layout::keyPlace(key), pictureFor(key, KeyLight::kVoice), false);
    }
  }
}

void KeyboardDisplay::show(const KeyLights& lights) {
  if (lights == shown_) return;
  window_.lockRedraw();
  for (int key = 1; key <= kKeyboardKeys; ++key) {
    const auto index = static_cast<std::size_t>(key - 1);
    const KeyLight was = shown_[index];
    const KeyLight now = lights[index];
    if (now == was) continue;
    const platform::ControlId control = keyControl(key);
    if (now == KeyLight::kDark) {
      window_.hideControl(control);
      continue;
    }
    if (pictured_[index] != now) {
      window_.setControlPicture(control, pictureFor(key, now));
      pictured_[index] = now;
    }
    if (was == KeyLight::kDark) window_.showControl(control);
  }
  shown_ = lights;
  window_.unlockRedraw();
}

}  // namespace brisolt::playback
