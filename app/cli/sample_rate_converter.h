// Converts interleaved float audio from one sample rate to another with
// libswresample, block by block, for export formats that take only some
// rates (Opus: 48 kHz). libswresample is opened the first time a converter
// is made.
#pragma once

#include <string>
#include <vector>

struct SwrContext;

namespace brisolt {
namespace platform {
struct ResampleFunctions;
}

class SampleRateConverter {
 public:
  SampleRateConverter(int channels, int fromRate, int toRate);
  ~SampleRateConverter();
  SampleRateConverter(const SampleRateConverter&) = delete;
  SampleRateConverter& operator=(const SampleRateConverter&) = delete;

  // False when libswresample could not be loaded or refused the rates or
  // channel count; error() then says which.
  bool ready() const { return context_ != nullptr; }
  const std::string& error() const { return error_; }

  // Converts `frames` frames of `input`; returns the frames ready so far
  // (the converter keeps a few back to filter across block boundaries).
  const std::vector<float>& convert(const float* input, int frames);
  // The frames it kept back; call once after the last block.
  const std::vector<float>& flush();

 private:
  const std::vector<float>& run(const float* input, int frames);

  const platform::ResampleFunctions* av_ = nullptr;
  SwrContext* context_ = nullptr;
  int channels_;
  int fromRate_;
  int toRate_;
  std::vector<float> output_;
  std::string error_;
};

}  // namespace brisolt
