// The remaining-time estimate shown while a piece is generated.
#include "app/remaining_time.h"

#include <algorithm>

namespace brisolt {

std::optional<int> remainingSeconds(int position, int upper, std::int64_t elapsedSeconds) {
  if (position < kFirstEstimatePosition) return std::nullopt;
  const double secondsPerStep = static_cast<double>(elapsedSeconds) / position;
  const double remaining = (upper - position) * secondsPerStep;
  return static_cast<int>(std::clamp<double>(remaining, 0.0, kLongestEstimate));  // a clock set back gives 0
}

}  // namespace brisolt
