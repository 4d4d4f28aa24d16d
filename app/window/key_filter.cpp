// What the main window makes of a key.
#include "app/window/key_filter.h"

namespace brisolt {

KeyAction filterKey(platform::KeyPress press) {
  using platform::Key;
  // With Alt held a key is a system key: none of the window's keys, and F10
  // with Alt goes on as well. F10 alone is swallowed (no menu).
  if (press.alt) return KeyAction::kNone;
  switch (press.key) {
    case Key::kF10: return KeyAction::kSwallow;
    case Key::kF1: return KeyAction::kSwallow;
    case Key::kEnter: return KeyAction::kCompose;
    case Key::kKeypadPlus:
    case Key::kPlus: return KeyAction::kPlus;
    case Key::kKeypadMinus:
    case Key::kMinus: return KeyAction::kMinus;
    case Key::kSpace: return KeyAction::kPlayPause;
    case Key::kLeft: return KeyAction::kPhraseBack;
    case Key::kRight: return KeyAction::kPhraseForward;
    case Key::kF3: return KeyAction::kSessionEntry;
    case Key::kLetterX:
    case Key::kF9: return KeyAction::kExit;
    case Key::kF2: return KeyAction::kAbout;
    case Key::kLetterH: return KeyAction::kToggleHiFi;
    case Key::kOther: return KeyAction::kNone;
  }
  return KeyAction::kNone;
}

}  // namespace brisolt
