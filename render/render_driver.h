// The render driver: turns a planned piece into its final mix. It calls the
// voice renderers in the fixed schedule, mixes each group of eight voice files
// into a stem and the eight stems into outputPrefix + "Pelko.wav", and hands
// back the score of the clips placed.
#pragma once

#include <string>

#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "render/score.h"
#include "render/voice_renderer_table.h"

namespace brisolt::render {

enum RenderResult : int {
  kRenderDone = 0,     // the final mix has been written
  kRenderStopped = 1,  // a failure or a cancellation; temporary files removed
};

// Progress steps of a complete run: one per voice file (64), two per mix (9).
inline constexpr int kRenderProgressSteps = 82;
// Mixes of a complete run: one per group, then the final mix of the stems.
inline constexpr int kRenderMixCount = 9;

// What the driver asks of whoever runs it (the window, or the command line).
class RenderHost {
 public:
  virtual ~RenderHost() = default;
  // One step of the shared progress bar (82 steps in a complete run).
  virtual void advanceProgress() = 0;
  // Recompute and show the remaining-time estimate.
  virtual void showRemainingTime() = 0;
  // The run stops early because it was cancelled: a renderer noticed the
  // cancel flag, or Stop came before or during a mix.
  virtual void abortGeneration() = 0;
  // A mix has been written: `mix` is 1..8 for the stems of the groups in the
  // order they are rendered, 9 for the final mix. Does nothing unless a host
  // wants to report it (the command line prints a line per group).
  virtual void mixWritten(int mix) { static_cast<void>(mix); }
};

// Renders the piece planned in `composer` with `renderers`. `mixer` is the
// program-wide mixer, whose cancel flag Stop sets, so Stop also interrupts a
// mix. Stop is noticed through the Composer's cancel flag (before every mix,
// and by the renderers) and the mixer's (during a mix). Whatever the end, no
// file of the run is left in the temporary folder: on success only the final
// mix remains; after a failure or a cancellation the current group's voice
// files and all stems are deleted. A final mix that failed part-way is left
// for the archive cleanup.
//
// `score` is replaced by the clips the renderers placed in this run and the
// data length of each voice file; it describes the whole piece only when the
// result is kRenderDone.
int render(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath,
           const std::string& outputPrefix, RenderHost& host, Score& score,
           const VoiceRenderers& renderers = programVoiceRenderers());

// The same for callers that do not keep the score.
int render(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath,
           const std::string& outputPrefix, RenderHost& host);
int render(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath,
           const std::string& outputPrefix, RenderHost& host, const VoiceRenderers& renderers);

}  // namespace brisolt::render
