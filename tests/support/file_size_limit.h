// Makes writes come up short without a full disk: while a FileSizeLimit is
// alive, no file of this process can grow past `bytes` (RLIMIT_FSIZE). A write
// that crosses the limit writes what fits; the next one writes nothing. Works
// as root, unlike a read-only folder. Tests run one at a time per process, so
// the limit touches only the test that sets it.
#pragma once

#include <cstdint>
#include <sys/resource.h>

namespace brisolt::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::uint64_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*savedHandler_)(int) = nullptr;
};

// A path whose every write fails as on a full disk ("/dev/full").
inline constexpr const char* kFullDevice = "/dev/full";

}  // namespace brisolt::test
