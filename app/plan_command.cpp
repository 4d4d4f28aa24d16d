// `brisolt plan`: plans a piece without any window and prints the plan.
#include "app/plan_command.h"

#include <charconv>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>
#include <system_error>

#include "app/app_folders.h"
#include "app/cli/scratch_folder.h"
#include "app/exit_status.h"
#include "app/generation.h"
#include "app/plan_options_from_settings.h"
#include "app/plan_report.h"
#include "app/session_prefix.h"
#include "app/settings_defaults.h"
#include "app/setting_options.h"
#include "compose/composer.h"
#include "platform/paths.h"

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
  } else {
    return "--format \"" + texts.format + "\" is not a format; use json or text";
  }
  request.archiveFolder =
      texts.archiveFolder.empty() ? programFolders().archiveFolder : texts.archiveFolder;
  if (request.archiveFolder.back() != '/') request.archiveFolder += '/';
  request.keepLog = texts.keepLog;
  return std::nullopt;
}

}  // namespace

int runPlan(const PlanRequest& request, const CalendarClock& clock, std::ostream& out, std::ostream& err) {
  // The planner always writes its log; a log not asked for goes to a scratch
  // folder that is removed on the way out.
  const ScratchFolder scratch("plan");
  const std::string folder = request.keepLog ? request.archiveFolder : scratch.path();
  if (folder.empty()) {
    err << kCommandName << "cannot make a folder in '" << platform::temporaryFolder()
        << "' for the planner's working files; set TMPDIR to a writable folder\n";
    return kExitFailure;
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder)) {
    err << kCommandName << "cannot create the archive folder '" << request.archiveFolder
        << "': " << (error ? error.message() : "not a folder") << "; choose another with --archive\n";
    return kExitArchiveNotWritable;
  }

  const std::int64_t now = clock();
  const std::string outputPrefix = folder + sessionPrefix(now);
  const std::string logFile = outputPrefix + "log.txt";

  compose::Composer composer;
  composer.setClock([now] { return now; });
  composer.fixSessionId(request.sessionId);
  const int planned = composer.planPiece(planOptionsFromSettings(request.settings, outputPrefix));
  if (planned == compose::kPlanLogNotOpened) {
    err << kCommandName << "cannot write the generation log '" << logFile
        << "'; check that the archive folder is writable or choose another with --archive\n";
    return kExitArchiveNotWritable;
  }
  if (planned != request.settings.phraseCount) {
    err << kCommandName << "the planner refused the settings (result " << planned << ")\n";
    return kExitFailure;
  }

  const std::string& scaleName = composer.scaleTable().scales()[request.settings.scale].name;
  const std::string keptLog = request.keepLog ? logFile : std::string();
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
  command.parser->add_option("--session-id", texts->sessionId,
                             "Seed the piece with this session id (0..4294967295) instead of the clock; the log "
                             "records it")
      ->type_name("N");
  command.parser->add_option("--archive", texts->archiveFolder,
                             "Folder for the generation log, created when missing (default: Archive/ beside the "
                             "executable, or ~/.local/share/brisolt/Archive/ for an installed copy)")
      ->type_name("DIR");
  command.parser->add_flag("--log", texts->keepLog,
                           "Keep the generation log in the archive folder (see --archive) and print its path");
  command.parser->add_option("--format", texts->format,
                             "Output: text (a readable page, the default) or json (one object)")
      ->type_name("json|text");
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
