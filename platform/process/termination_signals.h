// The signals that ask the program to end — Ctrl-C (again and again), kill's
// TERM, a closed terminal's HUP and the file-size limit's XFSZ — caught and
// recorded, so that work in progress can stop at its next poll, clean up and
// only then end with the status a shell expects (128 + the signal). This is
// the program's one handling of signals: compose and plan turn a record into
// Stop (app/cli/generation_interrupt.h), play ends its loop on it and puts the
// terminal back through its destructors.
#pragma once

#include <csignal>

namespace brisolt::platform {

// The signals caught, with their system numbers.
enum class TerminationSignal : int {
  kNone = 0,
  kInterrupt = SIGINT,       // Ctrl-C, first or any later one
  kTerminate = SIGTERM,      // kill, shutdown
  kHangUp = SIGHUP,          // the terminal went away
  kFileSizeLimit = SIGXFSZ,  // a write passed the file-size limit (the write itself comes up short)
};

// While alive, the four signals only record themselves: the handler sets two
// async-signal-safe words and touches nothing else; system calls they
// interrupt are restarted. Callers poll pending() between notes and blocks,
// clean up, and end with exitStatus(). One at a time; the destructor puts
// back the handling that was there before.
class TerminationSignals {
 public:
  TerminationSignals();
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // True once any of the signals came.
  static bool pending();
  // The first signal that came (later ones do not replace it); kNone before.
  static TerminationSignal first();
  // How many came in all.
  static int count();
  // 128 + the first signal's number, as a shell reports a death by that signal; 0 before any.
  static int exitStatus();
  // Forgets the signals that came (the window goes on after a stopped Generate).
  static void clear();
};

// "SIGTERM", "SIGHUP", ... for messages; "none" for kNone.
const char* signalName(TerminationSignal signal);

}  // namespace brisolt::platform
