// The mix re-encoded by libsndfile, in blocks of 16-bit samples, so a WAV or
// FLAC copy holds the very samples of the mix; a MIDI copy is the score's.
#include "app/cli/export_file.h"

#include <sndfile.h>

#include <cstdio>
#include <memory>
#include <vector>

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

}  // namespace

std::string exportMix(const std::string& mixPath, const std::string& outputPath, const OutputFormat& format) {
  SF_INFO inInfo{};
  const SndfileHandle in(sf_open(mixPath.c_str(), SFM_READ, &inInfo));
  if (!in) return "cannot read the mix '" + mixPath + "': " + sf_strerror(nullptr);

  SF_INFO outInfo{};
  outInfo.samplerate = inInfo.samplerate;
  outInfo.channels = inInfo.channels;
  outInfo.format = format.sndfileFormat;
  std::string error;
  {
    const SndfileHandle out(sf_open(outputPath.c_str(), SFM_WRITE, &outInfo));
    if (!out) {
      return "cannot create '" + outputPath + "': " + sf_strerror(nullptr) +
             "; is its folder there and writable?";
    }
    error = copyFrames(in.get(), out.get(), inInfo.channels, outputPath);
  }
  if (!error.empty()) std::remove(outputPath.c_str());
  return error;
}

std::string exportPiece(const std::string& mixPath, const render::Score& score, const compose::PiecePlan& plan,
                        const std::string& outputPath, const OutputFormat& format) {
  if (format.kind == OutputKind::kAudio) return exportMix(mixPath, outputPath, format);
  return midi::writeMidiFile(midiPieceOf(score, plan), outputPath).message;
}

}  // namespace brisolt
