// Other programs of the desktop: finding one on $PATH and starting one in the
// background.
#include "platform/programs.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string_view>

#include "platform/files/file_system.h"

extern char** environ;

namespace brisolt::platform {

std::string findOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (!folders.empty()) {
    const std::size_t colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    const std::string candidate = (folder.empty() ? std::string(".") : std::string(folder)) + "/" + program;
    if (canRun(candidate)) return candidate;
    if (colon == std::string_view::npos) break;
    folders.remove_prefix(colon + 1);
  }
  return {};
}

bool startInBackground(const std::string& program, const std::string& argument) {
  // A shell starts the program in the background and ends at once, so the
  // caller neither waits for the program nor leaves a child to reap later.
  const std::string script = "\"$0\" \"$1\" >/dev/null 2>&1 </dev/null &";
  const char* arguments[] = {"/bin/sh", "-c", script.c_str(), program.c_str(), argument.c_str(), nullptr};
  pid_t shell = 0;
  if (::posix_spawn(&shell, "/bin/sh", nullptr, nullptr, const_cast<char**>(arguments), environ) != 0) return false;
  int status = 0;
  ::waitpid(shell, &status, 0);
  return true;
}

}  // namespace brisolt::platform
