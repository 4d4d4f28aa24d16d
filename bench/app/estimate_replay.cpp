// Replays the remaining-time estimates a window's Generate showed (its
// progress log, BRISOLT_PROGRESS_LOG) through two sets of step weights: every
// step alike, as the window weighed them before, and the measured costs it
// weighs them by now. For each run and each, the worst error from the 20 %
// mark of the bar on, against the real end; and the time each stretch of the
// bar took, for measuring the costs anew.
//
//   brisolt-estimate-replay PROGRESS_LOG PHRASES [rendition]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/window/generate_step_costs.h"
#include "app/window/remaining_time_estimate.h"
#include "session/generation_progress.h"

namespace {

struct Estimate {
  long long ms = 0;
  int position = 0;
  std::optional<int> shown;
};

struct Run {
  std::map<int, long long> steps;  // position: ms of its first arrival
  std::vector<Estimate> estimates;
  long long end = 0;
  bool rendered = false;
};

std::vector<Run> readRuns(std::istream& in) {
  std::vector<Run> runs;
  Run run;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string kind;
    long long ms = 0;
    fields >> kind >> ms;
    if (kind == "step") {
      int position = 0;
      fields >> position;
      run.steps.emplace(position, ms);
    } else if (kind == "estimate") {
      Estimate estimate;
      estimate.ms = ms;
      std::string seconds;
      fields >> estimate.position >> seconds;
      if (seconds != "-") estimate.shown = std::stoi(seconds);
      run.estimates.push_back(estimate);
    } else if (kind == "done") {
      std::string how;
      fields >> how;
      run.end = ms;
      run.rendered = how == "rendered";
      runs.push_back(run);
      run = Run{};
    }
  }
  return runs;
}

struct Errors {
  double ofRun = 0;   // worst |shown - real| / the run's time
  double ofLeft = 0;  // worst |shown - real| / the real time left, where at least 2 s were left
  int count = 0;
};

// The estimates `weights` would have shown at the run's moments, against the real end.
Errors replay(const Run& run, brisolt::RemainingTimeEstimate estimate, int barSteps) {
  Errors errors;
  const double end = static_cast<double>(run.end) / 1000;
  for (const Estimate& moment : run.estimates) {
    const double at = static_cast<double>(moment.ms) / 1000;
    const auto shown = estimate.remaining(moment.position, at);
    if (!shown || moment.position < 0.2 * barSteps) continue;
    const double real = end - at;
    const double wrong = std::abs(*shown - real);
    errors.ofRun = std::max(errors.ofRun, wrong / end);
    if (real >= 2) errors.ofLeft = std::max(errors.ofLeft, wrong / real);
    ++errors.count;
  }
  return errors;
}

// The log's own estimates against the replay of the window's weights: the
// replay stands for what the window showed only when they agree (within a
// second: the log keeps whole milliseconds).
int disagreements(const Run& run, brisolt::RemainingTimeEstimate estimate) {
  int differ = 0;
  for (const Estimate& moment : run.estimates) {
    const auto replayed = estimate.remaining(moment.position, static_cast<double>(moment.ms) / 1000);
    if (replayed.has_value() != moment.shown.has_value() || (replayed && std::abs(*replayed - *moment.shown) > 1)) ++differ;
  }
  return differ;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: " << argv[0] << " PROGRESS_LOG PHRASES [rendition]\n";
    return 2;
  }
  std::ifstream log(argv[1]);
  if (!log) {
    std::cerr << "cannot read '" << argv[1] << "'\n";
    return 1;
  }
  const int phrases = std::stoi(argv[2]);
  const bool rendition = argc > 3 && std::string(argv[3]) == "rendition";
  const std::vector<Run> runs = readRuns(log);
  const int barSteps = brisolt::kGenerationSteps + (rendition ? brisolt::kRenditionSteps : 0);
  const auto before = [&] { return brisolt::RemainingTimeEstimate(std::vector<double>(barSteps, 1.0)); };
  const auto after = [&] { return brisolt::RemainingTimeEstimate::forGenerate(phrases, rendition); };

  Errors worstBefore, worstAfter;
  std::printf("stretches (ms): checks plan data score pass1 pass2 pass3%s after-the-bar | end\n",
              rendition ? " rendition" : "");
  std::vector<brisolt::GenerateStretch> stretches = brisolt::generateStretches();
  if (rendition) stretches.push_back(brisolt::renditionStretch());
  for (std::size_t number = 0; number < runs.size(); ++number) {
    const Run& run = runs[number];
    if (!run.rendered) continue;
    long long from = 0;
    std::printf("run %zu:", number + 1);
    for (const brisolt::GenerateStretch& stretch : stretches) {
      const auto found = run.steps.find(stretch.lastPosition);
      const long long at = found == run.steps.end() ? from : found->second;
      std::printf(" %lld", at - from);
      from = at;
    }
    std::printf(" %lld | %lld\n", run.end - from, run.end);
    const Errors b = replay(run, before(), barSteps);
    const Errors a = replay(run, after(), barSteps);
    const int differ = disagreements(run, after());
    std::printf("  estimate error from 20 %%, before (every step alike): %.0f %% of the run, %.0f %% of the time left\n",
                100 * b.ofRun, 100 * b.ofLeft);
    std::printf("  estimate error from 20 %%, after (measured weights):  %.0f %% of the run, %.0f %% of the time left"
                " (%d estimates%s)\n",
                100 * a.ofRun, 100 * a.ofLeft, a.count,
                differ == 0 ? ", as the window showed them" : ", the window showed other weights' estimates");
    worstBefore.ofRun = std::max(worstBefore.ofRun, b.ofRun);
    worstBefore.ofLeft = std::max(worstBefore.ofLeft, b.ofLeft);
    worstAfter.ofRun = std::max(worstAfter.ofRun, a.ofRun);
    worstAfter.ofLeft = std::max(worstAfter.ofLeft, a.ofLeft);
  }
  std::printf("worst estimate error from 20 %%: before %.0f %% of the run (%.0f %% of the time left), "
              "after %.0f %% of the run (%.0f %% of the time left)\n",
              100 * worstBefore.ofRun, 100 * worstBefore.ofLeft, 100 * worstAfter.ofRun, 100 * worstAfter.ofLeft);
  return 0;
}
