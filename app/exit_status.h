// Exit statuses of the brisolt command-line tools. Each error a user can meet
// has its own status, so scripts can tell them apart.
#pragma once

namespace brisolt {

enum ExitStatus : int {
  kExitOk = 0,
  kExitFailure = 1,             // the work itself failed (render or write error)
  kExitBadOptions = 2,          // an option or argument is not allowed
  kExitNoSampleData = 3,        // Data.dat is missing or too short
  kExitArchiveNotWritable = 4,  // the archive folder cannot be created or written
  kExitNoDiskSpace = 5,         // not enough free space for the piece
  kExitBadFile = 6,             // brisolt play: the file is missing, unreadable or not a mix
  kExitCancelled = 130,         // stopped by Ctrl-C (other signals: 128 + the signal, termination_signals.h)
};

}  // namespace brisolt
