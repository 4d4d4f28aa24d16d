// The 200 bar patterns: twenty groups of ten texts of sixteen "0"/"1" flags,
// one flag per bar of a phrase, that switch the voices on and off.
#pragma once

#include <string>
#include <vector>

#include "compose/data_text.h"

namespace brisolt::compose {

inline constexpr int kBarPatternGroupCount = 20;
inline constexpr int kBarPatternsPerGroup = 10;

// The embedded data/bar_patterns.txt: text 10 x g + k is member k of group g.
std::vector<std::string> loadBarPatterns();
// The same from another text of that form; throws DataTextError at a fault.
std::vector<std::string> loadBarPatterns(const DataFile& file);

}  // namespace brisolt::compose
