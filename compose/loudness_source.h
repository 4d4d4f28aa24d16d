// The loudness source: 1020 two-digit loudness levels in slow swells, from
// which every piece copies the per-note levels of its `dynamics` text.
#pragma once

#include <string>

#include "compose/data_text.h"

namespace brisolt::compose {

inline constexpr int kLoudnessLevelCount = 1020;

// The embedded data/dynamics.txt joined into one text of 2040 digits.
std::string loadLoudnessSource();
// The same from another text of that form; throws DataTextError at a fault.
std::string loadLoudnessSource(const DataFile& file);

}  // namespace brisolt::compose
