// Message boxes: what the window logic asks for and which button came back.
#pragma once

#include <ostream>
#include <string>

namespace brisolt::platform {

enum class MessageBoxIcon { kInformation, kWarning, kError, kQuestion };

enum class MessageBoxButtons { kOk, kYesNo, kRetryCancel };

// The button pressed. The values are the classic dialog ids; `none` means the
// box could not be shown at all (no display), which is no button.
enum class MessageBoxAnswer {
  kNone = 0,
  kOk = 1,
  kCancel = 2,
  kRetry = 4,
  kYes = 6,
  kNo = 7,
};

struct MessageBoxRequest {
  std::string caption;
  std::string text;
  MessageBoxIcon icon = MessageBoxIcon::kInformation;
  MessageBoxButtons buttons = MessageBoxButtons::kOk;
  friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;
};

// The text with every tab expanded to blanks up to the next multiple of
// eight columns, counted from the start of its line: message boxes that
// cannot draw tabs still line up "Log file:\t" and "Music file:\t".
std::string expandTabs(const std::string& text);

std::ostream& operator<<(std::ostream& out, MessageBoxAnswer answer);
std::ostream& operator<<(std::ostream& out, const MessageBoxRequest& request);

}  // namespace brisolt::platform
