// Entry point of the brisolt executable. Each subcommand lives in its own
// file and is registered here; without a subcommand the window opens.
#include <CLI/CLI.hpp>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/command.h"
#include "app/cli/compose_command.h"
#include "app/cli/command_hint.h"
#include "app/cli/version.h"
#include "app/exit_status.h"
#include "app/cli/plan_command.h"
#include "app/cli/play_command.h"
#include "app/cli/standard_output.h"
#include "app/window/window_program.h"
#include "compose/data_text.h"

int main(int argc, char** argv) try {
  CLI::App app{"Brisolt - a generative piano composer. Without a subcommand it opens its window."};
  app.require_subcommand(0, 1);
  app.set_version_flag("-V,--version", brisolt::versionText(), "Print the version and exit");

  const std::vector<brisolt::Command> commands = {
      brisolt::addPlanCommand(app),
      brisolt::addPlayCommand(app),
      brisolt::addComposeCommand(app, brisolt::render::programVoiceRenderers()),
  };

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return brisolt::finishStandardOutput(app.exit(e), std::cerr);
  } catch (const CLI::CallForAllHelp& e) {
    return brisolt::finishStandardOutput(app.exit(e), std::cerr);
  } catch (const CLI::CallForVersion& e) {
    return brisolt::finishStandardOutput(app.exit(e), std::cerr);
  } catch (const CLI::ParseError& e) {
    std::vector<std::string> names;
    for (const auto& command : commands) names.push_back(command.parser->get_name());
    if (const auto hint = argc > 1 ? brisolt::unknownCommandMessage(argv[1], names) : std::nullopt) {
      std::cerr << *hint << "\n";
      return brisolt::kExitBadOptions;
    }
    std::cerr << "brisolt: " << e.what() << "\n";
    return brisolt::kExitBadOptions;
  }

  for (const auto& command : commands) {
    if (command.parser->parsed()) return brisolt::finishStandardOutput(command.run(), std::cerr);
  }
  return brisolt::runWindowProgram();
} catch (const brisolt::compose::DataTextError& e) {
  // A table of data/ built into the program is malformed: nothing can run.
  std::cerr << "brisolt: " << e.what() << "\n";
  return brisolt::kExitFailure;
}
