// The log of Generate's progress.
#include "app/window/progress_log.h"

#include <cstdlib>

namespace brisolt {

void ProgressLog::open(Time start) {
  start_ = start;
  if (out_.is_open()) out_.close();
  const char* path = std::getenv(kProgressLogVariable);
  if (path && *path) out_.open(path, std::ios::app);
}

long long ProgressLog::millisecondsAt(Time now) const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(now - start_).count();
}

void ProgressLog::step(Time now, int position) {
  if (out_.is_open()) out_ << "step " << millisecondsAt(now) << ' ' << position << '\n';
}

void ProgressLog::estimate(Time now, int position, std::optional<int> seconds) {
  if (!out_.is_open()) return;
  out_ << "estimate " << millisecondsAt(now) << ' ' << position << ' ';
  if (seconds) out_ << *seconds;
  else out_ << '-';
  out_ << '\n';
}

void ProgressLog::done(Time now, bool rendered) {
  if (!out_.is_open()) return;
  out_ << "done " << millisecondsAt(now) << ' ' << (rendered ? "rendered" : "not-rendered") << '\n';
  out_.flush();
}

}  // namespace brisolt
