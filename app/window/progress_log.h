// A log of Generate's progress for measuring it: every step of the bar and
// every remaining-time estimate with the milliseconds since Generate began,
// written to the file named by BRISOLT_PROGRESS_LOG (nothing without it).
// bench/window_generate_bench.sh reads it to compare the estimates with
// the real end.
#pragma once

#include <chrono>
#include <fstream>
#include <optional>

namespace brisolt {

inline constexpr const char* kProgressLogVariable = "BRISOLT_PROGRESS_LOG";

// Lines: "step MS POSITION", "estimate MS POSITION SECONDS|-", "done MS rendered|not-rendered".
class ProgressLog {
 public:
  using Time = std::chrono::system_clock::time_point;
  // Starts a run's log (appended to the file), if the variable names one.
  void open(Time start);
  void step(Time now, int position);
  void estimate(Time now, int position, std::optional<int> seconds);
  void done(Time now, bool rendered);

 private:
  long long millisecondsAt(Time now) const;
  std::ofstream out_;
  Time start_{};
};

}  // namespace brisolt
