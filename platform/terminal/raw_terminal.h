// The terminal of the command-line player in raw mode: keys arrive one at a
// time without echo, and the settings come back when the player ends, also
// after Ctrl-C or kill (platform/process/termination_signals.h records them, so
// the player ends through its destructors).
#pragma once

#include <termios.h>

namespace brisolt::platform {

// Puts the terminal on `descriptor` into non-canonical mode without echo,
// and restores its settings when destroyed. Does nothing when the
// descriptor is not a terminal.
class RawTerminal {
 public:
  explicit RawTerminal(int descriptor);
  ~RawTerminal();
  RawTerminal(const RawTerminal&) = delete;
  RawTerminal& operator=(const RawTerminal&) = delete;

  bool active() const { return active_; }

 private:
  int descriptor_;
  termios saved_{};
  bool active_ = false;
};

}  // namespace brisolt::platform
