// Readable names of keys, for logs and test output.
#include "platform/window/window_events.h"

namespace brisolt::platform {

std::ostream& operator<<(std::ostream& out, Key key) {
  switch (key) {
    case Key::enter: return out << "Enter";
    case Key::keypadPlus: return out << "keypad +";
    case Key::keypadMinus: return out << "keypad -";
    case Key::letterX: return out << "X";
    case Key::letterH: return out << "H";
    case Key::f1: return out << "F1";
    case Key::f2: return out << "F2";
    case Key::f9: return out << "F9";
    case Key::f10: return out << "F10";
    case Key::f3: return out << "F3";
    case Key::space: return out << "Space";
    case Key::left: return out << "Left";
    case Key::right: return out << "Right";
    case Key::plus: return out << "+";
    case Key::minus: return out << "-";
    case Key::other: return out << "other key";
  }
  return out << "key " << static_cast<int>(key);
}

}  // namespace brisolt::platform
