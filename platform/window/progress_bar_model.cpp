// Range, position and stepping of a progress control.
#include "platform/window/progress_bar_model.h"

#include <algorithm>

namespace brisolt::platform {

void ProgressBarModel::setRange(int lower, int upper) {
  range_ = {lower, std::max(lower, upper)};
  position_ = std::clamp(position_, range_.lower, range_.upper);
}

void ProgressBarModel::setPosition(int position) { position_ = std::clamp(position, range_.lower, range_.upper); }

void ProgressBarModel::step() {
  const long long next = static_cast<long long>(position_) + step_;
  position_ = next > range_.upper || next < range_.lower ? range_.lower : static_cast<int>(next);
}

double ProgressBarModel::fraction() const {
  if (range_.upper == range_.lower) return 0.0;
  return static_cast<double>(position_ - range_.lower) / static_cast<double>(range_.upper - range_.lower);
}

}  // namespace brisolt::platform
