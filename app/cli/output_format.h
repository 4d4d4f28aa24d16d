// The file formats `brisolt compose --output` writes, chosen by the file
// name's extension: the audio formats as libsndfile names them, and the
// Standard MIDI File of the piece's notes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brisolt {

enum class OutputKind {
  kAudio,  // the mix, re-encoded by libsndfile
  kMidi,   // the score's notes as a Standard MIDI File
};

struct OutputFormat {
  std::string extension;  // ".flac"
  OutputKind kind = OutputKind::kAudio;
  int sndfileFormat = 0;  // SF_FORMAT_* major | subtype; 0 for MIDI
};

// The format `path` names by its extension (any case) when this build's
// libsndfile writes it at the mix's rate; nullopt otherwise.
std::optional<OutputFormat> outputFormatFor(const std::string& path);

// ".wav, .flac, .ogg, .mp3, .mid": the extensions outputFormatFor accepts.
std::string supportedExtensionsText();

// Why `path` cannot be written, naming the supported extensions.
std::string unsupportedOutputMessage(const std::string& path);

}  // namespace brisolt
