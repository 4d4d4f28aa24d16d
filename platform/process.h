// The running process's side of the system: whether its standard streams are
// terminals, waiting for and reading standard input, and Ctrl-C recorded as a
// flag instead of ending the program.
#pragma once

#include <cstddef>

namespace brisolt::platform {

enum class StandardStream { kInput, kOutput, kError };

bool isTerminal(StandardStream stream);
// The stream's file descriptor, for code that sets the terminal up.
int descriptorOf(StandardStream stream);

// Sleeps `milliseconds`, or less when a signal arrives.
void sleepUnlessSignalled(int milliseconds);

// Waits at most `milliseconds` for standard input to have bytes (or its end).
// False after a timeout or a signal.
bool waitForStandardInput(int milliseconds);

// Reads what standard input has, up to `size` bytes; 0 or less at its end or
// on an error.
long readStandardInput(char* bytes, std::size_t size);

// While alive, SIGINT only sets a flag (the handler touches nothing else); a
// second Ctrl-C ends the program at once. One at a time; the destructor puts
// back the previous handling.
class InterruptRecorder {
 public:
  InterruptRecorder();
  ~InterruptRecorder();
  InterruptRecorder(const InterruptRecorder&) = delete;
  InterruptRecorder& operator=(const InterruptRecorder&) = delete;

  // True once Ctrl-C was pressed while this recorder was alive.
  bool interrupted() const;
};

}  // namespace brisolt::platform
