// An open file of the program's own: the handle that every audio operation
// reads from or writes to. Reading is shared, writing is exclusive: any number
// of handles (in any number of processes) may read a file at once, but while
// one handle writes a file nobody else may read or write it, and while anyone
// reads it nobody may write it. Only regular files are read; names are never
// followed through a link when a file is created.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace brisolt::platform {

// Why an open failed.
enum class OpenError {
  kNone,        // it did not fail
  kMissing,     // no such file, or its folder is missing
  kExists,      // the file had to be new and the name is taken
  kLink,        // the name is a symbolic link, which is never followed here
  kFolder,      // the name is a folder
  kNotRegular,  // a FIFO, device or socket where a file was expected
  kInUse,       // another handle holds the file (being written, or read while we would write)
  kNoAccess,    // no permission
  kOther,       // any other system error (see the error number)
};

struct OpenFailure {
  OpenError error = OpenError::kNone;
  int systemError = 0;  // errno of the failing call, 0 when the refusal is our own
};

// The failure as words for a message: what went wrong and what would fix it.
std::string describeOpenFailure(const OpenFailure& failure);

// Owns one open file and closes it when it goes out of scope. A default-made
// or moved-from handle is the invalid handle: every operation on it fails
// without touching anything, so callers may pass it on and test the results.
//
// Offsets and byte counts are unsigned 32-bit, as the audio files need.
class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens an existing regular file for reading, shared with other readers.
  // Fails (invalid handle) at once, without waiting, when the file does not
  // exist, is a folder, a FIFO, a device or a socket, or is being written by
  // another handle. `failure`, when given, says why.
  static File openForReading(const std::string& path, OpenFailure* failure = nullptr);

  // Creates a file for writing, replacing an existing one (its contents are
  // dropped). Fails when the folder is missing or not writable, when the name
  // is a link, a folder, a FIFO or a socket, or when the file is held open by
  // another handle; an existing file is then untouched. A character device
  // (/dev/null, /dev/full) is written as it is.
  static File createForWriting(const std::string& path, OpenFailure* failure = nullptr);

  // Creates a new regular file for writing, exclusively: fails with kExists
  // when anything has the name already, kLink when that is a link. What is
  // written can be read back through the same handle (seek, then read).
  static File createNew(const std::string& path, OpenFailure* failure = nullptr);

  bool isValid() const { return descriptor_ >= 0; }
  explicit operator bool() const { return isValid(); }

  // Moves to `offset` bytes from the start. Positions past the end are
  // allowed (a read there delivers nothing). False on the invalid handle.
  bool seek(std::uint32_t offset);

  // Reads up to `count` bytes; fewer only at the end of the file. Returns the
  // bytes read: 0 at the end, on a read error and on the invalid handle.
  std::uint32_t read(void* buffer, std::uint32_t count);

  // Writes `count` bytes at the current position. Returns the bytes written,
  // fewer than `count` when the device is full or a size limit is reached.
  std::uint32_t write(const void* buffer, std::uint32_t count);

  // Closes the file now (the handle becomes invalid). Closing the invalid
  // handle does nothing.
  void close();

  // Hands the open descriptor, and the lock on the file with it, to a library
  // that writes through a descriptor of its own (libsndfile's sf_open_fd);
  // the caller closes it. The handle becomes invalid; -1 from the invalid handle.
  int releaseDescriptor() { return std::exchange(descriptor_, -1); }

 private:
  explicit File(int descriptor) : descriptor_(descriptor) {}

  int descriptor_ = -1;
};

}  // namespace brisolt::platform
