// The piece's audio re-encoded by libsndfile: in blocks of 16-bit samples, so
// a WAV or FLAC copy holds the very samples of its source, or through the
// sample-rate converter for a format that needs another rate. A MIDI copy is
// the score's.
#include "app/cli/export_file.h"

#include <sndfile.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "app/cli/sample_rate_converter.h"
#include "midi/midi_file_writer.h"
#include "session/piece_exports.h"

namespace brisolt {
namespace {

constexpr sf_count_t kBlockFrames = 16384;

struct SndfileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

std::string copyFrames(SNDFILE* in, SNDFILE* out, int channels, const std::string& outputPath) {
  std::vector<short> block(static_cast<std::size_t>(kBlockFrames * channels));
  for (;;) {
    const sf_count_t got = sf_readf_short(in, block.data(), kBlockFrames);
    if (got <= 0) return {};
    if (sf_writef_short(out, block.data(), got) != got) {
      return "cannot write '" + outputPath + "': " + sf_strerror(out) + "; is the disk full?";
    }
  }
}

// Reads floats, converts them to `toRate` and writes them.
std::string convertFrames(SNDFILE* in, SNDFILE* out, const SF_INFO& inInfo, int toRate, const std::string& outputPath) {
  SampleRateConverter converter(inInfo.channels, inInfo.samplerate, toRate);
  if (!converter.ready()) {
    return "cannot convert the audio to " + std::to_string(toRate) + " Hz for '" + outputPath + "': " + converter.error();
  }
  std::vector<float> block(static_cast<std::size_t>(kBlockFrames * inInfo.channels));
  auto write = [&](const std::vector<float>& frames) {
    const sf_count_t count = static_cast<sf_count_t>(frames.size()) / inInfo.channels;
    return sf_writef_float(out, frames.data(), count) == count;
  };
  for (;;) {
    const sf_count_t got = sf_readf_float(in, block.data(), kBlockFrames);
    if (got <= 0) break;
    if (!write(converter.convert(block.data(), static_cast<int>(got)))) {
      return "cannot write '" + outputPath + "': " + sf_strerror(out) + "; is the disk full?";
    }
  }
  if (!write(converter.flush())) return "cannot write '" + outputPath + "': " + sf_strerror(out) + "; is the disk full?";
  return {};
}

}  // namespace

std::string exportAudio(const std::string& audioPath, const std::string& outputPath, const OutputFormat& format) {
  SF_INFO inInfo{};
  const SndfileHandle in(sf_open(audioPath.c_str(), SFM_READ, &inInfo));
  if (!in) return "cannot read '" + audioPath + "': " + sf_strerror(nullptr);

  const int outRate = format.sampleRate != 0 ? format.sampleRate : inInfo.samplerate;
  SF_INFO outInfo{};
  outInfo.samplerate = outRate;
  outInfo.channels = inInfo.channels;
  outInfo.format = format.sndfileFormat;
  std::string error;
  {
    const SndfileHandle out(sf_open(outputPath.c_str(), SFM_WRITE, &outInfo));
    if (!out) {
      return "cannot create '" + outputPath + "': " + sf_strerror(nullptr) +
             "; is its folder there and writable?";
    }
    error = outRate == inInfo.samplerate ? copyFrames(in.get(), out.get(), inInfo.channels, outputPath)
                                         : convertFrames(in.get(), out.get(), inInfo, outRate, outputPath);
  }
  if (!error.empty()) std::remove(outputPath.c_str());
  return error;
}

std::string exportPiece(const std::string& audioPath, const render::Score& score, const compose::PiecePlan& plan,
                        const std::string& outputPath, const OutputFormat& format) {
  if (format.kind == OutputKind::kAudio) return exportAudio(audioPath, outputPath, format);
  return midi::writeMidiFile(midiPieceOf(score, plan), outputPath).message;
}

}  // namespace brisolt
