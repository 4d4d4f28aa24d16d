// Names of the notification flags.
#include "platform/media/media_notification.h"

#include <ostream>

namespace brisolt::platform {

std::string_view mediaNotificationName(MediaNotification flag) {
  switch (flag) {
    case MediaNotification::kSuccessful: return "successful";
    case MediaNotification::kSuperseded: return "superseded";
    case MediaNotification::kAborted: return "aborted";
    case MediaNotification::kFailure: return "failure";
  }
  return "unknown flag";
}

std::ostream& operator<<(std::ostream& out, MediaNotification flag) { return out << mediaNotificationName(flag); }

}  // namespace brisolt::platform
