// The process's standard streams: whether they are terminals, their file
// descriptors, waiting for and reading standard input, and a sleep that a
// signal cuts short. (Signals themselves: termination_signals.h.)
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

}  // namespace brisolt::platform
