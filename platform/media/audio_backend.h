// The seam between the media player and the sound device: the player hands an
// output a source of sample bytes, and the output pulls from it as it plays.
// The SDL backend plays for real; the fake backend plays on a test's clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace brisolt::platform {

// Signed little-endian integer PCM, interleaved.
struct AudioFormat {
  int sampleRate = 0;
  int channels = 0;
  int bitsPerSample = 0;
  int frameBytes() const { return channels * bitsPerSample / 8; }
};

// Supplies the bytes an output plays. read() and played() come from the
// output's own thread (the audio thread for SDL), one at a time, never after
// the output's halt() has returned and before its next start().
class AudioSource {
 public:
  // Writes up to `bytes` bytes of samples to `out` and returns how many, at
  // once; fewer means the data has ended or failed, or is not read yet, and
  // the output fills the rest with silence.
  virtual std::size_t read(std::uint8_t* out, std::size_t bytes) = 0;
  // The device has now played `bytes` more of the bytes that read() gave it.
  virtual void played(std::size_t bytes) = 0;
  // Waits until read() can give `bytes` at once, or until the data has
  // ended or failed. For the player before it starts an output, and for
  // outputs that do not run in real time (a test's clock); an audio callback
  // never calls it.
  virtual void awaitReadable(std::size_t bytes) = 0;

 protected:
  ~AudioSource() = default;
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;  // halts first; the source is not called after
  // Starts or resumes pulling from the source.
  virtual void start() = 0;
  // Stops pulling. When it returns the source is not being called and will not
  // be until start(); bytes read but not yet reported played are either
  // reported played (the device will still sound them) or dropped.
  virtual void halt() = 0;
};

class AudioBackend {
 public:
  virtual ~AudioBackend() = default;
  // Opens an output of exactly `format`, halted, pulling from `source`, which
  // must outlive it. Null, with `error` saying why, when no output can be had.
  virtual std::unique_ptr<AudioOutput> open(const AudioFormat& format, AudioSource& source, std::string& error) = 0;
};

}  // namespace brisolt::platform
