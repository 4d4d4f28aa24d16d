// The generation sequence: the one road of every Generate, in the window and
// on the command line. Its steps, in order:
//
//   0. the leftovers of runs that were killed are swept (session/unfinished_session.h)
//   1. the sample data file is there and whole      (not when only planning)
//   2. room for the piece on the archive's and the temporary folder's file
//      systems                                      (not when only planning)
//   3. the archive folder exists and can be written
//   4. the session is claimed: its prefix from the local time, its log
//      created exclusively, and marked unfinished until the run ends
//   5. the piece is planned, its log written        (the one call of the planner)
//   6. the piece is rendered                        (not when only planning)
//      and its score kept beside the log (score.json)
//   7. a session that did not finish is discarded
//
// Everything that is the caller's own (pictures, a progress bar or terminal
// lines, message boxes or error lines, the archive cleanup of the window)
// happens in the GenerationHost's hooks. The outcome's step says which
// problem stopped the run, with one message per problem for every caller.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/settings/composition_settings.h"
#include "compose/composer.h"
#include "render/render_driver.h"
#include "render/render_engine.h"
#include "session/generation.h"
#include "session/piece_exports.h"

namespace brisolt {

// What one run is asked to do.
struct GenerationRequest {
  CompositionSettings settings;
  std::string archiveFolder;                // ends in '/'
  std::string sampleDataPath;               // unused when only planning
  std::string makeBankCommand;              // named when the sample data is missing
  std::optional<std::uint32_t> sessionId;   // instead of the one from the clock
  bool planOnly = false;                    // brisolt plan: steps 3 to 5 only
  // After a finished render: the piece as MIDI beside the mix and its stereo
  // rendition (played on `soundfontPath`, or the SoundFont found on the
  // system when empty).
  bool hifi = false;
  std::string soundfontPath;
  // The engine the host renders with: what the room check asks for.
  render::RenderEngine engine = render::kDefaultRenderEngine;
};

// Where a run is, for the hooks.
enum class GenerationStage {
  kSampleDataFound,  // step 1 passed (when rendering)
  kChecked,         // steps 1 to 3 passed; nothing changed yet
  kSessionClaimed,  // step 4 done: the session's names are known
  kPlanned,         // step 5 done, whatever its result
};

// The caller's side of the sequence.
class GenerationHost {
 public:
  virtual ~GenerationHost() = default;
  // Calendar time in seconds since the epoch: names the session.
  virtual std::int64_t now() = 0;
  // Bytes free on the file system of `folder`; nothing when unknown.
  virtual std::optional<std::uint64_t> freeBytes(const std::string& folder) = 0;
  // Renders the planned piece into session.outputPrefix() and fills `score`
  // with the clips placed; render::kRenderDone when the final mix was written.
  virtual int render(const Session& session, render::Score& score) = 0;
  // The run reached `stage`.
  virtual void reached(GenerationStage stage, const Session& session) {
    static_cast<void>(stage);
    static_cast<void>(session);
  }
  // The stereo rendition is being made, `done` from 0 to 1: called after
  // each of its blocks. False stops it; the run then ends as when a Stop
  // comes after the render (the host discards the session).
  virtual bool renditionProgress(double done) {
    static_cast<void>(done);
    return true;
  }
  // The run did not finish after its session was claimed; by default every
  // file of the session is deleted.
  virtual void discard(const Session& session) { removeSessionFiles(session); }
};

struct GenerationOutcome {
  GenerationStep step;     // kNone when the run finished
  std::string notice;      // a check that could not be made (see GenerationStep::notice), for the user
  Session session;         // empty prefix when stopped before step 4
  int phraseCount = 0;     // the planner's result when it planned the piece
  bool rendered = false;   // the final mix was written
  render::Score score;     // the clips of the piece when it was rendered
  // Empty when the score was kept as session.scoreFile(), else what failed
  // (for the user: the piece itself is complete).
  std::string scoreProblem;
  // The MIDI file and the rendition, when asked for; their problems say why
  // a file is missing (for the user: the piece itself is complete).
  PieceExports exports;
};

// Runs the steps into `composer` (the Composer keeps the plan). A render that
// did not finish is reported as kRenderFailed; the caller knows whether it
// was cancelled.
GenerationOutcome runGeneration(compose::Composer& composer, const GenerationRequest& request, GenerationHost& host);

}  // namespace brisolt
