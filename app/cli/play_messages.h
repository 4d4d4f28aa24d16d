// What `brisolt play` says when a file cannot be played: about the file and
// what would fix it, in the user's words rather than the player's.
#pragma once

#include <string>

#include "platform/media/media_result.h"

namespace brisolt {

struct PlayProblem {
  int exitStatus = 0;  // an ExitStatus: kExitBadFile for the file, kExitFailure for the sound output
  std::string message;
};

// The problem for a failed open or start of `path`; `reply` is the player's.
PlayProblem playProblem(const std::string& path, const platform::MediaReply& reply);

}  // namespace brisolt
