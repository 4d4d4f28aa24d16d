// Writes a finished piece also to the file `brisolt compose --output` names,
// in that file's format: the mix through libsndfile, or the score's notes as
// a Standard MIDI File.
#pragma once

#include <string>

#include "app/cli/output_format.h"
#include "compose/composer.h"
#include "render/score.h"

namespace brisolt {

// Copies the WAV mix at `mixPath` to `outputPath` as `format`. Returns an
// empty string when it was written, else what failed; a half-written file
// is removed.
std::string exportMix(const std::string& mixPath, const std::string& outputPath, const OutputFormat& format);

// The piece whose final mix is `mixPath`, whose clips are `score` and whose
// plan is `plan`, written to `outputPath` as `format`: the mix re-encoded
// (exportMix), or the MIDI file of one track per voice that --hifi writes
// beside the mix. Returns an empty string when it was written, else what failed.
std::string exportPiece(const std::string& mixPath, const render::Score& score, const compose::PiecePlan& plan,
                        const std::string& outputPath, const OutputFormat& format);

}  // namespace brisolt
