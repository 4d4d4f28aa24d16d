// Reading the constant tables of data/: lines, sections, indexed entries,
// cells and the values in them.
#include "compose/data_text.h"

#include <charconv>
#include <stdexcept>

namespace brisolt::compose {

std::string_view trim(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

bool isComment(std::string_view line) { return !line.empty() && line.front() == '#'; }

int lineOf(const DataFile& file, std::string_view at) {
  const char* begin = file.text.data();
  const char* end = begin + file.text.size();
  const bool inside = at.data() >= begin && at.data() <= end;
  const char* upTo = inside ? at.data() : end;
  int line = 1;
  for (const char* c = begin; c < upTo; ++c) {
    if (*c == '\n' && (inside || c + 1 < end)) ++line;
  }
  return line;
}

void badDataText(const DataFile& file, std::string_view at, std::string_view fault) {
  throw DataTextError(lineError(file.name, lineOf(file, at), fault));
}

void badDataText(std::string_view tableName, std::string_view fault) {
  throw DataTextError("embedded table '" + std::string(tableName) + "': " + std::string(fault));
}

void refuseDataText(const std::string& error) {
  if (!error.empty()) throw DataTextError(error);
}

std::vector<NumberedLine> numberedLines(std::string_view text) {
  std::vector<NumberedLine> lines;
  int number = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    lines.push_back({++number, trim(text.substr(0, end))});
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::vector<std::string_view> dataLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (const NumberedLine& line : numberedLines(text)) {
    if (!line.text.empty() && !isComment(line.text)) lines.push_back(line.text);
  }
  return lines;
}

std::vector<DataSection> dataSections(const DataFile& file) {
  std::vector<DataSection> sections;
  for (const std::string_view line : dataLines(file.text)) {
    if (line.front() == '[') {
      if (line.back() != ']') badDataText(file, line, "unclosed section name '" + std::string(line) + "'");
      sections.push_back({std::string(trim(line.substr(1, line.size() - 2))), line, {}});
    } else if (sections.empty()) {
      badDataText(file, line, "line before the first section: '" + std::string(line) + "'");
    } else {
      sections.back().lines.push_back(line);
    }
  }
  return sections;
}

std::vector<std::string_view> words(std::string_view text) {
  std::vector<std::string_view> result;
  std::size_t start = 0;
  while (true) {
    start = text.find_first_not_of(" \t", start);
    if (start == std::string_view::npos) break;
    const auto end = text.find_first_of(" \t", start);
    result.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end;
  }
  return result;
}

std::optional<int> parseInt(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, status] = std::from_chars(text.data(), end, value);
  if (text.empty() || status != std::errc{} || stop != end) return std::nullopt;
  return value;
}

int parseCount(std::string_view text) {
  const std::optional<int> value = parseInt(text);
  return value && *value >= 0 ? *value : -1;
}

std::optional<bool> parseYesNo(std::string_view text) {
  if (text == "yes") return true;
  if (text == "no") return false;
  return std::nullopt;
}

std::optional<std::string> parseQuoted(std::string_view text) {
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') return std::nullopt;
  const auto inner = text.substr(1, text.size() - 2);
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

std::vector<std::string> indexedEntries(const DataFile& file, const DataSection& section, std::size_t count) {
  std::vector<std::string> entries(count);
  std::vector<bool> given(count, false);
  for (const std::string_view line : section.lines) {
    const auto blank = line.find_first_of(" \t");
    if (blank == std::string_view::npos) badDataText(file, line, "entry without text: '" + std::string(line) + "'");
    const std::string_view indexes = line.substr(0, blank);
    const auto dash = indexes.find('-');
    const int first = parseCount(indexes.substr(0, dash));
    const int last = dash == std::string_view::npos ? first : parseCount(indexes.substr(dash + 1));
    if (first < 0 || last < first || static_cast<std::size_t>(last) >= count) {
      badDataText(file, line, "bad index '" + std::string(indexes) + "'");
    }
    const std::string text = withoutBlanks(line.substr(blank));
    for (int index = first; index <= last; ++index) {
      if (given[index]) badDataText(file, line, "index " + std::to_string(index) + " given twice");
      given[index] = true;
      entries[index] = text;
    }
  }
  for (std::size_t index = 0; index < count; ++index) {
    if (!given[index]) {
      badDataText(file, section.header, "[" + section.name + "]: index " + std::to_string(index) + " missing");
    }
  }
  return entries;
}

std::string withoutBlanks(std::string_view text) {
  std::string result;
  for (const char c : text) {
    if (c != ' ' && c != '\t' && c != '\r') result += c;
  }
  return result;
}

std::vector<std::string_view> splitFields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  while (true) {
    const auto end = text.find(separator);
    fields.push_back(trim(text.substr(0, end)));
    if (end == std::string_view::npos) break;
    text = text.substr(end + 1);
  }
  return fields;
}

}  // namespace brisolt::compose
