// The unmastered rendition between its two passes: interleaved stereo floats
// in a temporary file with no name, so nothing is left behind however the
// program ends, and the piece never has to fit in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "rendition/mastering.h"

namespace brisolt::rendition {

class ScratchAudio final : public MasteringInput {
 public:
  ScratchAudio() = default;
  ~ScratchAudio() override;
  ScratchAudio(const ScratchAudio&) = delete;
  ScratchAudio& operator=(const ScratchAudio&) = delete;

  // Makes the file in `folder`. Empty on success, else what failed.
  std::string open(const std::string& folder);
  // Appends frames; false when they could not all be written.
  bool append(const float* samples, std::size_t frames);
  std::uint64_t frames() const { return frames_; }

  // ---- MasteringInput
  bool rewind() override;
  std::optional<std::size_t> read(float* out, std::size_t frames) override;

 private:
  int fd_ = -1;
  std::uint64_t frames_ = 0;      // written
  std::uint64_t readFrame_ = 0;   // the next frame read() gives
};

}  // namespace brisolt::rendition
