// Where the program lives and where temporary files go.
#pragma once

#include <string>

namespace brisolt::platform {

// The folder of the running executable, without a trailing '/'. Read from
// /proc/self/exe, so paths of any length are kept whole. Empty when the
// system cannot tell (then files go to the current folder).
std::string executableFolder();

// The file name of the running executable ("brisolt"); empty when the
// system cannot tell.
std::string executableName();

// The folder for temporary files: $TMPDIR when set and not empty, else /tmp.
// Always ends in '/'.
std::string temporaryFolder();

}  // namespace brisolt::platform
