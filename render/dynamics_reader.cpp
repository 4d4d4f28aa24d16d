// Two-digit reading of the dynamics text.
#include "render/dynamics_reader.h"

#include "compose/scale_keys.h"

namespace brisolt::render {

int DynamicsReader::next() {
  if (dynamics_.size() < 2) return 0;
  if (position_ + 2 > dynamics_.size()) position_ = 0;
  const int step = compose::twoDigitNumber(dynamics_, position_);
  position_ += 2;
  return step;
}

}  // namespace brisolt::render
