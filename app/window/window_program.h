// `brisolt` without a subcommand: the program's window on SDL2.
#pragma once

namespace brisolt {

// Paints the pictures, builds the Composer, opens the window and runs it
// until it is closed. An ExitStatus.
int runWindowProgram();

}  // namespace brisolt
