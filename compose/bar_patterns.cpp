// The 200 bar patterns: twenty groups of ten texts of sixteen "0"/"1" flags.
#include "compose/bar_patterns.h"

#include "compose/data_text.h"
#include "embedded/compose_bar_patterns.h"

namespace brisolt::compose {

DataFile builtinBarPatternsFile() { return {"bar_patterns.txt", embedded::compose_bar_patterns}; }

std::vector<std::string> loadBarPatterns() { return loadBarPatterns(builtinBarPatternsFile()); }

std::vector<std::string> loadBarPatterns(const DataFile& file) {
  std::vector<std::string> patterns;
  for (const std::string_view line : dataLines(file.text)) {
    const auto colon = line.find(':');
    const int group = colon == std::string_view::npos ? -1 : parseCount(line.substr(0, colon));
    if (group != static_cast<int>(patterns.size()) / kBarPatternsPerGroup) {
      badDataText(file, line, "expected the groups in order: '" + std::string(line) + "'");
    }
    const auto members = words(line.substr(colon + 1));
    if (members.size() != kBarPatternsPerGroup) badDataText(file, line, "a group has ten members");
    for (const std::string_view member : members) {
      if (member.size() != 16 || member.find_first_not_of("01") != std::string_view::npos) {
        badDataText(file, line, "a member is sixteen 0/1 flags: '" + std::string(member) + "'");
      }
      patterns.emplace_back(member);
    }
  }
  if (patterns.size() != kBarPatternGroupCount * kBarPatternsPerGroup) badDataText(file, {}, "expected 20 groups");
  return patterns;
}

}  // namespace brisolt::compose
