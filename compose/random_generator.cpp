// The one random generator behind every musical choice: a linear congruential
// generator whose draws are reproducible from the logged session id.
#include "compose/random_generator.h"

namespace brisolt::compose {

int RandomGenerator::next() {
  state_ = state_ * 214013u + 2531011u;  // wraps modulo 2^32
  return static_cast<int>((state_ >> 16) & 0x7FFFu);
}

int RandomGenerator::scaled(int n) {
  const double value = static_cast<double>(next());
  return static_cast<int>(value * n / static_cast<double>(kValueLimit));
}

}  // namespace brisolt::compose
