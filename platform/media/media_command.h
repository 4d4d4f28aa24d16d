// Parses the media command strings that the program sends ("open <path> type
// waveaudio alias lv wait", "play lv notify", "seek lv to 128501", ...) into a
// command record. Only those commands are understood.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brisolt::platform {

enum class MediaVerb {
  open,            // open <path> type waveaudio alias <alias>
  setTimeFormat,   // set <alias> time format ms
  statusLength,    // status <alias> length
  statusPosition,  // status <alias> position
  play,            // play <alias>
  pause,           // pause <alias>
  stop,            // stop <alias>
  seek,            // seek <alias> to <milliseconds>
  close,           // close <alias>
  closeAll,        // close all
};

// The optional last word of a command. Every command here completes before
// the player returns, so "wait" changes nothing; "notify" is accepted on play
// alone, whose completion (the end of playback) comes later. "play ... wait"
// would block the caller until the end and is not accepted.
enum class Completion { none, wait, notify };

struct MediaCommand {
  MediaVerb verb = MediaVerb::open;
  std::string alias;               // lower case; empty for closeAll
  std::string path;                // open only
  std::uint32_t milliseconds = 0;  // seek only
  Completion completion = Completion::none;
};

// Words are separated by runs of blanks; keywords and aliases are matched
// without regard to case. The path of "open" is everything between "open" and
// the trailing "type waveaudio alias <alias>", so it may contain blanks; a
// path wholly inside double quotes loses the quotes. "all" cannot be opened as
// an alias. Anything else, including extra words, gives nullopt.
std::optional<MediaCommand> parseMediaCommand(std::string_view text);

}  // namespace brisolt::platform
