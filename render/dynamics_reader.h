// A renderer's private copy of the plan's dynamics: the attenuation step of
// every planned note as two decimal digits, read in note order whether the
// note sounds or not, so the steps stay aligned with the plan.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace brisolt::render {

class DynamicsReader {
 public:
  explicit DynamicsReader(std::string_view dynamics) : dynamics_(dynamics) {}

  // The next two digits as a number. When fewer than two digits remain the
  // reading starts again from the whole text (the plan holds two digits for
  // every note, so only a voice that reads past the plan's notes restarts).
  // An empty text reads as step 0, full level.
  int next();

 private:
  std::string dynamics_;
  std::size_t position_ = 0;
};

}  // namespace brisolt::render
