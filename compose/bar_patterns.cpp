// The 200 bar patterns: twenty groups of ten texts of sixteen "0"/"1" flags.
#include "compose/bar_patterns.h"

#include "compose/data_text.h"
#include "embedded/compose_bar_patterns.h"

namespace brisolt::compose {

std::vector<std::string> loadBarPatterns() {
  std::vector<std::string> patterns;
  for (const std::string_view line : dataLines(embedded::compose_bar_patterns)) {
    const auto colon = line.find(':');
    const int group = colon == std::string_view::npos ? -1 : parseCount(line.substr(0, colon));
    if (group != static_cast<int>(patterns.size()) / kBarPatternsPerGroup) {
      badDataText("bar patterns", "expected the groups in order: '" + std::string(line) + "'");
    }
    const auto members = words(line.substr(colon + 1));
    if (members.size() != kBarPatternsPerGroup) badDataText("bar patterns", "a group has ten members");
    for (const std::string_view member : members) {
      if (member.size() != 16 || member.find_first_not_of("01") != std::string_view::npos) {
        badDataText("bar patterns", "a member is sixteen 0/1 flags: '" + std::string(member) + "'");
      }
      patterns.emplace_back(member);
    }
  }
  if (patterns.size() != kBarPatternGroupCount * kBarPatternsPerGroup) badDataText("bar patterns", "expected 20 groups");
  return patterns;
}

}  // namespace brisolt::compose
