// The two long file jobs of a render besides the voices: averaging eight WAV
// files into one (optionally matching the peaks of the inputs), and copying a
// file. Both keep the window alive by pumping one message per block and stop
// at the next block once their cancel flag is set.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/file_handle.h"

namespace brisolt::audio {

enum CopyFileResult : int {
  kCopyFileDone = 0,
  kCopyFileNoSource = 1,       // the source cannot be opened
  kCopyFileNoDestination = 2,  // the destination cannot be created
  kCopyFileCancelled = -1,
  kCopyFileShortWrite = 99,
};

enum MixResult : int {
  kMixDone = 0,
  kMixInputMissing = 1,          // an input cannot be opened (fewer than eight names, or a missing file)
  kMixScratchNotDeleted = 1,     // mode 1 finished, but the scratch file could not be deleted
  kMixNoScratch = 2,             // the scratch file cannot be created
  kMixShortInputPreamble = 3,    // an input is shorter than its 104-byte preamble
  kMixShortPreambleWrite = 4,    // the preamble could not be written to the scratch file
  kMixCancelled = 5,             // cancelled while averaging; the inputs stay on disk
  kMixMoveFailed = 7,            // mode 0: the scratch file could not take the destination's name
  kMixSilentCopyFailed = 8,      // mode 1, silent inputs: copying the raw mix failed
  kMixScratchUnreadable = 9,     // mode 1: the scratch file cannot be opened again
  kMixNoDestination = 10,        // mode 1: the destination cannot be created
  kMixShortScratchPreamble = 11, // mode 1: the scratch file is shorter than its preamble
  kMixShortDestinationPreamble = 12,  // mode 1: the preamble could not be written to the destination
  kMixPeakMatchCancelled = -1,   // mode 1: cancelled while matching peaks
  kMixShortWrite = 99,
};

enum class MixMode : int {
  kRawAverage = 0,   // the destination is the plain average
  kPeakMatched = 1,  // the average is scaled so its peaks reach the inputs' peaks
};

// Fixed sizes of the jobs.
inline constexpr std::uint32_t kCopyFileBlockSize = 16320;
inline constexpr std::uint32_t kMixBlockSize = 4080;  // per input: 2040 samples
inline constexpr std::uint32_t kMixPreambleSize = 104;
inline constexpr int kMixInputCount = 8;

// Between operations a mixer holds no open file. The window's handlers run
// inside pumpOneMessage(); they may cancel or close files, but must not start
// another copy or mix on the same mixer.
class FileMixer {
 public:
  FileMixer();
  FileMixer(const FileMixer&) = delete;
  FileMixer& operator=(const FileMixer&) = delete;

  // Dispatches at most one pending message of the main window.
  void pumpOneMessage();

  // Copies `source` to `destination` (created or replaced) in 16320-byte blocks.
  int copyFile(const std::string& source, const std::string& destination);

  // Averages the first eight WAV files named in `inputs` (empty names
  // skipped) into `destination` through `scratch`. The
  // first 104 bytes of the first input are copied unmixed; every other input's
  // first 104 bytes are skipped. On success the inputs are deleted; in
  // kPeakMatched mode so is the scratch file, except when the inputs were all
  // silent (the destination is then a copy of the raw average). An input that
  // ends before the eighth contributes silence from there on; the mix ends
  // with the eighth input.
  int mixEight(const std::string& destination, const std::vector<std::string>& inputs, MixMode mode,
               const std::string& scratch);

  // The cancel flag. mixEight clears it before averaging; copyFile never does.
  void setCancel(bool cancel) { cancel_ = cancel; }
  void requestCancel() { cancel_ = true; }
  bool cancelRequested() const { return cancel_; }

  // Closes every file the mixer holds open. Called from inside the pump while
  // an operation runs, it also makes that operation stop at its next block,
  // with the result a cancel would give.
  void closeFiles();

 private:
  // Reads and averages the inputs into the scratch file: kMixDone, kMixCancelled or kMixShortWrite.
  int averageInputs();
  // Scales the raw mix in the scratch file into the destination by `factor`.
  int matchPeaks(const std::string& destination, const std::string& scratch, double factor);
  // Averages `count` samples from sample `first` of the input buffers into the output buffer.
  void averageBlock(std::uint32_t first, std::uint32_t count);
  bool stopRequested() const { return cancel_ || filesClosed_; }
  // Writes the bytes of outputSamples_ from written up to upTo to output_ and
  // moves written there; false on a short write.
  bool writeOutput(std::uint32_t& written, std::uint32_t upTo);
  class OperationScope;

  bool cancel_ = false;
  bool filesClosed_ = false;  // closeFiles() ran during the current operation
  bool running_ = false;

  platform::File output_;
  platform::File copySource_;
  std::array<platform::File, kMixInputCount> inputs_;

  // Peak trackers of the last averaging pass.
  std::int32_t mixMaximum_ = 0;
  std::int32_t mixMinimum_ = 0;
  std::int32_t inputMaximum_ = 0;
  std::int32_t inputMinimum_ = 0;

  // Fixed buffers, allocated once: each system call moves a run of whole blocks.
  std::array<std::vector<std::int16_t>, kMixInputCount> inputSamples_;
  std::vector<std::int16_t> outputSamples_;
  std::vector<std::uint8_t> copyBuffer_;
};

// The program-wide mixer whose cancel flag the Stop command sets.
FileMixer& programFileMixer();

}  // namespace brisolt::audio
