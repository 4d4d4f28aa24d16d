// Writes a finished piece also to the file `brisolt compose --output` names,
// in that file's format: its audio (the stereo rendition when there is one,
// else the mix) through libsndfile, or the score's notes as a Standard MIDI File.
#pragma once

#include <string>

#include "app/cli/output_format.h"
#include "compose/composer.h"
#include "render/score.h"

namespace brisolt {

// Copies the WAV file at `audioPath` to `outputPath` as `format`, at the
// format's rate when it needs one. Returns an empty string when it was
// written, else what failed; a half-written file is removed.
std::string exportAudio(const std::string& audioPath, const std::string& outputPath, const OutputFormat& format);

// The piece whose audio is the WAV file `audioPath`, whose clips are `score`
// and whose plan is `plan`, written to `outputPath` as `format`: the audio
// re-encoded (exportAudio), or the MIDI file of one track per voice that
// --hifi writes beside the mix. Returns an empty string when it was written,
// else what failed.
std::string exportPiece(const std::string& audioPath, const render::Score& score, const compose::PiecePlan& plan,
                        const std::string& outputPath, const OutputFormat& format);

}  // namespace brisolt
