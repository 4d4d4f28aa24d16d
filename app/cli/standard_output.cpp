// The check that what a subcommand printed reached standard output.
#include "app/cli/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "app/exit_status.h"

namespace brisolt {

int finishStandardOutput(int status, std::ostream& err) {
  errno = 0;
  std::cout.flush();
  const bool flushed = std::fflush(stdout) == 0;
  const int error = errno;
  if (flushed && std::cout && !std::ferror(stdout)) return status;
  err << "brisolt: could not write to standard output"
      << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << "\n";
  return status == kExitOk ? kExitFailure : status;
}

}  // namespace brisolt
