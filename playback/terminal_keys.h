// The keys of the terminal player, decoded from the bytes a terminal sends:
// space, q, and the left and right arrows (escape sequences, which may arrive
// split over several reads).
#pragma once

#include <optional>

#include "playback/file_player.h"

namespace brisolt::playback {

class TerminalKeyDecoder {
 public:
  // One byte in; a key when the byte completes one. Other bytes are ignored.
  std::optional<PlayerKey> feed(char byte);

 private:
  enum class State { kPlain, kEscape, kSequence };
  State state_ = State::kPlain;
};

}  // namespace brisolt::playback
