// Decoding terminal bytes into player keys.
#include "playback/terminal_keys.h"

namespace brisolt::playback {

std::optional<PlayerKey> TerminalKeyDecoder::feed(char byte) {
  constexpr char kEscape = '\x1b';
  switch (state_) {
    case State::plain:
      if (byte == kEscape) state_ = State::escape;
      if (byte == ' ') return PlayerKey::togglePause;
      if (byte == 'q' || byte == 'Q') return PlayerKey::quit;
      return std::nullopt;
    case State::escape:
      // "ESC [" in normal cursor mode, "ESC O" in application cursor mode.
      if (byte == '[' || byte == 'O') {
        state_ = State::sequence;
        return std::nullopt;
      }
      state_ = State::plain;  // a lone Escape: the byte is a key of its own
      return feed(byte);
    case State::sequence:
      // Parameters and intermediates (digits, ';') come before the final byte.
      if ((byte >= '0' && byte <= '9') || byte == ';') return std::nullopt;
      state_ = State::plain;
      if (byte == 'C') return PlayerKey::phraseForward;
      if (byte == 'D') return PlayerKey::phraseBack;
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace brisolt::playback
