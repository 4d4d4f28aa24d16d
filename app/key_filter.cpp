// What the main window makes of a key.
#include "app/key_filter.h"

namespace brisolt {

KeyAction filterKey(platform::KeyPress press) {
  using platform::Key;
  switch (press.key) {
    case Key::f10: return press.alt ? KeyAction::none : KeyAction::swallow;
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
