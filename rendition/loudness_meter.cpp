// The libebur128 side of mastering.
#include "rendition/loudness_meter.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>

#include "rendition/stereo_audio.h"

namespace brisolt::rendition {
namespace {

float samplePeak(const float* samples, std::size_t count) {
  float peak = 0.0f;
  for (std::size_t i = 0; i < count; ++i) peak = std::max(peak, std::abs(samples[i]));
  return peak;
}

}  // namespace

struct MeterHandle {
  explicit MeterHandle(int mode) : state(ebur128_init(2, kRenditionSampleRate, mode)) {}
  ~MeterHandle() {
    if (state != nullptr) ebur128_destroy(&state);
  }
  MeterHandle(const MeterHandle&) = delete;
  MeterHandle& operator=(const MeterHandle&) = delete;
  ebur128_state* state;
};

void MeterDeleter::operator()(MeterHandle* handle) const { delete handle; }

namespace {

// A fresh state in `mode`; empty when libebur128 cannot make one.
MeterState makeMeter(int mode) {
  MeterState meter(new MeterHandle(mode));
  if (meter->state == nullptr) meter.reset();
  return meter;
}

}  // namespace

LoudnessMeter::LoudnessMeter() : state_(makeMeter(EBUR128_MODE_I)) { failed_ = !state_; }

bool LoudnessMeter::add(const float* samples, std::size_t frames) {
  if (!failed_ && frames > 0) failed_ = ebur128_add_frames_float(state_->state, samples, frames) != EBUR128_SUCCESS;
  return !failed_;
}

std::optional<double> LoudnessMeter::integrated() const {
  double loudness = 0.0;
  if (failed_ || ebur128_loudness_global(state_->state, &loudness) != EBUR128_SUCCESS) return std::nullopt;
  return loudness;
}

TruePeakMeter::TruePeakMeter(double boundDb)
    : loud_(static_cast<float>(std::pow(10.0, (boundDb - kQuietMarginDb) / 20.0))) {
  block_.reserve(kPeakBlockFrames * 2);
  previous_.reserve(kPeakBlockFrames * 2);
}

bool TruePeakMeter::oversample(const std::vector<float>& samples) {
  return ebur128_add_frames_float(oversampler_->state, samples.data(), samples.size() / 2) == EBUR128_SUCCESS;
}

bool TruePeakMeter::closeStretch() {
  inStretch_ = false;
  const std::vector<float> silence(kStretchGapFrames * 2, 0.0f);
  return oversample(silence);
}

bool TruePeakMeter::takeBlock() {
  const float blockPeak = samplePeak(block_.data(), block_.size());
  if (blockPeak >= loud_) {
    if (!inStretch_) {
      if (!oversampler_) oversampler_ = makeMeter(EBUR128_MODE_TRUE_PEAK);
      if (!oversampler_) return false;
      inStretch_ = true;
      if (!previous_.empty() && !oversample(previous_)) return false;
    }
    if (!oversample(block_)) return false;
  } else if (inStretch_) {
    // The block after a loud stretch is its context, then the stretch is done.
    if (!oversample(block_) || !closeStretch()) return false;
  } else {
    peak_ = std::max(peak_, static_cast<double>(blockPeak));
  }
  previous_.swap(block_);
  block_.clear();
  return true;
}

bool TruePeakMeter::add(const float* samples, std::size_t frames) {
  std::size_t done = 0;
  while (!failed_ && done < frames) {
    const std::size_t take = std::min(frames - done, kPeakBlockFrames - block_.size() / 2);
    block_.insert(block_.end(), samples + done * 2, samples + (done + take) * 2);
    done += take;
    if (block_.size() == kPeakBlockFrames * 2) failed_ = !takeBlock();
  }
  return !failed_;
}

std::optional<double> TruePeakMeter::truePeakDb() {
  if (!failed_ && !block_.empty()) failed_ = !takeBlock();
  if (!failed_ && inStretch_) failed_ = !closeStretch();
  if (failed_) return std::nullopt;
  double peak = peak_;
  for (unsigned channel = 0; oversampler_ && channel < 2; ++channel) {
    double channelPeak = 0.0;
    if (ebur128_true_peak(oversampler_->state, channel, &channelPeak) != EBUR128_SUCCESS) return std::nullopt;
    peak = std::max(peak, channelPeak);
  }
  return 20.0 * std::log10(peak);
}

std::optional<double> integratedLoudness(const std::vector<float>& samples) {
  LoudnessMeter meter;
  if (!meter.add(samples.data(), samples.size() / 2)) return std::nullopt;
  return meter.integrated();
}

std::optional<double> truePeakNear(const std::vector<float>& samples, double boundDb) {
  TruePeakMeter meter(boundDb);
  if (!meter.add(samples.data(), samples.size() / 2)) return std::nullopt;
  return meter.truePeakDb();
}

}  // namespace brisolt::rendition
