// The one random generator behind every musical choice: a linear congruential
// generator whose draws are reproducible from the logged session id.
#pragma once

#include <cstdint>

namespace brisolt::compose {

class RandomGenerator {
 public:
  static constexpr int kValueLimit = 32768;  // draws lie in 0..kValueLimit-1

  void seed(std::uint32_t seed) { state_ = seed; }

  // Advances the state and returns a value 0..32767.
  int next();

  // A draw scaled to n: the integer part of next() x n / 32768.0, so
  // 0..n-1 for n >= 1 (and 0 for n = 0).
  int scaled(int n);

  std::uint32_t state() const { return state_; }

 private:
  std::uint32_t state_ = 1;
};

}  // namespace brisolt::compose
