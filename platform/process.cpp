// The running process's side of the system: terminals, standard input, Ctrl-C.
#include "platform/process.h"

#include <poll.h>
#include <unistd.h>

#include <csignal>

namespace brisolt::platform {
namespace {

volatile std::sig_atomic_t interruptPending = 0;
struct sigaction previousAction {};

extern "C" void recordInterrupt(int) { interruptPending = 1; }

}  // namespace

int descriptorOf(StandardStream stream) {
  switch (stream) {
    case StandardStream::kInput: return STDIN_FILENO;
    case StandardStream::kOutput: return STDOUT_FILENO;
    case StandardStream::kError: return STDERR_FILENO;
  }
  return STDERR_FILENO;
}

void sleepUnlessSignalled(int milliseconds) { ::poll(nullptr, 0, milliseconds); }

bool isTerminal(StandardStream stream) { return ::isatty(descriptorOf(stream)) == 1; }

bool waitForStandardInput(int milliseconds) {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  return ::poll(&input, 1, milliseconds) > 0;
}

long readStandardInput(char* bytes, std::size_t size) { return ::read(STDIN_FILENO, bytes, size); }

InterruptRecorder::InterruptRecorder() {
  interruptPending = 0;
  struct sigaction action {};
  action.sa_handler = recordInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;  // the second Ctrl-C is not caught
  sigaction(SIGINT, &action, &previousAction);
}

InterruptRecorder::~InterruptRecorder() { sigaction(SIGINT, &previousAction, nullptr); }

bool InterruptRecorder::interrupted() const { return interruptPending != 0; }

}  // namespace brisolt::platform
