// POSIX file handles with an exclusive lock standing for "no sharing".
#include "platform/files/file_handle.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace brisolt::platform {
namespace {

// Opens `path` with `flags` and takes an exclusive, non-blocking lock on it.
// Returns -1 (and leaves nothing open) when either step fails.
int openLocked(const std::string& path, int flags) {
  const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  if (descriptor < 0) return -1;
  struct stat status {};
  const bool usable = ::fstat(descriptor, &status) == 0 && !S_ISDIR(status.st_mode) &&
                      ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
  if (!usable) {
    ::close(descriptor);
    return -1;
  }
  return descriptor;
}

}  // namespace

File::~File() { close(); }

File::File(File&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    close();
    descriptor_ = std::exchange(other.descriptor_, -1);
  }
  return *this;
}

File File::openForReading(const std::string& path) { return File(openLocked(path, O_RDONLY)); }

File File::createForWriting(const std::string& path) {
  // Not O_TRUNC: the contents may only go once the lock shows nobody holds the file.
  // An empty file is not truncated: on ext4 a truncation to 0 makes the next
  // close start writing the file out to disk, which for a short-lived voice
  // file or stem costs more than writing it (and its later deletion waits).
  File file(openLocked(path, O_WRONLY | O_CREAT));
  struct stat status {};
  if (file.isValid() && ::fstat(file.descriptor_, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
      ::ftruncate(file.descriptor_, 0) != 0) {
    file.close();
  }
  return file;
}

bool File::seek(std::uint32_t offset) {
  if (!isValid()) return false;
  return ::lseek(descriptor_, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

std::uint32_t File::read(void* buffer, std::uint32_t count) {
  if (!isValid()) return 0;
  auto* bytes = static_cast<char*>(buffer);
  std::uint32_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(descriptor_, bytes + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::uint32_t>(got);
  }
  return done;
}

std::uint32_t File::write(const void* buffer, std::uint32_t count) {
  if (!isValid()) return 0;
  const auto* bytes = static_cast<const char*>(buffer);
  std::uint32_t done = 0;
  while (done < count) {
    const ssize_t put = ::write(descriptor_, bytes + done, count - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;
    done += static_cast<std::uint32_t>(put);
  }
  return done;
}

void File::close() {
  if (descriptor_ >= 0) ::close(std::exchange(descriptor_, -1));
}

}  // namespace brisolt::platform
