// Reading the constant tables of data/: lines and comments, named sections,
// indexed entries, cells separated by a character, and the numbers, yes/no
// flags and quoted texts in them. Every table follows one policy: its first
// fault stops the program when the table is loaded at start-up, with a
// DataTextError that names the file and the line ("Line 12 of scales.txt:
// ..."). Readers that collect the first fault as a message (lineError) hand
// it to refuseDataText.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace brisolt::compose {

// One text of data/ as the program embeds it, with its file name for messages.
struct DataFile {
  std::string_view name;  // "scales.txt"
  std::string_view text;
};

// A table of data/ that cannot be read; what() names the file and the line.
class DataTextError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

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
  std::string_view header;  // the "[name]" line
  std::vector<std::string_view> lines;
};

// Splits a data text into its sections; lines before the first section are
// an error.
std::vector<DataSection> dataSections(const DataFile& file);

// Reads the lines of `section` of `file`, "index text" or "first-last text",
// into a list of `count` texts. Every index 0..count-1 must be given exactly
// once. Blanks inside the text are removed, so "00 01 04" reads as "000104".
std::vector<std::string> indexedEntries(const DataFile& file, const DataSection& section, std::size_t count);

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

// The 1-based line of `file` on which `at`, a view into its text, begins;
// the last line when `at` lies outside the text (a fault of the whole file,
// noticed at its end).
int lineOf(const DataFile& file, std::string_view at);

// Throws DataTextError: the fault `at` that place of the file, by line.
[[noreturn]] void badDataText(const DataFile& file, std::string_view at, std::string_view fault);

// Throws DataTextError naming the table but no line: for the readers of the
// window's own tables until they pass their file and place.
[[noreturn]] void badDataText(std::string_view tableName, std::string_view fault);

// Throws DataTextError(error) when a reader reported a fault; does nothing
// for an empty error.
void refuseDataText(const std::string& error);

}  // namespace brisolt::compose
