// Names of the notification flags.
#include "platform/media/media_notification.h"

#include <ostream>

namespace brisolt::platform {

std::string_view notifyFlagName(NotifyFlag flag) {
  switch (flag) {
    case NotifyFlag::successful: return "successful";
    case NotifyFlag::superseded: return "superseded";
    case NotifyFlag::aborted: return "aborted";
    case NotifyFlag::failure: return "failure";
  }
  return "unknown flag";
}

std::ostream& operator<<(std::ostream& out, NotifyFlag flag) { return out << notifyFlagName(flag); }

}  // namespace brisolt::platform
