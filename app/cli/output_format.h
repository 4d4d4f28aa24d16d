// The file formats `brisolt compose --output` writes, chosen by the file
// name's extension: the audio formats as libsndfile names them, and the
// Standard MIDI File of the piece's notes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brisolt {

enum class OutputKind {
  kAudio,  // the rendition (or the mix without one), re-encoded by libsndfile
  kMidi,   // the score's notes as a Standard MIDI File
};

struct OutputFormat {
  std::string extension;  // ".flac"
  OutputKind kind = OutputKind::kAudio;
  int sndfileFormat = 0;  // SF_FORMAT_* major | subtype; 0 for MIDI
  int sampleRate = 0;     // the rate the format needs, 0 to keep the source's
};

// The format `path` names by its extension (any case) when this build's
// libsndfile writes it (from the mix and from the rendition); nullopt otherwise.
std::optional<OutputFormat> outputFormatFor(const std::string& path);

// ".wav, .flac, .ogg, .mp3, .opus, .mid": the extensions outputFormatFor accepts.
std::string supportedExtensionsText();

// Why `path` cannot be written, naming the supported extensions.
std::string unsupportedOutputMessage(const std::string& path);

}  // namespace brisolt
