// What the main window makes of a key.
#include "app/window/key_filter.h"

namespace brisolt {

KeyAction filterKey(platform::KeyPress press) {
  using platform::Key;
  // With Alt held a key is a system key: none of the window's keys, and F10
  // with Alt goes on as well. F10 alone is swallowed (no menu).
  if (press.alt) return KeyAction::none;
  switch (press.key) {
    case Key::f10: return KeyAction::swallow;
    case Key::f1: return KeyAction::swallow;
    case Key::enter: return KeyAction::compose;
    case Key::keypadPlus: return KeyAction::plus;
    case Key::keypadMinus: return KeyAction::minus;
    case Key::letterX:
    case Key::f9: return KeyAction::exit;
    case Key::f2: return KeyAction::about;
    case Key::other: return KeyAction::none;
  }
  return KeyAction::none;
}

}  // namespace brisolt
