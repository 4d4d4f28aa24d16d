// The help page, opened in the desktop's browser.
#include "app/window/help_page.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/files/file_system.h"

extern char** environ;

namespace brisolt {
namespace {

bool isUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         std::string_view("-._~/").find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

std::string helpPageUrl(const std::string& pagePath) {
  std::string url = "file://";
  for (const char c : pagePath) {
    const auto byte = static_cast<unsigned char>(c);
    if (isUnreserved(byte)) {
      url += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      url += escaped;
    }
  }
  return url + "#" + kHelpStartAnchor;
}

std::string findOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (!folders.empty()) {
    const std::size_t colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    const std::string candidate = (folder.empty() ? std::string(".") : std::string(folder)) + "/" + program;
    if (platform::canRun(candidate)) return candidate;
    if (colon == std::string_view::npos) break;
    folders.remove_prefix(colon + 1);
  }
  return {};
}

std::optional<std::string> openWithXdgOpen(const std::string& url) {
  const std::string xdgOpen = findOnPath("xdg-open");
  if (xdgOpen.empty()) {
    return "xdg-open was not found on $PATH. Install it (apt-get install xdg-utils), or open\n" + url +
           "\nin a web browser.";
  }
  // A shell starts xdg-open in the background and ends at once, so the
  // window neither waits for the browser nor leaves a child to reap later.
  const std::string script = "\"$0\" \"$1\" >/dev/null 2>&1 </dev/null &";
  const char* arguments[] = {"/bin/sh", "-c", script.c_str(), xdgOpen.c_str(), url.c_str(), nullptr};
  pid_t shell = 0;
  if (::posix_spawn(&shell, "/bin/sh", nullptr, nullptr, const_cast<char**>(arguments), environ) != 0) {
    return "xdg-open ('" + xdgOpen + "') could not be started; open\n" + url + "\nin a web browser.";
  }
  int status = 0;
  ::waitpid(shell, &status, 0);
  return std::nullopt;
}

}  // namespace brisolt
