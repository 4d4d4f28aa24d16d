// Helpers shared by the loaders of the voice data files.
#include "render/data_text.h"

#include <charconv>

namespace brisolt::render::datatext {

std::string_view trim(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::vector<Line> splitLines(std::string_view text) {
  std::vector<Line> lines;
  int number = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const auto line = text.substr(0, end);
    lines.push_back({++number, trim(line)});
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool isComment(std::string_view line) { return !line.empty() && line.front() == '#'; }

std::vector<std::string_view> splitCells(std::string_view row) {
  std::vector<std::string_view> cells;
  while (true) {
    const auto bar = row.find('|');
    cells.push_back(trim(row.substr(0, bar)));
    if (bar == std::string_view::npos) break;
    row.remove_prefix(bar + 1);
  }
  return cells;
}

std::optional<int> parseInt(std::string_view cell) {
  int value = 0;
  const char* end = cell.data() + cell.size();
  const auto [stop, status] = std::from_chars(cell.data(), end, value);
  if (cell.empty() || status != std::errc{} || stop != end) return std::nullopt;
  return value;
}

std::optional<bool> parseYesNo(std::string_view cell) {
  if (cell == "yes") return true;
  if (cell == "no") return false;
  return std::nullopt;
}

std::optional<std::string> parseQuoted(std::string_view cell) {
  if (cell.size() < 2 || cell.front() != '"' || cell.back() != '"') return std::nullopt;
  const auto inner = cell.substr(1, cell.size() - 2);
  if (inner.find('"') != std::string_view::npos) return std::nullopt;
  return std::string(inner);
}

std::string lineError(std::string_view file, int lineNumber, std::string_view message) {
  std::string text = "Line " + std::to_string(lineNumber) + " of ";
  text += file;
  text += ": ";
  text += message;
  return text;
}

}  // namespace brisolt::render::datatext
