// The seam between the window's Generate and the render driver: Generate
// calls a RenderCall, so tests can give it a fake render, and the program
// gives it programRender().
#pragma once

#include <functional>
#include <string>

#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "render/render_driver.h"

namespace brisolt {

// Renders the piece planned in the Composer into outputPrefix + "Pelko.wav",
// reading the sample data file at `sampleDataPath`. 0 (render::kRenderDone)
// when the final mix was written; anything else after a failure or a
// cancellation. `score` receives the clips placed.
using RenderCall = std::function<int(const std::string& sampleDataPath, const std::string& outputPrefix,
                                     render::RenderHost& host, render::Score& score)>;

// The render driver, on the program's one Composer and the program-wide
// FileMixer (the one whose cancel flag Stop sets).
RenderCall programRender(compose::Composer& composer, audio::FileMixer& mixer);

}  // namespace brisolt
