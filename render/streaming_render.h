// The streaming render: the same final mix as the file render, computed from
// the score and the sample data in memory, block by block. No voice file or
// stem is ever written; only the final mix reaches the disk.
#pragma once

#include <string>

#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "render/render_driver.h"
#include "render/score.h"
#include "render/voice_renderer_table.h"

namespace brisolt::render {

// Renders the piece planned in `composer` into outputPrefix + "Pelko.wav".
// The renderers run in plan-only mode to give the score; the mixes are then
// computed over it in three passes (each group's peaks, the final mix's
// peaks, the final mix scaled and written). Progress advances the driver's
// 82 steps evenly over the work; Stop (the Composer's or the mixer's cancel
// flag) is noticed within one block, and `mixer` pumps one window message per
// block. On a cancel or a failure no file of the run is left behind.
int renderStreaming(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath,
                    const std::string& outputPrefix, RenderHost& host, Score& score,
                    const VoiceRenderers& renderers = programVoiceRenderers());

}  // namespace brisolt::render
