// The five renderers as a table the render driver calls through, so tests
// and benchmarks can wrap or replace them, and the dispatch of one scheduled
// call to its renderer.
#pragma once

#include <functional>
#include <string>

#include "compose/composer.h"
#include "render/score.h"
#include "render/voice_renderers.h"
#include "render/voice_schedule.h"

namespace brisolt::render {

struct VoiceRenderers {
  using Melody = std::function<VoiceResult(compose::Composer&, const std::string& sampleDataPath, EventCollector&)>;
  using Voice = std::function<VoiceResult(compose::Composer&, const std::string& sampleDataPath, char letter,
                                          EventCollector&, int step)>;

  Melody melody;
  Voice ensemble;
  Voice accompaniment;
  Voice split;
  Voice pulse;

  // Runs the renderer `call` names with its letter and step. Rewinding the
  // bars is left to the caller.
  VoiceResult run(const ScheduledCall& call, compose::Composer& composer, const std::string& sampleDataPath,
                  EventCollector& events) const;
};

// The renderers of voice_renderers.h. The first call loads the voice table,
// the pattern strings and the schedule, and throws compose::DataTextError
// when one of them is malformed.
const VoiceRenderers& programVoiceRenderers();

}  // namespace brisolt::render
