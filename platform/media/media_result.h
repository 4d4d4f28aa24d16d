// What a media command gives back: a named result code, the answer text of a
// command that answers (lengths, positions) and, on failure, what went wrong.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace brisolt::platform {

enum class MediaResult : int {
  kSuccess = 0,
  kUnknownCommand = 1,     // not a command the player can carry out (see isValid)
  kNotOpen = 2,            // no device is open under that alias
  kAliasInUse = 3,         // "open" with an alias that is open already
  kCannotOpenFile = 4,     // the file is missing, not a regular file or unreadable
  kUnsupportedFormat = 5,  // not a RIFF/WAVE file of 22050 Hz mono 16-bit PCM
  kDeviceError = 6,        // the audio output could not be opened
  kReadError = 7,          // the sample data could not be read while playing
};

struct MediaReply {
  MediaResult result = MediaResult::kSuccess;
  std::string answer;  // on success: "" or a decimal number (milliseconds, device number)
  std::string error;   // on failure: what failed, quoting the command or the file
  bool ok() const { return result == MediaResult::kSuccess; }
};

// The result's name ("notOpen"), for messages and test output.
std::string_view mediaResultName(MediaResult result);
std::ostream& operator<<(std::ostream& out, MediaResult result);

}  // namespace brisolt::platform
