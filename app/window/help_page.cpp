// The help page, opened in the desktop's browser.
#include "app/window/help_page.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/programs.h"

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

std::optional<std::string> openWithXdgOpen(const std::string& url) {
  const std::string xdgOpen = platform::findOnPath("xdg-open");
  if (xdgOpen.empty()) {
    return "xdg-open was not found on $PATH. Install it (apt-get install xdg-utils), or open\n" + url +
           "\nin a web browser.";
  }
  if (!platform::startInBackground(xdgOpen, url)) {
    return "xdg-open ('" + xdgOpen + "') could not be started; open\n" + url + "\nin a web browser.";
  }
  return std::nullopt;
}

}  // namespace brisolt
