// Readable forms of message boxes and answers, for test output.
#include "platform/window/message_box.h"

namespace brisolt::platform {

std::string expandTabs(const std::string& text) {
  constexpr std::size_t kTabWidth = 8;
  std::string expanded;
  std::size_t column = 0;
  for (const char c : text) {
    if (c == '\t') {
      const std::size_t blanks = kTabWidth - column % kTabWidth;
      expanded.append(blanks, ' ');
      column += blanks;
    } else {
      expanded += c;
      column = c == '\n' ? 0 : column + 1;
    }
  }
  return expanded;
}

std::ostream& operator<<(std::ostream& out, MessageBoxAnswer answer) {
  switch (answer) {
    case MessageBoxAnswer::kNone: return out << "no answer";
    case MessageBoxAnswer::kOk: return out << "OK";
    case MessageBoxAnswer::kCancel: return out << "Cancel";
    case MessageBoxAnswer::kRetry: return out << "Retry";
    case MessageBoxAnswer::kYes: return out << "Yes";
    case MessageBoxAnswer::kNo: return out << "No";
  }
  return out << "answer " << static_cast<int>(answer);
}

std::ostream& operator<<(std::ostream& out, const MessageBoxRequest& request) {
  return out << "[" << request.caption << "] " << request.text;
}

}  // namespace brisolt::platform
