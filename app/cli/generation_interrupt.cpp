// Ctrl-C as Stop: a flag set by the signal handler, copied by the pump.
#include "app/cli/generation_interrupt.h"

#include <csignal>

#include "platform/message_pump.h"

namespace brisolt {
namespace {

volatile std::sig_atomic_t interruptPending = 0;
struct sigaction previousAction {};

extern "C" void recordInterrupt(int) { interruptPending = 1; }

}  // namespace

InterruptCancels::InterruptCancels(compose::Composer& composer, audio::FileMixer& mixer)
    : composer_(composer), mixer_(mixer) {
  interruptPending = 0;
  struct sigaction action {};
  action.sa_handler = recordInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;  // the second Ctrl-C is not caught
  sigaction(SIGINT, &action, &previousAction);
  platform::setMessagePump([this] { poll(); });
}

InterruptCancels::~InterruptCancels() {
  platform::setMessagePump({});
  sigaction(SIGINT, &previousAction, nullptr);
}

bool InterruptCancels::poll() {
  if (!interruptPending) return false;
  composer_.cancelRequested = true;
  mixer_.requestCancel();
  return true;
}

bool InterruptCancels::interrupted() const { return interruptPending != 0; }

}  // namespace brisolt
