// One call of the render schedule made with the renderer it names: the
// melody with the sample data path only, the other voices with their letter
// and step (the pulse and split voices with the MIDI event collector too).
#pragma once

#include <string>

#include "compose/composer.h"
#include "render/voice_renderers.h"
#include "render/voice_schedule.h"

namespace brisolt::render {

// The renderer's result text (see voice_renderers.h). Rewinding the bars is
// left to the caller.
std::string renderScheduledCall(compose::Composer& composer, const ScheduledCall& call,
                                const std::string& sampleDataPath, MidiEventCollector& events);

}  // namespace brisolt::render
