// `brisolt plan`: plans a piece without any window and prints the plan.
// (Placeholder until the planner lands.)
#include "app/plan_command.h"

#include <iostream>

#include "app/exit_status.h"

namespace brisolt {

Command addPlanCommand(CLI::App& app) {
  Command command;
  command.parser = app.add_subcommand("plan", "Plan a piece and print it, without rendering audio.");
  command.run = [] {
    std::cerr << "brisolt plan: not available yet\n";
    return kExitFailure;
  };
  return command;
}

}  // namespace brisolt
