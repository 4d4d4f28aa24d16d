// The play command's messages for files it cannot play.
#include "app/cli/play_messages.h"

#include "app/exit_status.h"

namespace brisolt {
namespace {

// The reason at the end of a player message ("...: No such file or
// directory"), or empty.
std::string reasonOf(const std::string& error) {
  const std::size_t colon = error.rfind("': ");
  if (colon != std::string::npos) return error.substr(colon + 3);
  const std::size_t paren = error.rfind("): ");
  return paren == std::string::npos ? std::string() : error.substr(paren + 3);
}

std::string withReason(std::string text, const std::string& reason) {
  return reason.empty() ? text : text + " (" + reason + ")";
}

}  // namespace

PlayProblem playProblem(const std::string& path, const platform::MediaReply& reply) {
  const std::string file = "'" + path + "'";
  switch (reply.result) {
    case platform::MediaResult::kCannotOpenFile:
      return {kExitBadFile, withReason("cannot open " + file, reasonOf(reply.error)) +
                                "; name a WAV file that exists and that you may read"};
    case platform::MediaResult::kUnsupportedFormat:
      return {kExitBadFile, file + " is not a 16-bit PCM WAV file of 22050 Hz mono, as Brisolt writes them; "
                                   "play it with another player"};
    case platform::MediaResult::kReadError:
      return {kExitBadFile, file + " could not be read to its end; it may be cut short or on a failing disk"};
    case platform::MediaResult::kDeviceError:
      return {kExitFailure, withReason("no sound output could be opened to play " + file, reasonOf(reply.error)) +
                                "; check that the sound server runs, or choose a driver with SDL_AUDIODRIVER"};
    default:
      return {kExitFailure, "cannot play " + file};
  }
}

}  // namespace brisolt
