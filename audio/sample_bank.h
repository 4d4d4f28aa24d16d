// The sample bank: where each clip of the sample data file starts, found by
// key and layer or by clip name, and the WAV operations that copy clips into
// voice files. A bank is cheap to build; each renderer call builds its own.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "audio/sample_table.h"
#include "audio/wave_copy.h"
#include "audio/wave_format.h"
#include "platform/files/file_handle.h"

namespace brisolt::audio {

inline constexpr std::int32_t kNoClip = -1;

// The layer whose clip a request for `layer` copies: the bank has no clips
// of layer 5, which reads layer 4.
constexpr int clipLayer(int layer) { return layer == 5 ? 4 : layer; }

// The bank never opens the sample data file: callers open it for reading and
// pass its handle (the source) to the copies.
class SampleBank {
 public:
  // Builds the clip lists and the key-by-layer offset table. Opens no file.
  SampleBank();
  ~SampleBank();
  SampleBank(const SampleBank&) = delete;
  SampleBank& operator=(const SampleBank&) = delete;

  // The offset of the clip of `key` (0..60, 0 = silence) and `layer` (1..5,
  // 5 read as clipLayer(5) = 4), or kNoClip where there is none or the
  // arguments are out of range.
  std::int32_t sampleOffset(int key, int layer) const;

  // The offset of the first clip whose name carries `key` and `layer` in its
  // characters 3-4 and 10, found by scanning the names; kNoClip when none does.
  // Key 0 gives the silence clip once it has been looked up.
  std::int32_t findSampleOffset(int key, int layer) const;

  // The offset of a clip by file name, letter case ignored. Any name that
  // contains "silence" (in lower case) means the silence clip. kNoClip when
  // no clip has that name.
  std::int32_t findSampleOffsetByName(std::string_view name) const;

  std::int32_t silenceOffset() const { return silenceOffset_; }
  const std::vector<std::string>& names() const { return names_; }
  const std::vector<std::uint32_t>& sizes() const { return sizes_; }

  // The WAV operations (see audio/wave_copy.h), sharing this bank's header
  // buffer and its one 64 KiB copy buffer.
  platform::File createWaveFile(const std::string& path, int bars, int tempo);
  std::int32_t copyScaled(platform::File& source, platform::File& destination, std::uint32_t offset,
                          std::uint32_t length, int step);
  std::int32_t copyScaledCut(platform::File& source, platform::File& destination, std::uint32_t offset,
                             std::uint32_t length, int step);
  std::int32_t copyRaw(platform::File& source, platform::File& destination, std::uint32_t offset,
                       std::uint32_t length);

 private:
  static constexpr int kKeyRows = kLastKey + 1;  // keys 0..60
  static constexpr int kLayerColumns = 6;        // layers 0..5; column 0 unused

  HeaderTemplate header_{};
  std::vector<std::string> names_;
  std::vector<std::uint32_t> sizes_;
  std::array<std::array<std::int32_t, kLayerColumns>, kKeyRows> offsets_{};
  std::int32_t silenceOffset_ = kNoClip;
  std::unique_ptr<CopyBuffer> copyBuffer_;
};

}  // namespace brisolt::audio
