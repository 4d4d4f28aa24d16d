// What the main window makes of a key.
#include "app/window/key_filter.h"

namespace brisolt {

KeyAction filterKey(platform::KeyPress press) {
  using platform::Key;
  // With Alt held a key is a system key: none of the window's keys, and F10
  // with Alt goes on as well. F10 alone is swallowed (no menu).
  if (press.alt) return KeyAction::kNone;
  switch (press.key) {
    case Key::f10: return KeyAction::kSwallow;
    case Key::f1: return KeyAction::kSwallow;
    case Key::enter: return KeyAction::kCompose;
    case Key::keypadPlus:
    case Key::plus: return KeyAction::kPlus;
    case Key::keypadMinus:
    case Key::minus: return KeyAction::kMinus;
    case Key::space: return KeyAction::kPlayPause;
    case Key::left: return KeyAction::kPhraseBack;
    case Key::right: return KeyAction::kPhraseForward;
    case Key::f3: return KeyAction::kSessionEntry;
    case Key::letterX:
    case Key::f9: return KeyAction::kExit;
    case Key::f2: return KeyAction::kAbout;
    case Key::letterH: return KeyAction::kToggleHiFi;
    case Key::other: return KeyAction::kNone;
  }
  return KeyAction::kNone;
}

}  // namespace brisolt
