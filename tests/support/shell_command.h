// Runs a command line through the shell, as a user types it, for the tests
// that try the built executables.
#pragma once

#include <string>

namespace brisolt::test {

struct ShellRun {
  int status = -1;   // the exit status; -1 when the command could not start or did not exit normally
  std::string out;   // everything it wrote to standard output
};

// Runs `command` with /bin/sh and waits for it to end.
ShellRun runShell(const std::string& command);

}  // namespace brisolt::test
