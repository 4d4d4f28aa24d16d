// Runs a built executable under a watchdog, for the tests of inputs that
// could make it wait forever (FIFOs, devices): a run that does not end in
// time is killed and reported, so that a hang fails its test instead of
// blocking the whole test run.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace brisolt::test {

struct WatchedRun {
  int status = -1;          // the exit status, or 128 + the signal that ended it
  bool timedOut = false;    // the watchdog killed it
  std::chrono::milliseconds took{0};
  std::string out;          // what it wrote to standard output
  std::string err;          // and to standard error
};

// Runs `program` with `arguments`, standard input from /dev/null, standard
// output and error into files in `scratchFolder`; kills it (SIGKILL) once it
// has run for `limit`.
WatchedRun runWatched(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& scratchFolder, std::chrono::milliseconds limit);

}  // namespace brisolt::test
