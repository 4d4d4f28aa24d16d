// Reads the sample data of a WAV file from disk block by block, so that a mix
// of hundreds of megabytes plays without being loaded whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/media/media_result.h"

namespace brisolt::platform {

// The format fields of a "fmt " chunk.
struct WaveFormat {
  std::uint16_t formatTag = 0;  // 1 is integer PCM
  std::uint16_t channels = 0;
  std::uint32_t sampleRate = 0;
  std::uint32_t byteRate = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
};

// The formats that play: what the program writes. The mix is 22,050 Hz
// mono; the stereo rendition beside it (PelkoL.wav) is 44,100 Hz stereo.
// Both are 16-bit integer PCM; positions in milliseconds come from each
// file's own byte rate, so phrase n starts at the same time in both.
inline constexpr WaveFormat kPlayableWaveFormat{1, 1, 22050, 44100, 2, 16};
inline constexpr WaveFormat kPlayableStereoFormat{1, 2, 44100, 176400, 4, 16};

// An open WAV file. The sample data is what really follows the "data" chunk
// header up to the end of the file, in whole frames: the size that the header
// declares is a prediction written before the samples and is not trusted.
// Reads go through one block buffer of kBlockBytes, refilled at need.
// Not thread-safe; the owner serialises access.
class WaveStream {
 public:
  static constexpr std::size_t kBlockBytes = 65536;

  WaveStream() = default;
  ~WaveStream();
  WaveStream(WaveStream&& other) noexcept;
  WaveStream& operator=(WaveStream&& other) noexcept;
  WaveStream(const WaveStream&) = delete;
  WaveStream& operator=(const WaveStream&) = delete;

  // Opens `path` and reads its header. Result: success, cannotOpenFile or
  // unsupportedFormat (not RIFF/WAVE, no "fmt " before "data", or a format
  // other than kPlayableWaveFormat and kPlayableStereoFormat); on failure `error` says what and where.
  MediaResult open(const std::string& path, std::string& error);

  bool isOpen() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }
  const WaveFormat& format() const { return format_; }
  std::uint64_t dataBytes() const { return dataBytes_; }
  std::uint32_t declaredDataBytes() const { return declaredDataBytes_; }

  // Copies `count` bytes of sample data starting `offset` bytes into the data
  // to `out`. False (and `out` partly written) when the range is not inside
  // the data or the file does not deliver it.
  bool read(std::uint64_t offset, std::uint8_t* out, std::size_t count);

 private:
  bool fillBlock(std::uint64_t offset);
  void closeFile();

  int fd_ = -1;
  std::string path_;
  WaveFormat format_;
  std::uint64_t dataStart_ = 0;  // file offset of the first sample byte
  std::uint64_t dataBytes_ = 0;
  std::uint32_t declaredDataBytes_ = 0;
  std::vector<std::uint8_t> block_;
  std::uint64_t blockOffset_ = 0;  // data offset of block_[0]
  std::size_t blockFill_ = 0;
};

}  // namespace brisolt::platform
