// The picture of a piece on the command line: the piano roll of its score
// headed by its session and settings, for `brisolt compose --picture` (the
// score of the render) and `brisolt plan --format svg` (the score planned
// without audio).
#pragma once

#include <string>

#include "app/settings/composition_settings.h"
#include "compose/composer.h"
#include "picture/piano_roll.h"
#include "render/score.h"
#include "render/voice_renderer_table.h"

namespace brisolt {

// "Brisolt · session 2718" over "C Major · motif mode B · phrase mode B ·
// 5 phrases", with the phrases timed as playback counts them.
picture::PianoRollPiece pictureHeading(const CompositionSettings& settings, const compose::Composer& composer);

// The SVG of `score`, the piece planned in `composer` with `settings`.
std::string piecePictureSvg(const render::Score& score, const CompositionSettings& settings,
                            const compose::Composer& composer);

struct PlannedPicture {
  std::string svg;      // the picture, when there is no problem
  std::string problem;  // what stopped it: the sample data missing, or a voice that could not be placed
  bool noSampleData = false;
};

// The piece planned in `composer` drawn from the score its renderers would
// place; needs the sample data file (for where its clips end) but writes nothing.
PlannedPicture plannedPiecePicture(compose::Composer& composer, const CompositionSettings& settings,
                                   const std::string& sampleDataPath, const std::string& makeBankCommand,
                                   const render::VoiceRenderers& renderers = render::programVoiceRenderers());

}  // namespace brisolt
