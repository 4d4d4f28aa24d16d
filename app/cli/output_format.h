// The file formats `brisolt compose --output` writes, chosen by the file
// name's extension, as libsndfile names them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brisolt {

struct OutputFormat {
  std::string extension;  // ".flac"
  int sndfileFormat = 0;  // SF_FORMAT_* major | subtype
};

// The format `path` names by its extension (any case) when this build's
// libsndfile writes it at the mix's rate; nullopt otherwise.
std::optional<OutputFormat> outputFormatFor(const std::string& path);

// ".wav, .flac, .ogg, .mp3": the extensions outputFormatFor accepts.
std::string supportedExtensionsText();

// Why `path` cannot be written, naming the supported extensions.
std::string unsupportedOutputMessage(const std::string& path);

}  // namespace brisolt
