// Runs a built executable as a user or a script would: in a child process of
// its own, its standard output into a file, its error lines watched as they
// come (so that a test can signal it at a chosen moment), and its end as a
// shell reports it.
//
//   const ProgramRun run = runProgram({BRISOLT_EXECUTABLE, {"compose", ...}, out},
//                                     [](const std::string& line, pid_t pid) { ... ::kill(pid, SIGTERM); });
//   run.status  // 143 when SIGTERM ended it, as `$?` says
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace brisolt::test {

struct ProgramLaunch {
  std::string executable;
  std::vector<std::string> arguments;
  std::string outFile;             // standard output goes here (created or replaced)
  std::uint64_t fileSizeLimit = 0; // when not 0, no file of the program may grow past it (RLIMIT_FSIZE)
};

struct ProgramRun {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

// Runs the program to its end; every line it writes to standard error is
// handed to `onErrorLine` with its process id as it comes.
ProgramRun runProgram(const ProgramLaunch& launch,
                      const std::function<void(const std::string& line, pid_t pid)>& onErrorLine = {});

// Starts the program without waiting; its standard error goes to `errFile`.
// Returns its process id (-1 when it could not start).
pid_t startProgram(const ProgramLaunch& launch, const std::string& errFile);

// Waits for a program started by startProgram: its exit status, or 128 + the
// signal that ended it.
int waitForProgram(pid_t pid);

}  // namespace brisolt::test
