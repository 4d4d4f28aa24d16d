// The remaining-time estimate of Generate.
#include "session/generation_progress.h"

#include <algorithm>

namespace brisolt {

std::optional<int> remainingSeconds(int position, int upper, std::int64_t elapsedSeconds) {
  if (position < kFirstEstimatePosition) return std::nullopt;
  const double secondsPerStep = static_cast<double>(elapsedSeconds) / position;
  const double remaining = (upper - position) * secondsPerStep;
  return static_cast<int>(std::clamp(remaining, 0.0, static_cast<double>(kLongestEstimate)));
}

std::string minutesAndSeconds(int seconds) {
  const char digits[] = {static_cast<char>('0' + seconds / 600), static_cast<char>('0' + seconds % 600 / 60), ':',
                         static_cast<char>('0' + seconds % 60 / 10), static_cast<char>('0' + seconds % 10)};
  return std::string(digits, sizeof digits);
}

}  // namespace brisolt
