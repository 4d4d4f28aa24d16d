// What kind of thing a name stands for, asked without ever opening it in a
// way that could wait: the check that keeps FIFOs, devices and folders from
// being read as the program's files.
#pragma once

#include <string>

namespace brisolt::platform {

enum class FileCheck {
  kRegular,     // a regular file (or a link to one) that this program may read
  kMissing,     // nothing by that name (or a link that leads nowhere)
  kFolder,      // a folder
  kDeviceOrPipe,  // a FIFO, a device or a socket (also through a link)
  kUnreadable,  // a regular file this program may not read
};

// Looks at `path`, following links. Never blocks: FIFOs and devices are judged
// by their status alone and never opened.
FileCheck checkRegularFile(const std::string& path);

// The check as words for a message, e.g. "is a FIFO, device or socket, not a
// file"; kRegular gives "is a readable file".
const char* describeFileCheck(FileCheck check);

}  // namespace brisolt::platform
