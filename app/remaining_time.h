// The remaining-time estimate shown while a piece is generated: the time so
// far per progress step, times the steps still to come.
#pragma once

#include <cstdint>
#include <optional>

namespace brisolt {

// Below this position the estimate is not made (too little to go on).
inline constexpr int kFirstEstimatePosition = 3;
inline constexpr int kLongestEstimate = 5940;  // 99:00, the most the four digits show

// Seconds left at `position` of a bar that ends at `upper`, `elapsedSeconds`
// whole seconds after the start: (upper - position) x elapsed / position,
// truncated, within 0..5940. Nothing below position 3.
std::optional<int> remainingSeconds(int position, int upper, std::int64_t elapsedSeconds);

}  // namespace brisolt
