// `brisolt compose`: the window's Generate without the window. Checks the
// sample data, the archive folder and the free space, plans the piece and
// renders it, showing progress on the terminal; Ctrl-C, kill, a closed
// terminal or the file-size limit cancel cleanly.
#include "app/cli/compose_command.h"

#include <chrono>
#include <ctime>
#include <iostream>
#include <memory>
#include <thread>

#include "app/settings/app_folders.h"
#include "app/cli/compose_batch.h"
#include "app/cli/export_file.h"
#include "app/cli/output_format.h"
#include "app/cli/piece_picture.h"
#include "app/settings/sample_data_search.h"
#include "app/exit_status.h"
#include "app/cli/generation_interrupt.h"
#include "app/cli/generation_terminal.h"
#include "app/settings/setting_options.h"
#include "app/settings/settings_defaults.h"
#include "picture/picture_file.h"
#include "platform/files/file_system.h"
#include "session/generation_sequence.h"
#include "session/piece_exports.h"
#include "platform/paths.h"
#include "platform/process/standard_streams.h"

namespace brisolt {
namespace {

constexpr const char* kCommandName = "brisolt compose: ";

// The option texts of one command line, before they are checked.
struct ComposeTexts {
  SettingTexts settings;
  std::string sessionId;
  std::string archiveFolder;
  std::string sampleDataPath;
  bool quiet = false;
  std::string outputFile;
  std::string pictureFile;
  int count = 1;
  bool hifi = true;
  std::string engine;
};

std::optional<std::string> readComposeTexts(const ComposeTexts& texts, ComposeRequest& request) {
  if (auto error = readSettingTexts(texts.settings, request.settings)) return error;
  if (!texts.sessionId.empty()) {
    request.sessionId = parseSessionId(texts.sessionId);
    if (!request.sessionId) {
      return "--session-id \"" + texts.sessionId + "\" is not a session id; use a whole number 0..4294967295";
    }
  }
  // Beside the executable, or the user's folders for an installed copy.
  const AppFolders folders = programFolders();
  request.archiveFolder = texts.archiveFolder.empty() ? folders.archiveFolder : texts.archiveFolder;
  if (request.archiveFolder.back() != '/') request.archiveFolder += '/';
  request.sampleDataPath = texts.sampleDataPath;
  if (request.sampleDataPath.empty()) {
    const SampleDataSearch search = searchSampleData(folders, platform::executableFolder());
    request.sampleDataPath = search.path;
    if (!search.found) request.sampleDataSearched = searchedPlacesText(search);
  }
  request.quiet = texts.quiet;
  request.hifi = texts.hifi;
  if (!texts.engine.empty()) {
    const std::optional<render::RenderEngine> engine = render::renderEngineFromName(texts.engine);
    if (!engine) return "--engine \"" + texts.engine + "\" is not an engine; use streaming or files";
    request.engine = *engine;
  }
  // A format that cannot be written is refused before any composing.
  if (!texts.outputFile.empty() && !outputFormatFor(texts.outputFile)) return unsupportedOutputMessage(texts.outputFile);
  request.outputFile = texts.outputFile;
  request.pictureFile = texts.pictureFile;
  if (texts.count < 1) return "--count " + std::to_string(texts.count) + " is not a number of pieces; use 1 or more";
  return std::nullopt;
}

int exitStatusOf(GenerationProblem problem) {
  switch (problem) {
    case GenerationProblem::kNone: return kExitOk;
    case GenerationProblem::kNoSampleData: return kExitNoSampleData;
    case GenerationProblem::kArchiveNotWritable: return kExitArchiveNotWritable;
    case GenerationProblem::kNoDiskSpace: return kExitNoDiskSpace;
    case GenerationProblem::kPlanRefused: return kExitFailure;
    case GenerationProblem::kRenderFailed: return kExitFailure;
  }
  return kExitFailure;
}

// What the user can do about each problem, after its message.
const char* hintFor(GenerationProblem problem) {
  switch (problem) {
    case GenerationProblem::kNoSampleData: return " (or name another sample data file with --data)";
    case GenerationProblem::kArchiveNotWritable: return "; choose another folder with --archive";
    case GenerationProblem::kNoDiskSpace:
      return "\nFree some space, compose fewer phrases, or choose other folders: --archive for the piece, TMPDIR "
             "for its voice files.";
    case GenerationProblem::kRenderFailed: return " The unfinished session's files were removed";
    default: return "";
  }
}

TerminalProgress::Style progressStyle(const ComposeRequest& request, const ComposeEnvironment& environment) {
  if (request.quiet) return TerminalProgress::Style::kQuiet;
  return environment.progressBar ? TerminalProgress::Style::kBar : TerminalProgress::Style::kLines;
}

// The terminal's side of the generation sequence: progress on `err`, Ctrl-C
// as Stop, and what could not be removed of an unfinished session.
class TerminalGeneration final : public GenerationHost {
 public:
  TerminalGeneration(compose::Composer& composer, const ComposeRequest& request,
                     const ComposeEnvironment& environment, std::ostream& err)
      : composer_(composer),
        request_(request),
        environment_(environment),
        err_(err),
        interrupt_(composer, *environment.mixer),
        progress_(err, progressStyle(request, environment), environment.elapsedSeconds) {}

  std::int64_t now() override {
    const std::int64_t now = environment_.clock();
    composer_.setClock([now] { return now; });
    return now;
  }
  std::optional<std::uint64_t> freeBytes(const std::string& folder) override { return environment_.freeBytes(folder); }
  void reached(GenerationStage stage, const Session&) override {
    if (stage != GenerationStage::kSessionClaimed) return;
    progressShown_ = true;
    progress_.advanceProgress();
  }
  int render(const Session& session, render::Score& score) override {
    progress_.advanceProgress();
    const int rendered = interrupt_.poll() ? render::kRenderStopped
                                           : render::renderWith(request_.engine, composer_, *environment_.mixer,
                                                                request_.sampleDataPath, session.outputPrefix(),
                                                                progress_, score, *environment_.renderers);
    finishProgress();
    environment_.mixer->setCancel(false);
    return rendered;
  }
  // A signal stops the rendition too, at its next block.
  bool renditionProgress(double done) override {
    if (interrupt_.poll()) return false;
    progressShown_ = true;
    progress_.showRendition(done);
    return true;
  }
  // Removes what a run that did not finish left in the archive (its log, a
  // partial final mix) and says what could not be removed.
  void discard(const Session& session) override {
    finishProgress();
    for (const std::string& path : removeSessionFiles(session)) {
      err_ << kCommandName << "could not delete '" << path << "'; delete it by hand\n";
    }
  }
  bool cancelled() const { return progress_.aborted() || interrupt_.interrupted(); }
  // A termination signal came: its name and the status to end with.
  bool signalled() const { return interrupt_.interrupted(); }
  platform::TerminationSignal signal() const { return interrupt_.signal(); }
  int signalStatus() const { return interrupt_.exitStatus(); }
  // Ends a bar's line, so that what is printed next starts a line of its own.
  void finishProgress() {
    if (progressShown_) progress_.finish();
    progressShown_ = false;
  }

 private:

  compose::Composer& composer_;
  const ComposeRequest& request_;
  const ComposeEnvironment& environment_;
  std::ostream& err_;
  InterruptCancels interrupt_;
  TerminalProgress progress_;
  bool progressShown_ = false;
};

// What ended a run that a signal stopped, for its last line.
std::string stoppedBy(platform::TerminationSignal signal) {
  switch (signal) {
    case platform::TerminationSignal::kInterrupt: return "cancelled";
    case platform::TerminationSignal::kFileSizeLimit: return "stopped by SIGXFSZ (a file passed the size limit, ulimit -f)";
    default: return std::string("stopped by ") + platform::signalName(signal);
  }
}

// Says why a file asked for beside the mix is missing; the piece itself is complete.
void reportMissingExports(const PieceExports& exports, std::ostream& err) {
  if (!exports.midiProblem.empty()) err << kCommandName << "no MIDI file: " << exports.midiProblem << "\n";
  if (!exports.renditionProblem.empty()) {
    err << kCommandName << "no stereo rendition: " << exports.renditionProblem
        << " (the mix was written; --no-hifi skips the rendition)\n";
  }
}

}  // namespace

int runCompose(const ComposeRequest& request, const ComposeEnvironment& environment, std::ostream& out,
               std::ostream& err) {
  compose::Composer composer;
  TerminalGeneration host(composer, request, environment, err);
  const GenerationOutcome outcome = runGeneration(
      composer,
      {request.settings, request.archiveFolder, request.sampleDataPath, environment.makeBankCommand,
       request.sessionId, false, request.hifi, request.soundfontPath, request.engine},
      host);
  host.finishProgress();
  if (!outcome.notice.empty()) err << kCommandName << outcome.notice << "\n";

  // A signal that came after the last poll of the render (during the MIDI file
  // or the rendition) still ends the run before it names any file.
  if (outcome.rendered && host.signalled()) {
    host.discard(outcome.session);
    err << kCommandName << stoppedBy(host.signal()) << "; the unfinished session's files were removed\n";
    return host.signalStatus();
  }
  if (outcome.rendered) {
    if (!request.quiet) {
      const std::int64_t seconds = environment.elapsedSeconds();
      err << kCommandName << "composed " << outcome.phraseCount << " phrases (session id "
          << composer.plan().sessionId << ") in "
          << (seconds < 1 ? std::string("under a second") : std::to_string(seconds) + " s") << "\n";
    }
    reportMissingExports(outcome.exports, err);
    if (!outcome.scoreProblem.empty()) err << kCommandName << "no score: " << outcome.scoreProblem << "\n";
    out << outcome.session.finalMix() << "\n" << outcome.session.logFile() << "\n";
    if (!request.outputFile.empty()) {
      // The mastered stereo rendition where there is one: what a listener wants to take away.
      const std::string audio = outcome.exports.renditionWritten
                                    ? outcome.session.outputPrefix() + std::string(kRenditionSuffix)
                                    : outcome.session.finalMix();
      const std::string failed =
          exportPiece(audio, outcome.score, composer.plan(), request.outputFile, *outputFormatFor(request.outputFile));
      if (!failed.empty()) {
        err << kCommandName << failed << "; the piece itself is in the archive\n";
        return kExitFailure;
      }
      out << request.outputFile << "\n";
    }
    if (!request.pictureFile.empty()) {
      const std::string failed = picture::writePictureFile(
          piecePictureSvg(outcome.score, request.settings, composer), request.pictureFile);
      if (!failed.empty()) {
        err << kCommandName << failed << "; the piece itself is in the archive\n";
        return kExitFailure;
      }
      out << request.pictureFile << "\n";
    }
    return out ? kExitOk : kExitFailure;
  }
  if (outcome.step.problem == GenerationProblem::kRenderFailed && host.cancelled()) {
    err << kCommandName << (host.signalled() ? stoppedBy(host.signal()) : std::string("cancelled"))
        << "; the unfinished session's files were removed\n";
    return host.signalled() ? host.signalStatus() : kExitCancelled;
  }
  err << kCommandName << outcome.step.message << hintFor(outcome.step.problem) << "\n";
  if (outcome.step.problem == GenerationProblem::kNoSampleData && !request.sampleDataSearched.empty())
    err << request.sampleDataSearched << "\n";
  return exitStatusOf(outcome.step.problem);
}

Command addComposeCommand(CLI::App& app, const render::VoiceRenderers& renderers) {
  auto texts = std::make_shared<ComposeTexts>();
  texts->settings = savedSettingTexts();  // the window's last settings, when it saved any
  Command command;
  command.parser = app.add_subcommand(
      "compose",
      "Compose a piece and render it to a WAV file in the archive folder, as Generate does in the window. "
      "Prints the paths of the final mix and of the generation log.");
  addSettingOptions(*command.parser, texts->settings);
  addTextOptions(*command.parser, "compose",
                 {
                     {"--session-id", &texts->sessionId},
                     {"--archive", &texts->archiveFolder},
                     {"--data", &texts->sampleDataPath},
                     {"--engine", &texts->engine},
                     {"-o,--output", &texts->outputFile},
                     {"--picture", &texts->pictureFile},
                 });
  command.parser->add_flag("-q,--quiet", texts->quiet, "Show no progress, only errors and the paths");
  command.parser->add_flag("--hifi,!--no-hifi", texts->hifi,
                           "Also write the piece as MIDI (Piano.mid) and as a mastered stereo recording played on a "
                           "piano SoundFont (PelkoL.wav) beside the mix (default: on)");
  command.parser->add_option("-n,--count", texts->count,
                             "Compose N pieces, each its own session (a fixed --session-id counts up by one)")
      ->type_name("N");
  command.run = [texts, &renderers] {
    ComposeRequest request;
    if (const auto error = readComposeTexts(*texts, request)) {
      std::cerr << kCommandName << *error << "\n";
      return static_cast<int>(kExitBadOptions);
    }
    const auto start = std::chrono::steady_clock::now();
    ComposeEnvironment environment;
    environment.clock = [] { return static_cast<std::int64_t>(std::time(nullptr)); };
    environment.elapsedSeconds = [start] {
      return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
    };
    environment.renderers = &renderers;
    environment.mixer = &audio::programFileMixer();
    environment.freeBytes = platform::freeBytes;
    environment.progressBar = platform::isTerminal(platform::StandardStream::kError);
    environment.makeBankCommand = makeBankCommandFor(request.sampleDataPath, platform::executableFolder());
    const auto pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(50)); };
    return runComposeBatch(request, environment, texts->count, pause, std::cout, std::cerr);
  };
  return command;
}

}  // namespace brisolt
