// The help page: an HTML page shipped beside the executable (or in the
// installation's data folder), opened in the desktop's browser with
// xdg-open at its start anchor, without the window waiting for it.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace brisolt {

// Help context 20 is the start of the page.
inline constexpr const char* kHelpStartAnchor = "context-20";

// "file://" + the path with unsafe characters %-escaped + "#context-20".
std::string helpPageUrl(const std::string& pagePath);

// Opens a URL in the background. Nothing on success; otherwise what went wrong.
using UrlOpener = std::function<std::optional<std::string>(const std::string& url)>;

// Starts `xdg-open URL` in the background (its output discarded) and returns
// at once. A message naming what is missing when xdg-open is not on $PATH or
// cannot be started.
std::optional<std::string> openWithXdgOpen(const std::string& url);

}  // namespace brisolt
