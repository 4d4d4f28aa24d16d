// What the main window makes of a key before anything else sees it: the
// keys that stand for hot spots, and those it swallows.
#pragma once

#include "platform/window/window_events.h"

namespace brisolt {

enum class KeyAction {
  none,         // not one of the window's keys
  swallow,      // F1 (no help from the key) and F10 without Alt (no menu)
  compose,      // Enter: a click on COMPOSE
  plus,         // keypad +: a phrase forward while playing or paused, five phrases more while idle
  minus,        // keypad -: the same backwards
  exit,         // X or F9: a click on EXIT
  about,        // F2: the About box
};

// Keys pressed with Alt held are never the window's (Alt+X does not exit).
KeyAction filterKey(platform::KeyPress key);

}  // namespace brisolt
