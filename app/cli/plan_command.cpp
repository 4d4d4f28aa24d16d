// `brisolt plan`: plans a piece without any window and prints the plan.
#include "app/cli/plan_command.h"

#include <ctime>
#include <iostream>
#include <memory>

#include "app/settings/app_folders.h"
#include "app/cli/piece_picture.h"
#include "app/cli/scratch_folder.h"
#include "app/settings/sample_data_search.h"
#include "app/exit_status.h"
#include "session/generation_sequence.h"
#include "app/cli/plan_report.h"
#include "app/settings/settings_defaults.h"
#include "app/settings/setting_options.h"
#include "compose/composer.h"
#include "platform/paths.h"
#include "platform/process/termination_signals.h"

namespace brisolt {
namespace {

constexpr const char* kCommandName = "brisolt plan: ";

// The option texts of one command line, before they are checked.
struct PlanTexts {
  SettingTexts settings;
  std::string sessionId;
  std::string archiveFolder;
  std::string format = "text";
  bool keepLog = false;
  std::string sampleDataPath;
};

// Checks the texts; on a bad value returns its message.
std::optional<std::string> readPlanTexts(const PlanTexts& texts, PlanRequest& request) {
  if (auto error = readSettingTexts(texts.settings, request.settings)) return error;
  if (!texts.sessionId.empty()) {
    request.sessionId = parseSessionId(texts.sessionId);
    if (!request.sessionId) {
      return "--session-id \"" + texts.sessionId + "\" is not a session id; use a whole number 0..4294967295";
    }
  }
  if (texts.format == "json") {
    request.format = PlanFormat::kJson;
  } else if (texts.format == "text") {
    request.format = PlanFormat::kText;
  } else if (texts.format == "svg") {
    request.format = PlanFormat::kSvg;
  } else {
    return "--format \"" + texts.format + "\" is not a format; use json, svg or text";
  }
  request.archiveFolder =
      texts.archiveFolder.empty() ? programFolders().archiveFolder : texts.archiveFolder;
  if (request.archiveFolder.back() != '/') request.archiveFolder += '/';
  request.keepLog = texts.keepLog;
  if (request.format == PlanFormat::kSvg) {
    request.sampleDataPath = texts.sampleDataPath;
    if (request.sampleDataPath.empty()) {
      const SampleDataSearch search = searchSampleData(programFolders(), platform::executableFolder());
      request.sampleDataPath = search.path;
      if (!search.found) request.sampleDataSearched = searchedPlacesText(search);
    }
    request.makeBankCommand = makeBankCommandFor(request.sampleDataPath, platform::executableFolder());
  }
  return std::nullopt;
}

}  // namespace

namespace {

// The command line's side of planning: the clock, and nothing to render.
class PlanOnly final : public GenerationHost {
 public:
  PlanOnly(compose::Composer& composer, const CalendarClock& clock) : composer_(composer), clock_(clock) {}
  std::int64_t now() override {
    const std::int64_t now = clock_();
    composer_.setClock([now] { return now; });
    return now;
  }
  std::optional<std::uint64_t> freeBytes(const std::string&) override { return std::nullopt; }
  int render(const Session&, render::Score&) override { return render::kRenderStopped; }
  // A plan that failed wrote no log worth keeping; nothing else was made.
  void discard(const Session&) override {}

 private:
  compose::Composer& composer_;
  const CalendarClock& clock_;
};

int exitStatusOf(GenerationProblem problem) {
  return problem == GenerationProblem::kArchiveNotWritable ? kExitArchiveNotWritable : kExitFailure;
}

}  // namespace

int runPlan(const PlanRequest& request, const CalendarClock& clock, std::ostream& out, std::ostream& err) {
  // The planner always writes its log; a log not asked for goes to a scratch
  // folder that is removed on the way out, so plan touches no session's files.
  const ScratchFolder scratch("plan");
  if (!request.keepLog && scratch.path().empty()) {
    err << kCommandName << "cannot make a folder in '" << platform::temporaryFolder()
        << "' for the planner's working files; set TMPDIR to a writable folder\n";
    return kExitFailure;
  }

  // Ctrl-C, kill or a closed terminal while planning: the kept log and the
  // scratch folder are removed on the way out, and the status says why.
  const platform::TerminationSignals signals;
  compose::Composer composer;
  PlanOnly host(composer, clock);
  GenerationRequest generation;
  generation.settings = request.settings;
  generation.archiveFolder = request.keepLog ? request.archiveFolder : scratch.path();
  generation.sessionId = request.sessionId;
  generation.planOnly = true;
  const GenerationOutcome outcome = runGeneration(composer, generation, host);
  if (platform::TerminationSignals::pending()) {
    if (request.keepLog) removeSessionFiles(outcome.session);
    err << kCommandName << "stopped by " << platform::signalName(platform::TerminationSignals::first())
        << (request.keepLog ? "; its log was removed\n" : "\n");
    return platform::TerminationSignals::exitStatus();
  }
  if (!outcome.step.ok()) {
    err << kCommandName << outcome.step.message
        << (outcome.step.problem == GenerationProblem::kArchiveNotWritable ? "; choose another folder with --archive"
                                                                           : "")
        << "\n";
    return exitStatusOf(outcome.step.problem);
  }

  if (request.format == PlanFormat::kSvg) {
    const PlannedPicture picture =
        plannedPiecePicture(composer, request.settings, request.sampleDataPath, request.makeBankCommand);
    if (!picture.problem.empty()) {
      err << kCommandName << picture.problem << (picture.noSampleData ? " (or name another sample data file with --data)" : "")
          << "\n";
      if (picture.noSampleData && !request.sampleDataSearched.empty()) err << request.sampleDataSearched << "\n";
      return picture.noSampleData ? kExitNoSampleData : kExitFailure;
    }
    out << picture.svg;
    return out ? kExitOk : kExitFailure;
  }
  const std::string& scaleName = composer.scaleTable().scales()[request.settings.scale].name;
  const std::string keptLog = request.keepLog ? outcome.session.logFile() : std::string();
  out << (request.format == PlanFormat::kJson ? planAsJson(composer, keptLog)
                                              : planAsText(composer, scaleName, keptLog));
  return out ? kExitOk : kExitFailure;
}

Command addPlanCommand(CLI::App& app) {
  auto texts = std::make_shared<PlanTexts>();
  texts->settings = savedSettingTexts();  // the window's last settings, when it saved any
  Command command;
  command.parser = app.add_subcommand(
      "plan",
      "Plan a piece and print it, without rendering audio or leaving any file; with --log the generation "
      "log is kept in the archive folder as <session prefix>log.txt.");
  addSettingOptions(*command.parser, texts->settings);
  addTextOptions(*command.parser, "plan",
                 {
                     {"--session-id", &texts->sessionId},
                     {"--archive", &texts->archiveFolder},
                     {"--format", &texts->format},
                     {"--data", &texts->sampleDataPath},
                 });
  command.parser->add_flag("--log", texts->keepLog,
                           "Keep the generation log in the archive folder (see --archive) and print its path");
  command.run = [texts] {
    PlanRequest request;
    if (const auto error = readPlanTexts(*texts, request)) {
      std::cerr << kCommandName << *error << "\n";
      return static_cast<int>(kExitBadOptions);
    }
    return runPlan(request, [] { return static_cast<std::int64_t>(std::time(nullptr)); }, std::cout, std::cerr);
  };
  return command;
}

}  // namespace brisolt
