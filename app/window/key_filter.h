// What the main window makes of a key before anything else sees it: the
// keys that run a hot spot's action, and those it swallows.
#pragma once

#include "platform/window/window_events.h"

namespace brisolt {

enum class KeyAction {
  kNone,         // not one of the window's keys
  kSwallow,      // F1 (no help from the key) and F10 without Alt (no menu)
  kCompose,      // Enter: the compose action, as COMPOSE
  kPlus,         // keypad or main-row +: a phrase forward while playing or paused, five phrases more while idle
  kMinus,        // keypad or main-row -: the same backwards
  kExit,         // X or F9: the exit action, as EXIT
  kAbout,        // F2: the About box
  kPlayPause,    // Space: Play while idle, PAUSE while playing or paused
  kPhraseBack,   // Left: a phrase back while playing or paused
  kPhraseForward,  // Right: a phrase forward while playing or paused
  kSessionEntry,   // F3: the entry for the session id of the next Generate
  kToggleHiFi,   // H: the MIDI file and stereo rendition of the next pieces on or off
};

// Keys pressed with Alt held are never the window's (Alt+X does not exit).
KeyAction filterKey(platform::KeyPress key);

}  // namespace brisolt
