// The calendar clock of the window logic (the splash's five seconds, the
// session prefix, the remaining time), replaceable in tests.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace brisolt {

using WallClock = std::function<std::chrono::system_clock::time_point()>;

inline WallClock systemWallClock() {
  return [] { return std::chrono::system_clock::now(); };
}

// Whole seconds since the epoch, as the calendar time of the C library counts them.
inline std::int64_t wholeSeconds(std::chrono::system_clock::time_point time) {
  return std::chrono::duration_cast<std::chrono::seconds>(time.time_since_epoch()).count();
}

}  // namespace brisolt
