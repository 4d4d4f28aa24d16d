// Message boxes: what the window logic asks for and which button came back.
#pragma once

#include <ostream>
#include <string>

namespace brisolt::platform {

enum class MessageBoxIcon { information, warning, error, question };

enum class MessageBoxButtons { ok, yesNo, retryCancel };

// The button pressed. The values are the classic dialog ids; `none` means the
// box could not be shown at all (no display), which is no button.
enum class MessageBoxAnswer {
  none = 0,
  ok = 1,
  cancel = 2,
  retry = 4,
  yes = 6,
  no = 7,
};

struct MessageBoxRequest {
  std::string caption;
  std::string text;
  MessageBoxIcon icon = MessageBoxIcon::information;
  MessageBoxButtons buttons = MessageBoxButtons::ok;
  friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;
};

// The text with every tab expanded to blanks up to the next multiple of
// eight columns, counted from the start of its line: message boxes that
// cannot draw tabs still line up "Log file:\t" and "Music file:\t".
std::string expandTabs(const std::string& text);

std::ostream& operator<<(std::ostream& out, MessageBoxAnswer answer);
std::ostream& operator<<(std::ostream& out, const MessageBoxRequest& request);

}  // namespace brisolt::platform
