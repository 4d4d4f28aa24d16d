// The rendition's excerpt of a saved phrase and the phrase's MIDI file.
#include "session/phrase_exports.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "audio/output_files.h"
#include "audio/wave_format.h"
#include "midi/midi_file_writer.h"
#include "platform/files/file_handle.h"
#include "session/piece_exports.h"

namespace brisolt {
namespace {

struct SoundFileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

constexpr int kChannels = 2;
constexpr sf_count_t kBlockFrames = 44100;

std::string numbered(const std::string& folder, const std::string& prefix, const char* format, int phrase) {
  char name[32];
  std::snprintf(name, sizeof name, format, phrase);
  return folder + prefix + name;
}

}  // namespace

std::uint64_t phraseExcerptStartByte(int phrase, int pieceTempo) {
  return audio::phraseExcerptOffset(phrase, pieceTempo) - audio::kHeaderSize;
}

std::string renditionExcerptPath(const std::string& folder, const std::string& prefix, int phrase) {
  return numbered(folder, prefix, "PelkoL_%.2d.wav", phrase);
}

std::string midiPhrasePath(const std::string& folder, const std::string& prefix, int phrase) {
  return numbered(folder, prefix, "Piano_%.2d.mid", phrase);
}

PhraseExportResult writeRenditionExcerpt(const std::string& folder, const std::string& prefix, int phrase,
                                         int pieceTempo) {
  SF_INFO inInfo{};
  const SoundFile in(sf_open((folder + prefix + std::string(kRenditionSuffix)).c_str(), SFM_READ, &inInfo));
  if (!in || inInfo.channels != kChannels) return PhraseExportResult::kNoRendition;
  SF_INFO outInfo{};
  outInfo.samplerate = inInfo.samplerate;
  outInfo.channels = kChannels;
  outInfo.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  // Never through a link planted at the excerpt's name.
  platform::File opened = platform::File::createForWriting(renditionExcerptPath(folder, prefix, phrase));
  if (!opened) return PhraseExportResult::kNotCreated;
  const SoundFile out(sf_open_fd(opened.releaseDescriptor(), SFM_WRITE, &outInfo, SF_TRUE));
  if (!out) return PhraseExportResult::kNotCreated;

  // One frame of the rendition for each byte of the mix's timeline.
  const auto start = static_cast<sf_count_t>(phraseExcerptStartByte(phrase, pieceTempo));
  if (start >= inInfo.frames || sf_seek(in.get(), start, SEEK_SET) < 0) return PhraseExportResult::kShort;
  std::vector<short> block(static_cast<std::size_t>(kBlockFrames * kChannels));
  sf_count_t left = audio::kPhraseExcerptLength;
  while (left > 0) {
    const sf_count_t got = sf_readf_short(in.get(), block.data(), std::min(left, kBlockFrames));
    if (got <= 0) return PhraseExportResult::kShort;
    if (sf_writef_short(out.get(), block.data(), got) != got) return PhraseExportResult::kNotCreated;
    left -= got;
  }
  return PhraseExportResult::kWritten;
}

PhraseExportResult writeMidiPhrase(const midi::MidiPiece& piece, const std::string& folder,
                                   const std::string& prefix, int phrase, int pieceTempo) {
  const double start = static_cast<double>(phraseExcerptStartByte(phrase, pieceTempo)) / audio::kBytesPerSecond;
  const double seconds = static_cast<double>(audio::kPhraseExcerptLength) / audio::kBytesPerSecond;
  const midi::MidiWrite written =
      midi::writeMidiFile(midi::excerptOf(piece, start, start + seconds), midiPhrasePath(folder, prefix, phrase));
  return written.result == midi::MidiWriteResult::kOk ? PhraseExportResult::kWritten : PhraseExportResult::kNotCreated;
}

PhraseExports writePhraseExports(const std::string& folder, const std::string& prefix, int phrase, int pieceTempo,
                                 const midi::MidiPiece* piece) {
  PhraseExports written;
  written.rendition = writeRenditionExcerpt(folder, prefix, phrase, pieceTempo);
  if (piece != nullptr) written.midi = writeMidiPhrase(*piece, folder, prefix, phrase, pieceTempo);
  return written;
}

}  // namespace brisolt
