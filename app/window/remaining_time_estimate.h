// The window's remaining-time estimate during Generate: the progress bar's
// steps weighted by what each really costs (generate_step_costs.h: reading
// the sample data and the mix passes cost far more a step than the plan),
// the pace smoothed so the digits do not jump.
#pragma once

#include <optional>
#include <vector>

namespace brisolt {

class RemainingTimeEstimate {
 public:
  // `stepCosts[i]` is the relative cost of reaching position i + 1 from i.
  explicit RemainingTimeEstimate(std::vector<double> stepCosts);
  // Generate of a piece of `phrases` phrases: its 84 steps weighted by
  // their measured costs, and the rendition after the bar's end when it is
  // made.
  static RemainingTimeEstimate forGenerate(int phrases, bool rendition);

  // Forgets the run before.
  void restart();
  // Seconds left at `position` after `elapsedSeconds`; nothing while too
  // little of the work is done to say.
  std::optional<int> remaining(int position, double elapsedSeconds);
  // The share of the work done at `position`, 0..1.
  double doneAt(int position) const;

 private:
  std::vector<double> done_;  // cumulative share per position, done_[0] == 0
  std::optional<double> total_;  // the smoothed pace: seconds for the whole work
};

}  // namespace brisolt
