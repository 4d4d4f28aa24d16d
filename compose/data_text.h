// Reading the constant tables of data/: comment and blank-line handling,
// named sections and indexed entries. The texts are embedded at build time, so
// a malformed text is a defect of the build and reported by an exception.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brisolt::compose {

// The lines of a data text with surrounding blanks removed; empty lines and
// comment lines (those that begin with '#') are dropped. A '#' inside a line
// is text, as in the key name "C#".
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

// A whole decimal number, or -1 when the text is not one.
int parseCount(std::string_view text);

// Throws std::logic_error naming the table and the fault.
[[noreturn]] void badDataText(std::string_view tableName, std::string_view fault);

}  // namespace brisolt::compose
