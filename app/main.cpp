// Entry point of the brisolt executable. Each subcommand lives in its own
// file and is registered here; without a subcommand the window opens.
#include <CLI/CLI.hpp>

#include <iostream>
#include <vector>

#include "app/cli/command.h"
#include "app/cli/compose_command.h"
#include "app/exit_status.h"
#include "app/cli/plan_command.h"
#include "app/cli/play_command.h"
#include "app/window/window_program.h"
#include "compose/data_text.h"

int main(int argc, char** argv) try {
  CLI::App app{"Brisolt - a generative piano composer. Without a subcommand it opens its window."};
  app.require_subcommand(0, 1);

  const std::vector<brisolt::Command> commands = {
      brisolt::addPlanCommand(app),
      brisolt::addPlayCommand(app),
      brisolt::addComposeCommand(app, brisolt::render::programVoiceRenderers()),
  };

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "brisolt: " << e.what() << "\n";
    return brisolt::kExitBadOptions;
  }

  for (const auto& command : commands) {
    if (command.parser->parsed()) return command.run();
  }
  return brisolt::runWindowProgram();
} catch (const brisolt::compose::DataTextError& e) {
  // A table of data/ built into the program is malformed: nothing can run.
  std::cerr << "brisolt: " << e.what() << "\n";
  return brisolt::kExitFailure;
}
