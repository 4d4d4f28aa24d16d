// POSIX file handles: a shared lock for reading, an exclusive one for writing.
#include "platform/files/file_handle.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace brisolt::platform {
namespace {

enum class Accept { kRegularOnly, kRegularOrCharacterDevice };

void report(OpenFailure* failure, OpenError error, int systemError) {
  if (failure != nullptr) *failure = {error, systemError};
}

OpenError errorOfOpen(int systemError) {
  switch (systemError) {
    case ENOENT:
    case ENOTDIR: return OpenError::kMissing;
    case EEXIST: return OpenError::kExists;
    case ELOOP: return OpenError::kLink;
    case EISDIR: return OpenError::kFolder;
    case ENXIO:  // a FIFO without a reader, opened for writing without waiting
      return OpenError::kNotRegular;
    case EACCES:
    case EPERM: return OpenError::kNoAccess;
    case EWOULDBLOCK: return OpenError::kInUse;
    default: return OpenError::kOther;
  }
}

// Opens `path` with `flags` without ever waiting (a FIFO or a terminal
// cannot hang the open), refuses what `accept` does not allow, takes the
// lock (`lock` is LOCK_SH or LOCK_EX, never waiting either) and returns the
// descriptor in blocking mode. Returns -1 (leaving nothing open) on failure.
int openLocked(const std::string& path, int flags, Accept accept, int lock, OpenFailure* failure) {
  const int descriptor = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    const int systemError = errno;
    report(failure, errorOfOpen(systemError), systemError);
    return -1;
  }
  struct stat status {};
  OpenError refusal = OpenError::kNone;
  int systemError = 0;
  if (::fstat(descriptor, &status) != 0) {
    systemError = errno;
    refusal = OpenError::kOther;
  } else if (S_ISDIR(status.st_mode)) {
    refusal = OpenError::kFolder;
  } else if (!S_ISREG(status.st_mode) && !(accept == Accept::kRegularOrCharacterDevice && S_ISCHR(status.st_mode))) {
    refusal = OpenError::kNotRegular;
  } else if (::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0 ||
             ::flock(descriptor, lock | LOCK_NB) != 0) {
    systemError = errno;
    refusal = errorOfOpen(systemError);
  }
  if (refusal != OpenError::kNone) {
    ::close(descriptor);
    report(failure, refusal, systemError);
    return -1;
  }
  report(failure, OpenError::kNone, 0);
  return descriptor;
}

}  // namespace

std::string describeOpenFailure(const OpenFailure& failure) {
  std::string text;
  switch (failure.error) {
    case OpenError::kNone: return "no failure";
    case OpenError::kMissing: text = "does not exist (or its folder is missing)"; break;
    case OpenError::kExists: text = "already exists (choose another name or remove it)"; break;
    case OpenError::kLink: text = "is a symbolic link, which is never followed (remove the link)"; break;
    case OpenError::kFolder: text = "is a folder, not a file"; break;
    case OpenError::kNotRegular: text = "is a FIFO, device or socket, not a regular file"; break;
    case OpenError::kInUse: text = "is in use: another program is writing it, or reading it while it should be written"; break;
    case OpenError::kNoAccess: text = "is not accessible (check the permissions)"; break;
    case OpenError::kOther: text = "could not be opened"; break;
  }
  if (failure.systemError != 0) text += std::string(" (") + std::strerror(failure.systemError) + ")";
  return text;
}

File::~File() { close(); }

File::File(File&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    close();
    descriptor_ = std::exchange(other.descriptor_, -1);
  }
  return *this;
}

File File::openForReading(const std::string& path, OpenFailure* failure) {
  return File(openLocked(path, O_RDONLY, Accept::kRegularOnly, LOCK_SH, failure));
}

File File::createForWriting(const std::string& path, OpenFailure* failure) {
  // Not O_TRUNC: the contents may only go once the lock shows nobody holds the file.
  // An empty file is not truncated: on ext4 a truncation to 0 makes the next
  // close start writing the file out to disk, which for a short-lived voice
  // file or stem costs more than writing it (and its later deletion waits).
  File file(openLocked(path, O_WRONLY | O_CREAT | O_NOFOLLOW, Accept::kRegularOrCharacterDevice, LOCK_EX, failure));
  struct stat status {};
  if (file.isValid() && ::fstat(file.descriptor_, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
      ::ftruncate(file.descriptor_, 0) != 0) {
    report(failure, OpenError::kOther, errno);
    file.close();
  }
  return file;
}

File File::createNew(const std::string& path, OpenFailure* failure) {
  File file(openLocked(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, Accept::kRegularOnly, LOCK_EX, failure));
  if (!file && failure != nullptr && failure->error == OpenError::kExists) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) failure->error = OpenError::kLink;
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
