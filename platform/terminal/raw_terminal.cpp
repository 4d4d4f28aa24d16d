// Raw terminal mode for the command-line player.
#include "platform/terminal/raw_terminal.h"

#include <unistd.h>

namespace brisolt::platform {

RawTerminal::RawTerminal(int descriptor) : descriptor_(descriptor) {
  if (!::isatty(descriptor_) || ::tcgetattr(descriptor_, &saved_) != 0) return;
  termios raw = saved_;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  active_ = ::tcsetattr(descriptor_, TCSANOW, &raw) == 0;
}

RawTerminal::~RawTerminal() {
  if (active_) ::tcsetattr(descriptor_, TCSANOW, &saved_);
}

}  // namespace brisolt::platform
