// Readable forms of message boxes and answers, for test output.
#include "platform/window/message_box.h"

namespace brisolt::platform {

std::ostream& operator<<(std::ostream& out, MessageBoxAnswer answer) {
  switch (answer) {
    case MessageBoxAnswer::none: return out << "no answer";
    case MessageBoxAnswer::ok: return out << "OK";
    case MessageBoxAnswer::cancel: return out << "Cancel";
    case MessageBoxAnswer::retry: return out << "Retry";
    case MessageBoxAnswer::yes: return out << "Yes";
    case MessageBoxAnswer::no: return out << "No";
  }
  return out << "answer " << static_cast<int>(answer);
}

std::ostream& operator<<(std::ostream& out, const MessageBoxRequest& request) {
  return out << "[" << request.caption << "] " << request.text;
}

}  // namespace brisolt::platform
