// A stand-in for the render driver while it is not part of the program: it
// goes through the driver's 82 progress steps at a steady pace, keeping the
// window responsive and calling back as the driver does, stops when Stop or
// Exit sets a cancel flag, and writes a final mix of silence as long as the
// planned piece, so that Play, seeking and Save have a real file to work on.
#pragma once

#include <chrono>
#include <string>

#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "render/render_driver.h"

namespace brisolt {

inline constexpr int kRehearsalSteps = 82;  // as many as a complete render takes
inline constexpr int kRehearsalFirstEstimateStep = 9;  // the driver's first remaining-time call
inline constexpr std::chrono::milliseconds kRehearsalStepTime{60};

// render::kRenderDone with outputPrefix + "Pelko.wav" written; kRenderStopped
// after a cancellation (abortGeneration called, nothing left behind) or when
// the mix cannot be written.
int rehearsalRender(compose::Composer& composer, audio::FileMixer& mixer, const std::string& outputPrefix,
                    render::RenderHost& host, std::chrono::milliseconds stepTime);

}  // namespace brisolt
