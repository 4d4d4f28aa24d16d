// `brisolt plan`: plans a piece without any window and prints the plan.
#pragma once

#include "app/command.h"

namespace brisolt {

Command addPlanCommand(CLI::App& app);

}  // namespace brisolt
