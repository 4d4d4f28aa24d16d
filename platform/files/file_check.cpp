// The regular-file check, from the file's status and a non-blocking open.
#include "platform/files/file_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brisolt::platform {

FileCheck checkRegularFile(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return FileCheck::kMissing;
  if (S_ISDIR(status.st_mode)) return FileCheck::kFolder;
  if (!S_ISREG(status.st_mode)) return FileCheck::kDeviceOrPipe;
  // Permission bits do not tell the whole story (root, access lists): try it.
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return FileCheck::kUnreadable;
  // The name may have changed between the two looks: trust the open file.
  const bool regular = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
  ::close(descriptor);
  return regular ? FileCheck::kRegular : FileCheck::kDeviceOrPipe;
}

const char* describeFileCheck(FileCheck check) {
  switch (check) {
    case FileCheck::kRegular: return "is a readable file";
    case FileCheck::kMissing: return "does not exist";
    case FileCheck::kFolder: return "is a folder, not a file";
    case FileCheck::kDeviceOrPipe: return "is a FIFO, device or socket, not a file";
    case FileCheck::kUnreadable: return "cannot be read (no permission)";
  }
  return "cannot be used";
}

}  // namespace brisolt::platform
