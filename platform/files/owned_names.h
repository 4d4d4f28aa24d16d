// Names that carry the id of the process that made them, so that a later run
// can tell the leftovers of a process that died (killed, or ended by a full
// disk) from the files of one still at work, and sweep only the former.
//
//   temporary files:  "brisolt-<pid>-XXXXXX.tmp"  (in the temporary folder)
//   files in making:  "<final name>.partial-<pid>" (beside their final name)
#pragma once

#include <string>
#include <sys/types.h>

namespace brisolt::platform {

// "brisolt-<pid>-": the start of every temporary file name of process `pid`.
std::string temporaryNamePrefix(pid_t pid);

// "<finalPath>.partial-<pid>": where process `pid` writes `finalPath` before
// it is complete.
std::string partialName(const std::string& finalPath, pid_t pid);

// The process id carried by a file name of either form (without folder), or
// 0 when the name has neither form.
pid_t ownerOfName(const std::string& name);

// True while process `pid` exists (also when it belongs to another user).
bool processExists(pid_t pid);

// Deletes, in `folder`, the temporary and partial files (and only those)
// whose owner no longer exists; never a file of a live process, never a
// folder, never through a link (a link is removed as a name). Returns how
// many names were removed.
int removeStaleTemporaryFiles(const std::string& folder);

}  // namespace brisolt::platform
