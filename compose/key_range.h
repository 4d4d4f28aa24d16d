// A (low, high) pair of key numbers: a register into which the voices fold
// the keys they play.
#pragma once

namespace brisolt::compose {

struct KeyRange {
  int low = 0;
  int high = 0;
  bool operator==(const KeyRange&) const = default;
};

}  // namespace brisolt::compose
