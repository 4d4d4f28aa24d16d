// Termination signals as Stop: recorded by the handler, copied by the pump.
#include "app/cli/generation_interrupt.h"

#include "platform/message_pump.h"

namespace brisolt {

InterruptCancels::InterruptCancels(compose::Composer& composer, audio::FileMixer& mixer)
    : composer_(composer), mixer_(mixer) {
  platform::setMessagePump([this] { poll(); });
}

InterruptCancels::~InterruptCancels() { platform::setMessagePump({}); }

bool InterruptCancels::poll() {
  if (!interrupted()) return false;
  composer_.cancelRequested = true;
  mixer_.requestCancel();
  return true;
}

bool InterruptCancels::interrupted() const { return platform::TerminationSignals::pending(); }

platform::TerminationSignal InterruptCancels::signal() const { return platform::TerminationSignals::first(); }

int InterruptCancels::exitStatus() const { return platform::TerminationSignals::exitStatus(); }

}  // namespace brisolt
