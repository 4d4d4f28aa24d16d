// The end of every run that printed on standard output: what was printed
// must have reached it. A full disk, a closed pipe's error or a device that
// refuses writes is a failure with its own message, never a silent success.
#pragma once

#include <iosfwd>

namespace brisolt {

// Flushes standard output. When that or an earlier write failed, says so on
// `err` and turns a successful `status` into kExitFailure; any other status
// is kept.
int finishStandardOutput(int status, std::ostream& err);

}  // namespace brisolt
