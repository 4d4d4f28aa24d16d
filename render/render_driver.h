// The render driver: turns a planned piece into its final mix. It calls the
// voice renderers in the fixed schedule, mixes each group of eight voice files
// into a stem and the eight stems into outputPrefix + "Pelko.wav".
#pragma once

#include <string>

#include "audio/file_mixer.h"
#include "compose/composer.h"

namespace brisolt::render {

enum RenderResult : int {
  kRenderDone = 0,     // the final mix has been written
  kRenderStopped = 1,  // a failure or a cancellation; temporary files removed
};

// What the driver asks of whoever runs it (the window, or the command line).
class RenderHost {
 public:
  virtual ~RenderHost() = default;
  // One step of the shared progress bar (82 steps in a complete run).
  virtual void advanceProgress() = 0;
  // Recompute and show the remaining-time estimate.
  virtual void showRemainingTime() = 0;
  // The run stops early because a renderer noticed the cancel flag.
  virtual void abortGeneration() = 0;
};

// Renders the piece planned in `composer`. `mixer` is the program-wide
// mixer, whose cancel flag Stop sets, so Stop also interrupts a mix.
int render(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath,
           const std::string& outputPrefix, RenderHost& host);

}  // namespace brisolt::render
