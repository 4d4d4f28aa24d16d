// The export formats by extension: the audio ones kept to those this build's
// libsndfile can write, and MIDI, which this program writes.
#include "app/cli/output_format.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "audio/wave_format.h"

namespace brisolt {
namespace {

struct Candidate {
  const char* extension;
  OutputKind kind;
  int format;
  int sampleRate = 0;  // 0: the source's own
};

// Opus takes only 8, 12, 16, 24 or 48 kHz, so it is written at 48 kHz.
constexpr Candidate kCandidates[] = {
    {".wav", OutputKind::kAudio, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
    {".flac", OutputKind::kAudio, SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
    {".ogg", OutputKind::kAudio, SF_FORMAT_OGG | SF_FORMAT_VORBIS},
    {".mp3", OutputKind::kAudio, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III},
    {".opus", OutputKind::kAudio, SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000},
    {".mid", OutputKind::kMidi, 0},
};

bool writable(const Candidate& candidate, int sampleRate, int channels) {
  SF_INFO info{};
  info.samplerate = candidate.sampleRate != 0 ? candidate.sampleRate : sampleRate;
  info.channels = channels;
  info.format = candidate.format;
  return sf_format_check(&info) == SF_TRUE;
}

// Either source: the mix (22050 Hz mono) or the rendition (44100 Hz stereo).
bool writable(const Candidate& candidate) {
  if (candidate.kind == OutputKind::kMidi) return true;
  return writable(candidate, static_cast<int>(audio::kSampleRate), 1) && writable(candidate, 44100, 2);
}

std::string lowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace

std::optional<OutputFormat> outputFormatFor(const std::string& path) {
  const std::string extension = lowerExtension(path);
  for (const Candidate& candidate : kCandidates) {
    if (extension == candidate.extension && writable(candidate)) {
      return OutputFormat{candidate.extension, candidate.kind, candidate.format, candidate.sampleRate};
    }
  }
  return std::nullopt;
}

std::string supportedExtensionsText() {
  std::string text;
  for (const Candidate& candidate : kCandidates) {
    if (writable(candidate)) text += (text.empty() ? "" : ", ") + std::string(candidate.extension);
  }
  return text;
}

std::string unsupportedOutputMessage(const std::string& path) {
  const std::string extension = lowerExtension(path);
  const std::string what = extension.empty() ? std::string("it has no extension") : extension + " is not a format Brisolt writes";
  return "--output \"" + path + "\": " + what + "; name a file ending in one of " + supportedExtensionsText();
}

}  // namespace brisolt
