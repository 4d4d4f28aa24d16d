// `brisolt plan`: plans a piece without any window and prints the plan.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "app/cli/command.h"
#include "app/settings/composition_settings.h"

namespace brisolt {

enum class PlanFormat { kText, kJson, kSvg };

// What one `brisolt plan` run is asked to do, after its options were checked.
struct PlanRequest {
  CompositionSettings settings;
  std::optional<std::uint32_t> sessionId;  // instead of the one from the clock
  std::string archiveFolder;               // ends in '/'; created when missing
  PlanFormat format = PlanFormat::kText;
  bool keepLog = false;  // keep the generation log in archiveFolder (else no file is left)
  // kSvg draws the piece's notes, which needs the sample data file.
  std::string sampleDataPath;
  std::string sampleDataSearched;  // where it was looked for, when no file was found there
  std::string makeBankCommand;     // named when the sample data file is missing
};

// Calendar time in seconds since the epoch.
using CalendarClock = std::function<std::int64_t()>;

// Plans the piece and prints the plan to `out`. With keepLog the log is
// written to archiveFolder + session prefix + "log.txt" and named in the
// plan; without it no file is left anywhere. kSvg prints the piece as a
// piano roll (see piece_picture.h). Errors go to `err` as one line.
// Returns an ExitStatus.
int runPlan(const PlanRequest& request, const CalendarClock& clock, std::ostream& out, std::ostream& err);

Command addPlanCommand(CLI::App& app);

}  // namespace brisolt
