// The terminal of the command-line player in raw mode: keys arrive one at a
// time without echo, and the settings come back when the player ends, also
// after Ctrl-C (which still raises SIGINT).
#pragma once

#include <termios.h>

#include <csignal>

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

// While alive, SIGINT and SIGTERM only set a flag (and interrupt a blocking
// poll), so that the player can end through its destructors; the previous
// handlers come back afterwards.
class InterruptFlag {
 public:
  InterruptFlag();
  ~InterruptFlag();
  InterruptFlag(const InterruptFlag&) = delete;
  InterruptFlag& operator=(const InterruptFlag&) = delete;

  bool raised() const;

 private:
  struct sigaction savedInterrupt_ {};
  struct sigaction savedTerminate_ {};
};

}  // namespace brisolt::platform
