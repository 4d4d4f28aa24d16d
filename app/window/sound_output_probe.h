// Whether a sound output can be had at all: asked when a piece fails to
// play, so the window can say that there is no sound device rather than
// just falling back to STOP.
#pragma once

#include <optional>
#include <string>

#include "platform/media/audio_backend.h"

namespace brisolt {

// Opens and at once closes an output in the format of the final mix. Why it
// could not be opened, or nothing when it could.
std::optional<std::string> soundOutputProblem(platform::AudioBackend& backend);

}  // namespace brisolt
