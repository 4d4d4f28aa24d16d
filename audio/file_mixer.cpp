// Eight-way averaging with peak matching, and the block-by-block file copy.
//
// Averaging, pumping and cancelling go by 4080-byte blocks; each system call
// moves a run of 64 blocks (about 256 KiB), which is much faster than a call
// per block and gives the same files.
#include "audio/file_mixer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "audio/mix_kernels.h"
#include "platform/files/file_system.h"
#include "platform/message_pump.h"

namespace brisolt::audio {
namespace {

static_assert(std::endian::native == std::endian::little,
              "samples are read straight into 16-bit integers: little-endian hosts only");

constexpr std::uint32_t kBlocksPerCall = 64;
constexpr std::uint32_t kMixCallSize = kMixBlockSize * kBlocksPerCall;  // 261120 bytes
constexpr std::uint32_t kMixCallSamples = kMixCallSize / 2;
static_assert(kMixInputs == kMixInputCount);

// The first eight names of `inputs` that are not empty; empty names where
// there are fewer.
std::array<std::string, kMixInputCount> firstEightNames(const std::vector<std::string>& inputs) {
  std::array<std::string, kMixInputCount> names;
  std::size_t count = 0;
  for (const std::string& input : inputs) {
    if (count == names.size()) break;
    if (!input.empty()) names[count++] = input;
  }
  return names;
}

// Zeroes the bytes of `samples` from `from` up to `to` (an input that ended early).
void silenceFrom(std::vector<std::int16_t>& samples, std::uint32_t from, std::uint32_t to) {
  if (from < to) std::memset(reinterpret_cast<char*>(samples.data()) + from, 0, to - from);
}

}  // namespace

FileMixer::FileMixer()
    : outputSamples_(kMixCallSamples), copyBuffer_(kCopyFileBlockSize) {
  for (auto& samples : inputSamples_) samples.assign(kMixCallSamples, 0);
}

void FileMixer::pumpOneMessage() { platform::pumpOneMessage(); }

void FileMixer::closeFiles() {
  if (running_) filesClosed_ = true;
  output_.close();
  copySource_.close();
  for (auto& input : inputs_) input.close();
}

// Marks an operation as running for its whole extent and closes whatever it
// still holds on every way out.
class FileMixer::OperationScope {
 public:
  explicit OperationScope(FileMixer& mixer) : mixer_(mixer), outermost_(!mixer.running_) {
    if (outermost_) {
      mixer_.running_ = true;
      mixer_.filesClosed_ = false;
    }
  }
  ~OperationScope() {
    if (!outermost_) return;
    mixer_.running_ = false;
    mixer_.closeFiles();
    mixer_.filesClosed_ = false;
  }
  OperationScope(const OperationScope&) = delete;
  OperationScope& operator=(const OperationScope&) = delete;

 private:
  FileMixer& mixer_;
  bool outermost_;
};

int FileMixer::copyFile(const std::string& source, const std::string& destination) {
  OperationScope scope(*this);
  copySource_ = platform::File::openForReading(source);
  if (!copySource_) return kCopyFileNoSource;
  output_ = platform::File::createForWriting(destination);
  if (!output_) return kCopyFileNoDestination;
  int result = kCopyFileDone;
  for (;;) {
    pumpOneMessage();
    if (stopRequested()) {
      result = kCopyFileCancelled;
      break;
    }
    const std::uint32_t got = copySource_.read(copyBuffer_.data(), kCopyFileBlockSize);
    if (got == 0) break;
    if (output_.write(copyBuffer_.data(), got) < got) {
      result = kCopyFileShortWrite;
      break;
    }
  }
  copySource_.close();
  output_.close();
  return result;
}

int FileMixer::mixEight(const std::string& destination, const std::vector<std::string>& inputs, MixMode mode,
                        const std::string& scratch) {
  OperationScope scope(*this);
  const std::array<std::string, kMixInputCount> names = firstEightNames(inputs);
  for (int k = 0; k < kMixInputCount; ++k) {
    inputs_[k] = platform::File::openForReading(names[k]);
    if (!inputs_[k]) return kMixInputMissing;
  }
  output_ = platform::File::createForWriting(scratch);
  if (!output_) return kMixNoScratch;

  std::array<std::uint8_t, kMixPreambleSize> preamble{};
  std::array<std::uint8_t, kMixPreambleSize> skipped{};
  for (int k = 0; k < kMixInputCount; ++k) {
    if (inputs_[k].read(k == 0 ? preamble.data() : skipped.data(), kMixPreambleSize) != kMixPreambleSize) {
      return kMixShortInputPreamble;
    }
  }
  if (output_.write(preamble.data(), kMixPreambleSize) != kMixPreambleSize) return kMixShortPreambleWrite;

  cancel_ = false;
  const int averaged = averageInputs();
  if (averaged != kMixDone) return averaged;

  output_.close();
  for (auto& input : inputs_) input.close();
  for (const std::string& name : names) platform::deleteFile(name);

  if (mode == MixMode::kRawAverage) {
    platform::deleteFile(destination);
    return platform::moveFile(scratch, destination) ? kMixDone : kMixMoveFailed;
  }
  if (inputMinimum_ == 0 && inputMaximum_ == 0) {
    platform::deleteFile(destination);
    return copyFile(scratch, destination) == kCopyFileDone ? kMixDone : kMixSilentCopyFailed;
  }
  return matchPeaks(destination, scratch, peakFactor(inputMaximum_, inputMinimum_, mixMaximum_, mixMinimum_));
}

int FileMixer::averageInputs() {
  mixMaximum_ = 0;
  mixMinimum_ = kTrackerStartMinimum;
  inputMaximum_ = 0;
  inputMinimum_ = kTrackerStartMinimum;

  std::uint32_t runLength = 0;  // bytes of the current run, as the eighth input delivered them
  std::uint32_t position = 0;   // bytes of the run averaged so far
  std::uint32_t written = 0;    // bytes of the run already in the scratch file

  for (;;) {
    pumpOneMessage();
    if (stopRequested()) {
      writeOutput(written, position);
      return kMixCancelled;
    }
    if (position == runLength) {
      if (!writeOutput(written, position)) return kMixShortWrite;
      std::array<std::uint32_t, kMixInputCount> got{};
      for (int k = 0; k < kMixInputCount; ++k) got[k] = inputs_[k].read(inputSamples_[k].data(), kMixCallSize);
      runLength = got[kMixInputCount - 1];
      position = written = 0;
      if (runLength == 0) return kMixDone;
      const std::uint32_t wholeSamples = runLength + (runLength % 2);
      for (int k = 0; k < kMixInputCount; ++k) silenceFrom(inputSamples_[k], got[k], wholeSamples);
    }

    const std::uint32_t block = std::min(kMixBlockSize, runLength - position);
    averageBlock(position / 2, (block + 1) / 2);
    position += block;
  }
}

bool FileMixer::writeOutput(std::uint32_t& written, std::uint32_t upTo) {
  const std::uint32_t count = upTo - written;
  const char* from = reinterpret_cast<const char*>(outputSamples_.data()) + written;
  written = upTo;
  return output_.write(from, count) == count;
}

void FileMixer::averageBlock(std::uint32_t first, std::uint32_t count) {
  std::array<const std::int16_t*, kMixInputCount> in{};
  for (int k = 0; k < kMixInputCount; ++k) in[k] = inputSamples_[k].data() + first;
  const BlockPeaks peaks = averageSamples(in, count, outputSamples_.data() + first);
  inputMinimum_ = std::min<std::int32_t>(inputMinimum_, peaks.inputLow);
  inputMaximum_ = std::max<std::int32_t>(inputMaximum_, peaks.inputHigh);
  mixMinimum_ = std::min<std::int32_t>(mixMinimum_, peaks.mixLow);
  mixMaximum_ = std::max<std::int32_t>(mixMaximum_, peaks.mixHigh);
}

int FileMixer::matchPeaks(const std::string& destination, const std::string& scratch, double factor) {
  copySource_ = platform::File::openForReading(scratch);
  if (!copySource_) return kMixScratchUnreadable;
  output_ = platform::File::createForWriting(destination);
  if (!output_) return kMixNoDestination;
  std::array<std::uint8_t, kMixPreambleSize> preamble{};
  if (copySource_.read(preamble.data(), kMixPreambleSize) != kMixPreambleSize) return kMixShortScratchPreamble;
  if (output_.write(preamble.data(), kMixPreambleSize) != kMixPreambleSize) return kMixShortDestinationPreamble;

  std::uint32_t runLength = 0;
  std::uint32_t position = 0;
  std::uint32_t written = 0;

  for (;;) {
    pumpOneMessage();
    if (stopRequested()) {
      writeOutput(written, position);
      copySource_.close();
      output_.close();
      platform::deleteFile(scratch);
      return kMixPeakMatchCancelled;
    }
    if (position == runLength) {
      if (!writeOutput(written, position)) return kMixShortWrite;
      runLength = copySource_.read(outputSamples_.data(), kMixCallSize);
      position = written = 0;
      if (runLength == 0) {
        copySource_.close();
        output_.close();
        return platform::deleteFile(scratch) ? kMixDone : kMixScratchNotDeleted;
      }
      silenceFrom(outputSamples_, runLength, runLength + runLength % 2);  // half a last sample
    }
    const std::uint32_t block = std::min(kMixBlockSize, runLength - position);
    scaleSamples(outputSamples_.data() + position / 2, (block + 1) / 2, factor);
    position += block;
  }
}

FileMixer& programFileMixer() {
  static FileMixer mixer;
  return mixer;
}

}  // namespace brisolt::audio
