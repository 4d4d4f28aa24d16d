// `brisolt play FILE`: plays a mix in the terminal through the program's own
// media player, showing the elapsed time and the phrase being heard.
#pragma once

#include <iosfwd>
#include <string>

#include "app/cli/command.h"

namespace brisolt {

// Plays `path` to the end, or until q or Ctrl-C. Keys are read from standard
// input when it is a terminal (space pauses, left and right arrows seek a
// phrase); the status line is redrawn in place when standard output is a
// terminal and printed once per phrase otherwise. Returns an ExitStatus:
// kExitOk at the end or after q, kExitBadOptions when the file is missing or
// is not a playable mix, kExitFailure when the audio output fails,
// kExitCancelled after Ctrl-C.
int runPlay(const std::string& path, std::ostream& out, std::ostream& err);

Command addPlayCommand(CLI::App& app);

}  // namespace brisolt
