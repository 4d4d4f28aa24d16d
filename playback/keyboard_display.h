// The face's keyboard as playback lights it: one picture control per key,
// laid over the drawn key and shown while the key sounds, in the melody's
// light or the other voices'. Only keys whose light changed are touched, so a
// timer tick where nothing changed draws nothing.
#pragma once

#include "platform/window/dialog_window.h"
#include "platform/window/window_ids.h"
#include "playback/keyboard_lights.h"

namespace brisolt::playback {

// The controls of the 60 keys: 1200 (C1) to 1259 (B5).
inline constexpr int kFirstKeyControl = 1200;
constexpr platform::ControlId keyControl(int key) { return platform::ControlId{kFirstKeyControl + key - 1}; }

// Makes the key controls, hidden, at the keys' places on the face: the white
// keys first and the black keys after them, so that a lit black key lies on
// top of the white keys it cuts into.
void createKeyControls(platform::DialogWindow& window);

class KeyboardDisplay {
 public:
  explicit KeyboardDisplay(platform::DialogWindow& window) : window_(window) {}

  // Shows `lights`, changing only the keys whose light differs from what is
  // shown; several changes are painted at once.
  void show(const KeyLights& lights);
  // Every key dark.
  void darken() { show(KeyLights{}); }
  const KeyLights& shown() const { return shown_; }

 private:
  platform::DialogWindow& window_;
  KeyLights shown_{};  // the controls start hidden: every key dark
  // The light whose picture each control holds: createKeyControls() gives
  // them the other voices' light.
  KeyLights pictured_ = [] {
    KeyLights lights;
    lights.fill(KeyLight::kVoice);
    return lights;
  }();
};

}  // namespace brisolt::playback
