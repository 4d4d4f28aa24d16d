// Wave files for the media tests, written into a folder of their own that is
// removed afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/media/wave_stream.h"

namespace brisolt::platform::testing {

// Sample bytes whose every frame differs from its neighbours, so a test can
// tell which bytes were played: frame i holds the 16-bit value i + 1.
std::vector<std::uint8_t> countingSamples(std::size_t frames);

// A 44-byte header like the program's: `declaredBytes` in the data size (and
// + 36 in the RIFF size), with `format` in the "fmt " chunk.
std::vector<std::uint8_t> waveHeader(std::uint32_t declaredBytes, const WaveFormat& format = kPlayableWaveFormat);

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  std::string path(const std::string& name) const { return (folder_ / name).string(); }
  // Writes `bytes` as the file `name` and returns its path.
  std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  // The header above followed by `samples`.
  std::string writeWave(const std::string& name, const std::vector<std::uint8_t>& samples,
                        std::uint32_t declaredBytes) const;

 private:
  std::filesystem::path folder_;
};

}  // namespace brisolt::platform::testing
