// Reading the line-based text tables kept in data/: numbered lines, comment
// lines, cells separated by '|', numbers, quoted texts and yes/no flags.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brisolt::render::datatext {

struct Line {
  int number = 0;         // 1-based, for error messages
  std::string_view text;  // without the line feed and surrounding blanks
};

// Every line of the text, blank ones included, each trimmed.
std::vector<Line> splitLines(std::string_view text);

bool isComment(std::string_view line);  // starts with '#'

std::string_view trim(std::string_view text);

// The cells of a row "a | b | c", each trimmed.
std::vector<std::string_view> splitCells(std::string_view row);

// A whole decimal number (a leading - allowed); nothing else in the cell.
std::optional<int> parseInt(std::string_view cell);

// "yes" or "no".
std::optional<bool> parseYesNo(std::string_view cell);

// The text between a pair of double quotes that enclose the whole cell.
std::optional<std::string> parseQuoted(std::string_view cell);

// "Line 12 of voice_table.txt: " followed by the message.
std::string lineError(std::string_view file, int lineNumber, std::string_view message);

}  // namespace brisolt::render::datatext
