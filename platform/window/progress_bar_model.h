// The state of one progress control: range, position, step and colours, with
// the rules every implementation shares (the position stays in the range,
// stepping past the upper end starts over at the lower end).
#pragma once

#include "platform/window/dialog_window.h"
#include "platform/window/window_types.h"

namespace brisolt::platform {

inline constexpr Rgb kDefaultProgressBackground{40, 31, 25};
inline constexpr Rgb kDefaultProgressBar{240, 164, 64};

class ProgressBarModel {
 public:
  // A reversed range is taken as lower..lower.
  void setRange(int lower, int upper);
  void setPosition(int position);
  void setStep(int step) { step_ = step; }
  void step();
  void setBackground(Rgb colour) { background_ = colour; }
  void setBar(Rgb colour) { bar_ = colour; }

  ProgressRange range() const { return range_; }
  int position() const { return position_; }
  int stepSize() const { return step_; }
  Rgb background() const { return background_; }
  Rgb bar() const { return bar_; }
  // How much of the bar is filled, 0.0 .. 1.0.
  double fraction() const;

 private:
  ProgressRange range_{0, 100};
  int position_ = 0;
  int step_ = 10;
  Rgb background_ = kDefaultProgressBackground;
  Rgb bar_ = kDefaultProgressBar;
};

}  // namespace brisolt::platform
