// The parser of the media command strings.
#include "platform/media/media_command.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace brisolt::platform {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Splits at runs of blanks; the words point into `text`, so the path of
// "open" can be cut out of the original with its own spacing.
std::vector<std::string_view> splitWords(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isBlank(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !isBlank(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

std::string lowerCase(std::string_view word) {
  std::string lower(word);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

bool is(std::string_view word, std::string_view keyword) { return lowerCase(word) == keyword; }

std::optional<std::uint32_t> parseMilliseconds(std::string_view word) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

// open <path...> type waveaudio alias <alias>
std::optional<MediaCommand> parseOpen(std::string_view text, const std::vector<std::string_view>& words) {
  const std::size_t n = words.size();
  if (n < 6 || !is(words[n - 4], "type") || !is(words[n - 3], "waveaudio") || !is(words[n - 2], "alias")) {
    return std::nullopt;
  }
  MediaCommand command;
  command.verb = MediaVerb::open;
  command.alias = lowerCase(words[n - 1]);
  if (command.alias == "all") return std::nullopt;
  const std::size_t pathStart = static_cast<std::size_t>(words[1].data() - text.data());
  const std::size_t pathEnd = static_cast<std::size_t>(words[n - 5].data() - text.data()) + words[n - 5].size();
  std::string_view path = text.substr(pathStart, pathEnd - pathStart);
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  if (path.empty()) return std::nullopt;
  command.path = std::string(path);
  return command;
}

std::optional<MediaCommand> parseOnAlias(const std::vector<std::string_view>& words) {
  const std::string verb = lowerCase(words[0]);
  const std::size_t n = words.size();
  MediaCommand command;
  if (n >= 2) command.alias = lowerCase(words[1]);

  if (verb == "set" && n == 5 && is(words[2], "time") && is(words[3], "format") && is(words[4], "ms")) {
    command.verb = MediaVerb::setTimeFormat;
  } else if (verb == "status" && n == 3 && is(words[2], "length")) {
    command.verb = MediaVerb::statusLength;
  } else if (verb == "status" && n == 3 && is(words[2], "position")) {
    command.verb = MediaVerb::statusPosition;
  } else if (verb == "play" && n == 2) {
    command.verb = MediaVerb::play;
  } else if (verb == "pause" && n == 2) {
    command.verb = MediaVerb::pause;
  } else if (verb == "stop" && n == 2) {
    command.verb = MediaVerb::stop;
  } else if (verb == "seek" && n == 4 && is(words[2], "to")) {
    const auto milliseconds = parseMilliseconds(words[3]);
    if (!milliseconds) return std::nullopt;
    command.verb = MediaVerb::seek;
    command.milliseconds = *milliseconds;
  } else if (verb == "close" && n == 2) {
    command.verb = command.alias == "all" ? MediaVerb::closeAll : MediaVerb::close;
    if (command.verb == MediaVerb::closeAll) command.alias.clear();
  } else {
    return std::nullopt;
  }
  return command;
}

}  // namespace

std::optional<MediaCommand> parseMediaCommand(std::string_view text) {
  std::vector<std::string_view> words = splitWords(text);
  if (words.empty()) return std::nullopt;

  Completion completion = Completion::none;
  if (is(words.back(), "wait")) completion = Completion::wait;
  else if (is(words.back(), "notify")) completion = Completion::notify;
  if (completion != Completion::none) words.pop_back();
  if (words.empty()) return std::nullopt;

  std::optional<MediaCommand> command =
      is(words[0], "open") ? parseOpen(text, words) : parseOnAlias(words);
  if (!command) return std::nullopt;

  const bool isPlay = command->verb == MediaVerb::play;
  if (completion == Completion::notify && !isPlay) return std::nullopt;
  if (completion == Completion::wait && isPlay) return std::nullopt;
  command->completion = completion;
  return command;
}

}  // namespace brisolt::platform
