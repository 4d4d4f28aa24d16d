// Generate's progress: the 84 steps of the bar and the remaining-time
// estimate shown beside it, for the window's digits and the terminal alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "render/render_driver.h"

namespace brisolt {

// Generate's own two steps (before and after planning) and the driver's 82.
inline constexpr int kGenerateOwnSteps = 2;
inline constexpr int kGenerationSteps = kGenerateOwnSteps + render::kRenderProgressSteps;  // 84
// Below this position the estimate is not recomputed (too little to go on).
inline constexpr int kFirstEstimatePosition = 3;
inline constexpr int kLongestEstimate = 5940;  // 99:00, the most four digits show

// Seconds left at `position` of 0..`upper` after `elapsedSeconds` whole
// seconds: (upper - position) x elapsed / position, truncated, at most
// 5940. Nothing below position 3: the display keeps what it showed.
std::optional<int> remainingSeconds(int position, int upper, std::int64_t elapsedSeconds);

// The four digits as "MM:SS" (5940 is "99:00").
std::string minutesAndSeconds(int seconds);

}  // namespace brisolt
