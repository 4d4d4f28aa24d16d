// The session id: the seed of a piece's random choices, derived from the
// calendar time at which it was planned.
#pragma once

#include <cstdint>

namespace brisolt::compose {

// Folds the eight bytes of a 64-bit count of seconds, least significant
// first, into value = value x 257 + byte (wrapping in 32 bits).
constexpr std::uint32_t sessionIdFromTime(std::int64_t seconds) {
  const auto bits = static_cast<std::uint64_t>(seconds);
  std::uint32_t value = 0;
  for (int byte = 0; byte < 8; ++byte) {
    value = value * 257u + static_cast<std::uint32_t>((bits >> (8 * byte)) & 0xFFu);
  }
  return value;
}

}  // namespace brisolt::compose
