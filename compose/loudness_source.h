// The loudness source: 1020 two-digit loudness levels in slow swells, from
// which every piece copies the per-note levels of its `dynamics` text.
#pragma once

#include <string>

namespace brisolt::compose {

inline constexpr int kLoudnessLevelCount = 1020;

// The embedded data/dynamics.txt joined into one text of 2040 digits.
std::string loadLoudnessSource();

}  // namespace brisolt::compose
