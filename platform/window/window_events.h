// The messages the main window receives, and the handler interface through
// which the window logic gets them. The window layer calls the handler from
// its modal loop and from pumpOneMessage(), always on the window's thread.
#pragma once

#include <ostream>

#include "platform/media/media_notification.h"
#include "platform/window/window_ids.h"

namespace brisolt::platform {

// The keys the window logic tells apart; every other key arrives as `kOther`.
enum class Key {
  kEnter,        // Return or the keypad's Enter
  kKeypadPlus,
  kKeypadMinus,
  kLetterX,
  kLetterH,
  kF1,
  kF2,
  kF9,
  kF10,
  kF3,           // the session-id entry
  kSpace,        // the main row's Space bar
  kLeft,         // the arrow keys
  kRight,
  kPlus,         // + on the main row (with or without Shift)
  kMinus,        // - on the main row
  kOther,
};

struct KeyPress {
  Key key = Key::kOther;
  bool alt = false;  // an Alt key was held
  friend constexpr bool operator==(KeyPress, KeyPress) = default;
};

std::ostream& operator<<(std::ostream& out, Key key);

// Implemented by the window logic. Coordinates are client pixels of the face.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;

  // Called once by runModal() before the window is shown, like a dialog's
  // initialisation. endDialog() here ends the dialog before it appears.
  virtual void onInitDialog() = 0;
  virtual void onLeftButtonDown(int x, int y) = 0;
  virtual void onKeyDown(KeyPress key) = 0;
  virtual void onTimer(TimerId timer) = 0;
  virtual void onMediaNotification(MediaNotification flag) = 0;
  // The user asked to close the window (its close box, or the process was
  // asked to quit). The dialog goes on until the handler calls endDialog().
  virtual void onCloseRequest() = 0;
};

}  // namespace brisolt::platform
