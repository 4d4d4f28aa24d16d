// The write lock taken on an unchanged file.
#include "tests/support/write_hold.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace brisolt::test {

WriteHold::WriteHold(const std::string& path) {
  descriptor_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (descriptor_ >= 0 && ::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
    ::close(descriptor_);
    descriptor_ = -1;
  }
}

WriteHold::~WriteHold() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

}  // namespace brisolt::test
