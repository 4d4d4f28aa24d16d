// Termination signals recorded by a handler that writes two words and nothing else.
#include "platform/process/termination_signals.h"

#include <array>

namespace brisolt::platform {
namespace {

constexpr std::array<int, 4> kCaught = {SIGINT, SIGTERM, SIGHUP, SIGXFSZ};

volatile std::sig_atomic_t firstSignal = 0;
volatile std::sig_atomic_t signalCount = 0;
std::array<struct sigaction, kCaught.size()> previousActions{};

extern "C" void recordTermination(int signal) {
  if (firstSignal == 0) firstSignal = signal;
  signalCount = signalCount + 1;
}

}  // namespace

TerminationSignals::TerminationSignals() {
  clear();
  struct sigaction action {};
  action.sa_handler = recordTermination;
  sigemptyset(&action.sa_mask);
  // While one of them is handled, the others wait: the two words change together.
  for (const int signal : kCaught) sigaddset(&action.sa_mask, signal);
  action.sa_flags = SA_RESTART;
  for (std::size_t k = 0; k < kCaught.size(); ++k) sigaction(kCaught[k], &action, &previousActions[k]);
}

TerminationSignals::~TerminationSignals() {
  for (std::size_t k = 0; k < kCaught.size(); ++k) sigaction(kCaught[k], &previousActions[k], nullptr);
}

bool TerminationSignals::pending() { return firstSignal != 0; }

TerminationSignal TerminationSignals::first() { return static_cast<TerminationSignal>(firstSignal); }

int TerminationSignals::count() { return signalCount; }

int TerminationSignals::exitStatus() { return firstSignal == 0 ? 0 : 128 + firstSignal; }

void TerminationSignals::clear() {
  firstSignal = 0;
  signalCount = 0;
}

const char* signalName(TerminationSignal signal) {
  switch (signal) {
    case TerminationSignal::kNone: return "none";
    case TerminationSignal::kInterrupt: return "SIGINT";
    case TerminationSignal::kTerminate: return "SIGTERM";
    case TerminationSignal::kHangUp: return "SIGHUP";
    case TerminationSignal::kFileSizeLimit: return "SIGXFSZ";
  }
  return "an unknown signal";
}

}  // namespace brisolt::platform
