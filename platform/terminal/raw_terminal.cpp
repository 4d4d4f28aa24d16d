// Raw terminal mode and the interrupt flag of the command-line player.
#include "platform/terminal/raw_terminal.h"

#include <unistd.h>

namespace brisolt::platform {
namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void noteInterrupt(int) { interrupted = 1; }

}  // namespace

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

InterruptFlag::InterruptFlag() {
  interrupted = 0;
  struct sigaction action {};
  action.sa_handler = noteInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a waiting poll() returns at once
  ::sigaction(SIGINT, &action, &savedInterrupt_);
  ::sigaction(SIGTERM, &action, &savedTerminate_);
}

InterruptFlag::~InterruptFlag() {
  ::sigaction(SIGINT, &savedInterrupt_, nullptr);
  ::sigaction(SIGTERM, &savedTerminate_, nullptr);
}

bool InterruptFlag::raised() const { return interrupted != 0; }

}  // namespace brisolt::platform
