// Loader of the voice pattern strings.
#include "render/voice_patterns.h"

#include "embedded/voicePatternsText.h"
#include "compose/data_text.h"

namespace brisolt::render {
namespace {

constexpr std::string_view kFile = "voice_patterns.txt";
constexpr std::string_view kHeader = "voice ";
constexpr std::string_view kAlphabet = "0+-ABCDEFGHOQVWXYZy";

std::size_t slot(char letter) { return static_cast<unsigned char>(letter); }

}  // namespace

bool isVoiceLetter(char c) { return c > ' ' && c < 127; }

bool isPatternCharacter(char c) { return c != '\0' && kAlphabet.find(c) != std::string_view::npos; }

std::string_view VoicePatterns::find(char letter) const {
  return isVoiceLetter(letter) ? std::string_view(byLetter[slot(letter)]) : std::string_view();
}

VoicePatternsLoad parseVoicePatterns(std::string_view text) {
  using compose::lineError;
  VoicePatternsLoad load;
  auto fail = [&](int line, const std::string& message) {
    load.patterns = {};
    load.error = lineError(kFile, line, message);
    return load;
  };

  char open = 0;  // the voice whose lines are being read, 0 between entries
  int openLine = 0;
  for (const auto& line : compose::numberedLines(text)) {
    if (compose::isComment(line.text)) continue;
    if (line.text.empty()) {
      if (open != 0 && load.patterns.byLetter[slot(open)].empty())
        return fail(openLine, std::string("voice ") + open + " has no pattern lines");
      open = 0;
      continue;
    }
    if (line.text.starts_with(kHeader)) {
      if (open != 0)
        return fail(line.number, "an empty line must end the entry of voice " + std::string(1, open));
      const auto letter = compose::trim(line.text.substr(kHeader.size()));
      if (letter.size() != 1 || !isVoiceLetter(letter.front()))
        return fail(line.number, "expected one voice letter after \"voice\", got \"" + std::string(letter) + "\"");
      open = letter.front();
      openLine = line.number;
      if (load.patterns.letters.find(open) != std::string::npos)
        return fail(line.number, std::string("voice ") + open + " has a second entry");
      load.patterns.letters += open;
      continue;
    }
    if (open == 0)
      return fail(line.number, "pattern characters outside an entry; start one with \"voice <letter>\"");
    if (line.text.size() > kPatternLineLength)
      return fail(line.number, "line of " + std::to_string(line.text.size()) + " characters; at most " +
                                   std::to_string(kPatternLineLength) + " are allowed");
    for (std::size_t column = 0; column < line.text.size(); ++column) {
      const char c = line.text[column];
      if (!isPatternCharacter(c))
        return fail(line.number, "'" + std::string(1, c) + "' at column " + std::to_string(column + 1) +
                                     " is not a pattern character (allowed: " + std::string(kAlphabet) + ")");
    }
    load.patterns.byLetter[slot(open)] += line.text;
  }
  if (open != 0 && load.patterns.byLetter[slot(open)].empty())
    return fail(openLine, std::string("voice ") + open + " has no pattern lines");
  return load;
}

const VoicePatterns& builtinVoicePatterns() {
  static const VoicePatterns patterns = [] {
    auto load = parseVoicePatterns(embedded::voicePatternsText);
    compose::refuseDataText(load.error);
    return std::move(load.patterns);
  }();
  return patterns;
}

}  // namespace brisolt::render
