// Writes a finished mix also to the file `brisolt compose --output` names,
// in that file's format, through libsndfile.
#pragma once

#include <string>

#include "app/cli/output_format.h"

namespace brisolt {

// Copies the WAV mix at `mixPath` to `outputPath` as `format`. Returns an
// empty string when it was written, else what failed; a half-written file
// is removed.
std::string exportMix(const std::string& mixPath, const std::string& outputPath, const OutputFormat& format);

}  // namespace brisolt
