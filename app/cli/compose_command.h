// `brisolt compose`: composes a piece from the command line, as Generate
// does in the window, and prints where the final mix and its log are.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "app/cli/command.h"
#include "app/settings/composition_settings.h"
#include "session/generation.h"
#include "audio/file_mixer.h"
#include "render/render_driver.h"
#include "render/render_engine.h"

namespace brisolt {

// What one `brisolt compose` run is asked to do, after its options were checked.
struct ComposeRequest {
  CompositionSettings settings;
  std::optional<std::uint32_t> sessionId;  // instead of the one from the clock
  std::string archiveFolder;               // ends in '/'; created when missing
  std::string sampleDataPath;
  std::string sampleDataSearched;  // where it was looked for, when no file was found there
  bool quiet = false;  // no progress, only errors and the two paths
  render::RenderEngine engine = render::kDefaultRenderEngine;
  std::string outputFile;  // also write the mix here, in the format its extension names (checked already)
  std::string pictureFile;  // also draw the piece here as an SVG piano roll
  // Also the MIDI file and the stereo rendition beside the mix (the command
  // line asks for them unless --no-hifi); the SoundFont found on the system
  // plays the rendition unless soundfontPath names one.
  bool hifi = false;
  std::string soundfontPath;
};

// What the run uses from the program around it.
struct ComposeEnvironment {
  std::function<std::int64_t()> clock;  // calendar seconds: the session prefix
  std::function<std::int64_t()> elapsedSeconds;  // whole seconds since the run began
  const render::VoiceRenderers* renderers = nullptr;
  audio::FileMixer* mixer = nullptr;  // the program-wide one, whose flag Ctrl-C sets
  FreeBytesQuery freeBytes;
  bool progressBar = false;     // stderr is a terminal: a bar, not lines
  std::string makeBankCommand;  // named when the sample data file is missing
};

// Composes the piece into request.archiveFolder and prints the final mix's
// and the log's paths on `out`, one a line, then request.outputFile's and
// request.pictureFile's when they were asked for. Progress and errors go to `err`.
// Returns an ExitStatus; on every status but kExitOk, no file of the run is
// left in the archive or the temporary folder.
int runCompose(const ComposeRequest& request, const ComposeEnvironment& environment, std::ostream& out,
               std::ostream& err);

// Registers the subcommand; it renders with `renderers`.
Command addComposeCommand(CLI::App& app, const render::VoiceRenderers& renderers);

}  // namespace brisolt
