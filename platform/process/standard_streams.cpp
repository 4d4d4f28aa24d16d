// The process's standard streams: terminals, descriptors, standard input.
#include "platform/process/standard_streams.h"

#include <poll.h>
#include <unistd.h>

namespace brisolt::platform {

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

}  // namespace brisolt::platform
