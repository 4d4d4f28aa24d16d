// An open file of the program's own: the handle that every audio operation
// reads from or writes to. Files are never shared: while one handle holds a
// file, a second open of the same file fails, whether for reading or writing.
#pragma once

#include <cstdint>
#include <string>

namespace brisolt::platform {

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

  // Opens an existing file for reading. Fails (invalid handle) when the file
  // does not exist, is a folder, or is held open by another handle.
  static File openForReading(const std::string& path);

  // Creates a file for writing, replacing an existing one (its contents are
  // dropped). Fails when the folder is missing or not writable, or when the
  // file is held open by another handle; an existing file is then untouched.
  static File createForWriting(const std::string& path);

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

 private:
  explicit File(int descriptor) : descriptor_(descriptor) {}

  int descriptor_ = -1;
};

}  // namespace brisolt::platform
