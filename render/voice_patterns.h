// The constant pattern strings of the voices (one character per planned
// melody note), loaded from the embedded voice_patterns.txt.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace brisolt::render {

// The characters a pattern string may hold: '0', '+', '-', 'A'..'H', 'O',
// 'Q', 'V'..'Z', and the lower-case 'y' that reads as 'Y'.
bool isPatternCharacter(char c);

// A character that can name a voice in the data files: printable, not a blank.
bool isVoiceLetter(char c);

// The longest line of a string in the data file.
inline constexpr std::size_t kPatternLineLength = 100;

struct VoicePatterns {
  std::array<std::string, 128> byLetter{};  // indexed by voice letter
  std::string letters;                      // in the order of the file

  // The string of a voice exactly as written (not yet upper-cased); empty
  // when the voice has no pattern string.
  std::string_view find(char letter) const;
};

struct VoicePatternsLoad {
  VoicePatterns patterns;
  std::string error;  // empty when the text was read whole
};

// Reads entries of the form "voice <letter>", the string in lines of at most
// 100 characters, and an empty line; '#' lines are comments. Stops at the
// first fault and names its line.
VoicePatternsLoad parseVoicePatterns(std::string_view text);

// The strings built into the program, read once. Throws compose::DataTextError,
// naming the line, if the embedded file is malformed.
const VoicePatterns& builtinVoicePatterns();

}  // namespace brisolt::render
