// libswresample behind a small class: one context per conversion, freed with it.
#include "app/cli/sample_rate_converter.h"

#include <cstdint>

#include "platform/libraries/ffmpeg_functions.h"

namespace brisolt {

SampleRateConverter::SampleRateConverter(int channels, int fromRate, int toRate)
    : channels_(channels), fromRate_(fromRate), toRate_(toRate) {
  const platform::ResampleLibrary& library = platform::resampleLibrary();
  if (!library.loaded()) {
    error_ = "the sample-rate converter needs " + library.message;
    return;
  }
  av_ = &library.functions;
  AVChannelLayout layout{};
  av_->av_channel_layout_default(&layout, channels);
  if (av_->swr_alloc_set_opts2(&context_, &layout, AV_SAMPLE_FMT_FLT, toRate, &layout, AV_SAMPLE_FMT_FLT, fromRate, 0,
                               nullptr) < 0 ||
      av_->swr_init(context_) < 0) {
    av_->swr_free(&context_);
    error_ = "libswresample refused " + std::to_string(channels) + " channels from " + std::to_string(fromRate) +
             " Hz to " + std::to_string(toRate) + " Hz";
  }
  av_->av_channel_layout_uninit(&layout);
}

SampleRateConverter::~SampleRateConverter() {
  if (av_ != nullptr) av_->swr_free(&context_);
}

const std::vector<float>& SampleRateConverter::convert(const float* input, int frames) {
  return run(input, frames);
}

const std::vector<float>& SampleRateConverter::flush() { return run(nullptr, 0); }

const std::vector<float>& SampleRateConverter::run(const float* input, int frames) {
  if (context_ == nullptr) {
    output_.clear();
    return output_;
  }
  const auto capacity = static_cast<int>(
      av_->av_rescale_rnd(av_->swr_get_delay(context_, fromRate_) + frames, toRate_, fromRate_, AV_ROUND_UP));
  output_.resize(static_cast<std::size_t>(capacity) * static_cast<std::size_t>(channels_));
  auto* out = reinterpret_cast<std::uint8_t*>(output_.data());
  const auto* in = reinterpret_cast<const std::uint8_t*>(input);
  const int made = av_->swr_convert(context_, &out, capacity, input ? &in : nullptr, frames);
  output_.resize(static_cast<std::size_t>(made < 0 ? 0 : made) * static_cast<std::size_t>(channels_));
  return output_;
}

}  // namespace brisolt
