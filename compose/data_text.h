// Reading the constant tables of data/: lines and comments, named sections,
// indexed entries, cells separated by a character, and the numbers, yes/no
// flags and quoted texts in them. The planner's tables throw at the first
// fault (badDataText); the voice tables name the line instead (lineError).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brisolt::compose {

// The text without surrounding blanks, tabs and carriage returns.
std::string_view trim(std::string_view text);

// True for a comment line: one that begins with '#'. A '#' inside a line is
// text, as in the key name "C#".
bool isComment(std::string_view line);

// One line of a data text, trimmed, with its 1-based number for messages.
struct NumberedLine {
  int number = 0;
  std::string_view text;
};

// Every line of the text, blank and comment lines included.
std::vector<NumberedLine> numberedLines(std::string_view text);

// The lines that carry data: trimmed, without blank and comment lines.
std::vector<std::string_view> dataLines(std::string_view text);

// A part of a data text that opens with a line "[name]".
struct DataSection {
  std::string name;
  std::vector<std::string_view> lines;
};

// Splits a data text into its sections; lines before the first section are
// an error.
std::vector<DataSection> dataSections(std::string_view text, std::string_view tableName);

// Reads lines "index text" or "first-last text" into a list of `count` texts.
// Every index 0..count-1 must be given exactly once. Blanks inside the text
// are removed, so "00 01 04" reads as "000104".
std::vector<std::string> indexedEntries(const std::vector<std::string_view>& lines,
                                        std::size_t count, std::string_view tableName);

// The text without any blanks or tabs.
std::string withoutBlanks(std::string_view text);

// Splits a text at every occurrence of `separator`, trimming each field.
std::vector<std::string_view> splitFields(std::string_view text, char separator);

// The blank-separated words of a text.
std::vector<std::string_view> words(std::string_view text);

// A whole decimal number (a leading '-' allowed) and nothing else.
std::optional<int> parseInt(std::string_view text);

// A whole number of 0 or more, or -1 when the text is not one.
int parseCount(std::string_view text);

// "yes" or "no".
std::optional<bool> parseYesNo(std::string_view text);

// The text between a pair of double quotes that enclose the whole of it.
std::optional<std::string> parseQuoted(std::string_view text);

// "Line 12 of voice_table.txt: " followed by the message.
std::string lineError(std::string_view file, int lineNumber, std::string_view message);

// Throws std::logic_error naming the table and the fault.
[[noreturn]] void badDataText(std::string_view tableName, std::string_view fault);

}  // namespace brisolt::compose
