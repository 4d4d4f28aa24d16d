// Decoding terminal bytes into player keys.
#include "playback/terminal_keys.h"

namespace brisolt::playback {

std::optional<PlayerKey> TerminalKeyDecoder::feed(char byte) {
  constexpr char kEscape = '\x1b';
  switch (state_) {
    case State::kPlain:
      if (byte == kEscape) state_ = State::kEscape;
      if (byte == ' ') return PlayerKey::kTogglePause;
      if (byte == 'q' || byte == 'Q') return PlayerKey::kQuit;
      return std::nullopt;
    case State::kEscape:
      // "ESC [" in normal cursor mode, "ESC O" in application cursor mode.
      if (byte == '[' || byte == 'O') {
        state_ = State::kSequence;
        return std::nullopt;
      }
      state_ = State::kPlain;  // a lone Escape: the byte is a key of its own
      return feed(byte);
    case State::kSequence:
      // Parameters and intermediates (digits, ';') come before the final byte.
      if ((byte >= '0' && byte <= '9') || byte == ';') return std::nullopt;
      state_ = State::kPlain;
      if (byte == 'C') return PlayerKey::kPhraseForward;
      if (byte == 'D') return PlayerKey::kPhraseBack;
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace brisolt::playback
