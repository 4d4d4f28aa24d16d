// "Did you mean ...?" for a mistyped subcommand, by edit distance.
#include "app/cli/command_hint.h"

#include <algorithm>
#include <cctype>

namespace brisolt {
namespace {

constexpr std::size_t kMostEdits = 2;  // farther than this is no typo

// Edits (insert, delete, change, swap of neighbours) from a to b, ignoring case.
std::size_t editDistance(std::string_view a, std::string_view b) {
  const auto same = [&](std::size_t i, std::size_t j) {
    return std::tolower(static_cast<unsigned char>(a[i])) == std::tolower(static_cast<unsigned char>(b[j]));
  };
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (same(i - 1, j - 1) ? 0 : 1)});
      if (i > 1 && j > 1 && same(i - 1, j - 2) && same(i - 2, j - 1)) d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::optional<std::string> unknownCommandMessage(std::string_view word, const std::vector<std::string>& commands) {
  if (word.empty() || word.front() == '-') return std::nullopt;
  if (std::find(commands.begin(), commands.end(), word) != commands.end()) return std::nullopt;
  std::string message = "brisolt: '" + std::string(word) + "' is not a brisolt command.";
  std::size_t best = kMostEdits + 1;
  std::string nearest;
  for (const std::string& command : commands) {
    const std::size_t distance = command.starts_with(word) ? 0 : editDistance(word, command);
    if (distance < best) {
      best = distance;
      nearest = command;
    }
  }
  if (!nearest.empty()) message += " Did you mean '" + nearest + "'?";
  return message + " See 'brisolt --help'.";
}

}  // namespace brisolt
