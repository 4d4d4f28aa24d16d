// An unnamed temporary file of float frames, written once and read back as
// often as the mastering asks.
#include "rendition/scratch_audio.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace brisolt::rendition {
namespace {

constexpr std::size_t kFrameBytes = 2 * sizeof(float);

bool writeFully(int fd, const char* data, std::size_t bytes, std::uint64_t offset) {
  while (bytes > 0) {
    const ssize_t wrote = ::pwrite(fd, data, bytes, static_cast<off_t>(offset));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    data += wrote;
    bytes -= static_cast<std::size_t>(wrote);
    offset += static_cast<std::uint64_t>(wrote);
  }
  return true;
}

}  // namespace

ScratchAudio::~ScratchAudio() {
  if (fd_ >= 0) ::close(fd_);
}

std::string ScratchAudio::open(const std::string& folder) {
  // A file without a name where the system can make one; else a named one,
  // unlinked at once.
  fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd_ < 0) {
    std::string pattern = folder + "/brisolt-rendition-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ >= 0) ::unlink(name.data());
  }
  if (fd_ < 0) {
    return "cannot make a temporary file in '" + folder + "' (" + std::strerror(errno) +
           "); set TMPDIR to a folder with room";
  }
  return {};
}

bool ScratchAudio::append(const float* samples, std::size_t frames) {
  if (!writeFully(fd_, reinterpret_cast<const char*>(samples), frames * kFrameBytes, frames_ * kFrameBytes)) {
    return false;
  }
  frames_ += frames;
  return true;
}

bool ScratchAudio::rewind() {
  readFrame_ = 0;
  return fd_ >= 0;
}

std::optional<std::size_t> ScratchAudio::read(float* out, std::size_t frames) {
  const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(frames, frames_ - readFrame_));
  auto* bytes = reinterpret_cast<char*>(out);
  std::size_t left = take * kFrameBytes;
  std::uint64_t offset = readFrame_ * kFrameBytes;
  while (left > 0) {
    const ssize_t got = ::pread(fd_, bytes, left, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return std::nullopt;
    bytes += got;
    left -= static_cast<std::size_t>(got);
    offset += static_cast<std::uint64_t>(got);
  }
  readFrame_ += take;
  return take;
}

}  // namespace brisolt::rendition
