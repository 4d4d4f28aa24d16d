// The score of a planned piece without its audio: the renderers run in
// plan-only mode over the whole schedule, recording every clip they would
// place, and no voice file, stem or mix is written. What `brisolt plan
// --format svg` draws.
#pragma once

#include <string>

#include "compose/composer.h"
#include "render/score.h"
#include "render/voice_renderer_table.h"

namespace brisolt::render {

enum class ScorePlanResult { kPlanned, kNoSampleData, kFailed };

struct ScorePlan {
  ScorePlanResult result = ScorePlanResult::kFailed;
  Score score;          // every clip of the piece when kPlanned
  std::string message;  // what went wrong otherwise
};

// Runs every scheduled renderer over the piece planned in `composer` against
// the sample data file at `sampleDataPath` (read for its size only: a clip
// that would run past its end fails the run, as in a real render). The bars
// are rewound before each call and after the last.
ScorePlan planScore(compose::Composer& composer, const std::string& sampleDataPath,
                    const VoiceRenderers& renderers = programVoiceRenderers());

}  // namespace brisolt::render
