// The loudness source: 1020 two-digit loudness levels in slow swells.
#include "compose/loudness_source.h"

#include "compose/data_text.h"
#include "embedded/compose_dynamics.h"

namespace brisolt::compose {

DataFile builtinLoudnessFile() { return {"dynamics.txt", embedded::compose_dynamics}; }

std::string loadLoudnessSource() { return loadLoudnessSource(builtinLoudnessFile()); }

std::string loadLoudnessSource(const DataFile& file) {
  std::string source;
  for (const std::string_view line : dataLines(file.text)) {
    for (const std::string_view level : words(line)) {
      if (level.size() != 2 || level[0] != '0' || level[1] < '1' || level[1] > '9') {
        badDataText(file, level, "a level is two digits 01..09: '" + std::string(level) + "'");
      }
      source += level;
    }
  }
  if (source.size() != 2 * kLoudnessLevelCount) badDataText(file, {}, "expected 1020 levels");
  return source;
}

}  // namespace brisolt::compose
