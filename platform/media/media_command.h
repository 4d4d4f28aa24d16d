// The commands the program gives its media player, as typed values: open a
// wave file under an alias, set the time format, ask the length or position,
// play with an end-of-play notification, pause, stop, seek and close. Each
// has a text, the one the player's documentation spells, for logs and tests.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace brisolt::platform {

enum class MediaVerb {
  kOpen,            // open <path> type waveaudio alias <alias>
  kSetTimeFormat,   // set <alias> time format MS
  kStatusLength,    // status <alias> length
  kStatusPosition,  // status <alias> position
  kPlay,            // play <alias>
  kPause,           // pause <alias>
  kStop,            // stop <alias>
  kSeek,            // seek <alias> to <milliseconds>
  kClose,           // close <alias>
  kCloseAll,        // close all
};

// The optional last word of a command. Every command here completes before
// the player returns, so "wait" changes nothing; "notify" is for play alone,
// whose completion (the end of playback) comes later. A play that waits would
// block the caller until the end and is refused.
enum class Completion { kNone, kWait, kNotify };

// Build commands with the named makers below; they give each command the
// completion the program uses.
struct MediaCommand {
  MediaVerb verb = MediaVerb::kCloseAll;
  std::string alias;               // empty for kCloseAll
  std::string path;                // kOpen only
  std::uint32_t milliseconds = 0;  // kSeek only
  Completion completion = Completion::kNone;

  static MediaCommand open(std::string path, std::string alias);  // "open <path> type waveaudio alias <alias> wait"
  static MediaCommand setTimeFormat(std::string alias);           // "set <alias> time format MS wait"
  static MediaCommand statusLength(std::string alias);            // "status <alias> length wait"
  static MediaCommand statusPosition(std::string alias);          // "status <alias> position wait"
  static MediaCommand play(std::string alias);                    // "play <alias> notify"
  static MediaCommand pause(std::string alias);                   // "pause <alias>"
  static MediaCommand stop(std::string alias);                    // "stop <alias> wait"
  static MediaCommand seek(std::string alias, std::uint32_t milliseconds);         // "seek <alias> to <ms>"
  static MediaCommand seekAndWait(std::string alias, std::uint32_t milliseconds);  // "seek <alias> to <ms> wait"
  static MediaCommand close(std::string alias);                   // "close <alias> wait"
  static MediaCommand closeAll();                                 // "close all wait"

  friend bool operator==(const MediaCommand&, const MediaCommand&) = default;
};

// Whether the player can carry the command out: a known combination of verb
// and completion, an alias (other than "all") where one is needed, a path for
// open. The makers above only make valid commands.
bool isValid(const MediaCommand& command);

// The command's text, e.g. "seek lv to 128501 wait".
std::string commandText(const MediaCommand& command);
std::ostream& operator<<(std::ostream& out, const MediaCommand& command);

}  // namespace brisolt::platform
