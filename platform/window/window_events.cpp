// Readable names of keys, for logs and test output.
#include "platform/window/window_events.h"

namespace brisolt::platform {

std::ostream& operator<<(std::ostream& out, Key key) {
  switch (key) {
    case Key::kEnter: return out << "Enter";
    case Key::kKeypadPlus: return out << "keypad +";
    case Key::kKeypadMinus: return out << "keypad -";
    case Key::kLetterX: return out << "X";
    case Key::kLetterH: return out << "H";
    case Key::kF1: return out << "F1";
    case Key::kF2: return out << "F2";
    case Key::kF9: return out << "F9";
    case Key::kF10: return out << "F10";
    case Key::kF3: return out << "F3";
    case Key::kSpace: return out << "Space";
    case Key::kLeft: return out << "Left";
    case Key::kRight: return out << "Right";
    case Key::kPlus: return out << "+";
    case Key::kMinus: return out << "-";
    case Key::kOther: return out << "other key";
  }
  return out << "key " << static_cast<int>(key);
}

}  // namespace brisolt::platform
