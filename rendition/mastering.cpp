// Gain, limit, measure, correct: the mastering loop, block by block.
#include "rendition/mastering.h"

#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "rendition/loudness_meter.h"
#include "rendition/peak_limiter.h"

namespace brisolt::rendition {
namespace {

constexpr int kMaxAttempts = 4;
constexpr double kFirstCeilingMarginDb = 0.5;
constexpr double kTruePeakMarginDb = 0.1;  // aim this far under the bound
constexpr std::size_t kBlockFrames = 16384;

bool meets(const Mastering& m, const MasteringTarget& target) {
  return std::abs(m.outputLufs - target.integratedLufs) <= target.toleranceLu &&
         m.outputTruePeakDbtp <= target.maxTruePeakDbtp;
}

Mastering failure(Mastering mastering, MasteringResult result, std::string message) {
  mastering.result = result;
  mastering.message = std::move(message);
  return mastering;
}

// What one attempt measured of its output, or why it failed.
struct Attempt {
  MasteringResult failed = MasteringResult::kOk;
  std::string message;
  double lufs = 0.0;
  double truePeakDb = 0.0;
};

// Masters the whole input once at `gainDb` before a limiter at `ceilingDb`,
// measuring what goes to the output.
Attempt masterOnce(MasteringInput& input, MasteringOutput& output, double gainDb, double ceilingDb,
                   const MasteringTarget& target) {
  if (!input.rewind()) return {MasteringResult::kCannotRead, "the unmastered rendition could not be read again"};
  if (!output.restart()) return {MasteringResult::kCannotWrite, "the mastered rendition could not be started"};
  PeakLimiter limiter;
  if (std::string error = limiter.open({ceilingDb, 5.0, 50.0}); !error.empty()) {
    return {MasteringResult::kLimiterFailed, "the peak limiter failed: " + error};
  }
  LoudnessMeter loudness;
  TruePeakMeter truePeak(target.maxTruePeakDbtp);
  bool written = true;
  bool measured = true;
  const LimitedBlockSink sink = [&](const float* samples, std::size_t frames) {
    measured = loudness.add(samples, frames) && truePeak.add(samples, frames) && measured;
    written = output.write(samples, frames);
    return written;
  };
  const auto gain = static_cast<float>(std::pow(10.0, gainDb / 20.0));
  std::vector<float> block(kBlockFrames * 2);
  std::string error;
  for (;;) {
    const std::optional<std::size_t> frames = input.read(block.data(), kBlockFrames);
    if (!frames) return {MasteringResult::kCannotRead, "the unmastered rendition could not be read back"};
    if (*frames == 0) break;
    for (std::size_t i = 0; i < *frames * 2; ++i) block[i] *= gain;
    error = limiter.add(block.data(), *frames, sink);
    if (!error.empty()) break;
  }
  if (error.empty()) error = limiter.finish(sink);
  if (!written) return {MasteringResult::kCannotWrite, "the mastered rendition could not be written"};
  if (!error.empty()) return {MasteringResult::kLimiterFailed, "the peak limiter failed: " + error};
  const std::optional<double> lufs = loudness.integrated();
  const std::optional<double> peak = truePeak.truePeakDb();
  if (!measured || !lufs || !peak) {
    return {MasteringResult::kMeterFailed, "libebur128 could not measure the mastered rendition"};
  }
  return {MasteringResult::kOk, {}, *lufs, *peak};
}

// Silence goes through as it is.
Mastering copySilence(MasteringInput& input, MasteringOutput& output, Mastering mastering) {
  if (!input.rewind()) return failure(mastering, MasteringResult::kCannotRead, "the rendition could not be read again");
  if (!output.restart()) return failure(mastering, MasteringResult::kCannotWrite, "the rendition could not be started");
  std::vector<float> block(kBlockFrames * 2);
  for (;;) {
    const std::optional<std::size_t> frames = input.read(block.data(), kBlockFrames);
    if (!frames) return failure(mastering, MasteringResult::kCannotRead, "the rendition could not be read back");
    if (*frames == 0) break;
    if (!output.write(block.data(), *frames)) {
      return failure(mastering, MasteringResult::kCannotWrite, "the rendition could not be written");
    }
  }
  return failure(mastering, MasteringResult::kSilent, "the rendition is silent: there is nothing to master");
}

// Audio in memory as the input, from a copy; the output goes into the audio.
class MemoryInput final : public MasteringInput {
 public:
  explicit MemoryInput(std::vector<float> samples) : samples_(std::move(samples)) {}
  bool rewind() override {
    at_ = 0;
    return true;
  }
  std::optional<std::size_t> read(float* out, std::size_t frames) override {
    const std::size_t take = std::min(frames, samples_.size() / 2 - at_);
    std::memcpy(out, samples_.data() + at_ * 2, take * 2 * sizeof(float));
    at_ += take;
    return take;
  }

 private:
  std::vector<float> samples_;
  std::size_t at_ = 0;
};

class MemoryOutput final : public MasteringOutput {
 public:
  explicit MemoryOutput(std::vector<float>& samples) : samples_(samples) {}
  bool restart() override {
    samples_.clear();
    return true;
  }
  bool write(const float* samples, std::size_t frames) override {
    samples_.insert(samples_.end(), samples, samples + frames * 2);
    return true;
  }

 private:
  std::vector<float>& samples_;
};

}  // namespace

Mastering masterToLoudness(MasteringInput& input, double inputLufs, MasteringOutput& output,
                           const MasteringTarget& target) {
  Mastering mastering;
  mastering.inputLufs = inputLufs;
  if (!std::isfinite(inputLufs)) return copySilence(input, output, mastering);

  double gainDb = target.integratedLufs - inputLufs;
  double ceilingDb = target.maxTruePeakDbtp - kFirstCeilingMarginDb;
  for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
    const Attempt made = masterOnce(input, output, gainDb, ceilingDb, target);
    if (made.failed != MasteringResult::kOk) return failure(mastering, made.failed, made.message);
    mastering.outputLufs = made.lufs;
    mastering.outputTruePeakDbtp = made.truePeakDb;
    mastering.gainDb = gainDb;
    mastering.limiterCeilingDb = ceilingDb;
    mastering.attempts = attempt;
    if (meets(mastering, target)) return mastering;
    // The limiter takes loudness off the peaks: give it back in gain. Peaks
    // between samples above the bound: lower the ceiling by the excess.
    gainDb += target.integratedLufs - made.lufs;
    if (made.truePeakDb > target.maxTruePeakDbtp - kTruePeakMarginDb) {
      ceilingDb -= made.truePeakDb - (target.maxTruePeakDbtp - kTruePeakMarginDb);
    }
  }
  return failure(mastering, MasteringResult::kMissedTarget,
                 "the mastered rendition reached " + std::to_string(mastering.outputLufs) + " LUFS, " +
                     std::to_string(mastering.outputTruePeakDbtp) + " dBTP instead of " +
                     std::to_string(target.integratedLufs) + " LUFS under " +
                     std::to_string(target.maxTruePeakDbtp) + " dBTP");
}

Mastering masterToLoudness(StereoAudio& audio, const MasteringTarget& target) {
  const std::optional<double> input = integratedLoudness(audio.samples);
  if (!input) {
    Mastering mastering;
    return failure(mastering, MasteringResult::kMeterFailed, "libebur128 could not measure the rendition's loudness");
  }
  MemoryInput from(audio.samples);
  MemoryOutput into(audio.samples);
  return masterToLoudness(from, *input, into, target);
}

}  // namespace brisolt::rendition
