// The weighted, smoothed remaining-time estimate.
#include "app/window/remaining_time_estimate.h"

#include <algorithm>
#include <numeric>

#include "app/window/generate_step_costs.h"
#include "session/generation_progress.h"

namespace brisolt {
namespace {

// Below this share of the work the estimate keeps what the digits show.
constexpr double kFirstEstimateShare = 0.03;
// Weight of a new projection against the smoothed one.
constexpr double kSmoothing = 0.35;

}  // namespace

RemainingTimeEstimate::RemainingTimeEstimate(std::vector<double> stepCosts) {
  const double total = std::accumulate(stepCosts.begin(), stepCosts.end(), 0.0);
  done_.assign(1, 0.0);
  double sum = 0;
  for (const double cost : stepCosts) {
    sum += cost;
    done_.push_back(total > 0 ? sum / total : 1.0);
  }
}

RemainingTimeEstimate RemainingTimeEstimate::forGenerate(int phrases, bool rendition) {
  return RemainingTimeEstimate(generateStepCosts(phrases, rendition));
}

void RemainingTimeEstimate::restart() { total_.reset(); }

double RemainingTimeEstimate::doneAt(int position) const {
  if (position <= 0) return 0;
  return done_[std::min(static_cast<std::size_t>(position), done_.size() - 1)];
}

std::optional<int> RemainingTimeEstimate::remaining(int position, double elapsedSeconds) {
  const double share = doneAt(position);
  if (share < kFirstEstimateShare || elapsedSeconds <= 0) return std::nullopt;  // too little to go on
  // The pace: seconds the whole work takes at the rate seen so far.
  const double projected = elapsedSeconds / share;
  total_ = total_ ? kSmoothing * projected + (1 - kSmoothing) * *total_ : projected;
  const double left = std::max(*total_ * (1 - share), 0.0);
  return static_cast<int>(std::min(left + 0.5, static_cast<double>(kLongestEstimate)));
}

}  // namespace brisolt
