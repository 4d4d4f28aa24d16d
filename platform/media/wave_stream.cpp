// Header parsing and block reads of WaveStream, with plain POSIX file calls.
#include "platform/media/wave_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace brisolt::platform {
namespace {

std::uint16_t little16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

std::uint32_t little32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Reads exactly `count` bytes at `offset`; false on error or end of file.
bool readFully(int fd, std::uint64_t offset, std::uint8_t* out, std::size_t count) {
  while (count > 0) {
    const ssize_t got = ::pread(fd, out, count, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    out += got;
    offset += static_cast<std::uint64_t>(got);
    count -= static_cast<std::size_t>(got);
  }
  return true;
}

bool sameFormat(const WaveFormat& a, const WaveFormat& b) {
  return a.formatTag == b.formatTag && a.channels == b.channels && a.sampleRate == b.sampleRate &&
         a.byteRate == b.byteRate && a.blockAlign == b.blockAlign && a.bitsPerSample == b.bitsPerSample;
}

std::string describe(const WaveFormat& f) {
  return std::to_string(f.sampleRate) + " Hz, " + std::to_string(f.channels) + " channel(s), " +
         std::to_string(f.bitsPerSample) + "-bit, format tag " + std::to_string(f.formatTag) + ", " +
         std::to_string(f.byteRate) + " bytes per second, block " + std::to_string(f.blockAlign);
}

}  // namespace

WaveStream::~WaveStream() { closeFile(); }

WaveStream::WaveStream(WaveStream&& other) noexcept { *this = std::move(other); }

WaveStream& WaveStream::operator=(WaveStream&& other) noexcept {
  if (this != &other) {
    closeFile();
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
    format_ = other.format_;
    dataStart_ = other.dataStart_;
    dataBytes_ = other.dataBytes_;
    declaredDataBytes_ = other.declaredDataBytes_;
    block_ = std::move(other.block_);
    blockOffset_ = other.blockOffset_;
    blockFill_ = std::exchange(other.blockFill_, 0);
  }
  return *this;
}

void WaveStream::closeFile() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

MediaResult WaveStream::open(const std::string& path, std::string& error) {
  closeFile();
  path_ = path;
  // Without waiting: a FIFO with no writer would otherwise hold the open
  // forever; the check just below refuses it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    error = "Cannot open the audio file '" + path + "': " + std::strerror(errno);
    return MediaResult::kCannotOpenFile;
  }
  fd_ = fd;  // from here on closeFile() releases it on every failure

  struct stat info {};
  if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    closeFile();
    error = "Cannot play '" + path + "': it is not a regular file";
    return MediaResult::kCannotOpenFile;
  }
  const auto fileBytes = static_cast<std::uint64_t>(info.st_size);
  const auto refuse = [&](const std::string& why) {
    closeFile();
    error = "Cannot play '" + path + "': " + why;
    return MediaResult::kUnsupportedFormat;
  };

  std::uint8_t riff[12];
  if (!readFully(fd_, 0, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
      std::memcmp(riff + 8, "WAVE", 4) != 0) {
    return refuse("it is not a RIFF/WAVE file");
  }

  // Walk the chunks up to "data"; its own size field is not trusted.
  bool haveFormat = false;
  std::uint64_t at = sizeof riff;
  for (;;) {
    std::uint8_t chunk[8];
    if (!readFully(fd_, at, chunk, sizeof chunk)) return refuse("it has no \"data\" chunk");
    const std::uint32_t size = little32(chunk + 4);
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      std::uint8_t fmt[16];
      if (size < sizeof fmt || !readFully(fd_, at + 8, fmt, sizeof fmt)) return refuse("its \"fmt \" chunk is short");
      format_ = {little16(fmt), little16(fmt + 2), little32(fmt + 4), little32(fmt + 8), little16(fmt + 12),
                 little16(fmt + 14)};
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat) return refuse("its \"data\" chunk comes before any \"fmt \" chunk");
      dataStart_ = at + 8;
      declaredDataBytes_ = size;
      break;
    }
    at += 8 + static_cast<std::uint64_t>(size) + (size & 1u);
  }
  if (!sameFormat(format_, kPlayableWaveFormat) && !sameFormat(format_, kPlayableStereoFormat)) {
    return refuse("it holds " + describe(format_) + "; only " + describe(kPlayableWaveFormat) + " or " +
                  describe(kPlayableStereoFormat) + " plays");
  }

  const std::uint64_t available = fileBytes > dataStart_ ? fileBytes - dataStart_ : 0;
  dataBytes_ = available - available % format_.blockAlign;
  block_.assign(kBlockBytes, 0);
  blockOffset_ = 0;
  blockFill_ = 0;
  return MediaResult::kSuccess;
}

bool WaveStream::fillBlock(std::uint64_t offset) {
  blockFill_ = 0;
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockBytes, dataBytes_ - offset));
  if (!readFully(fd_, dataStart_ + offset, block_.data(), want)) return false;
  blockOffset_ = offset;
  blockFill_ = want;
  return true;
}

bool WaveStream::read(std::uint64_t offset, std::uint8_t* out, std::size_t count) {
  if (fd_ < 0 || offset > dataBytes_ || count > dataBytes_ - offset) return false;
  while (count > 0) {
    const bool inBlock = offset >= blockOffset_ && offset < blockOffset_ + blockFill_;
    if (!inBlock && !fillBlock(offset)) return false;
    const std::size_t skip = static_cast<std::size_t>(offset - blockOffset_);
    const std::size_t take = std::min(count, blockFill_ - skip);
    std::memcpy(out, block_.data() + skip, take);
    out += take;
    offset += take;
    count -= take;
  }
  return true;
}

}  // namespace brisolt::platform
