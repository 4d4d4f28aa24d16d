// Names of the media result codes.
#include "platform/media/media_result.h"

#include <ostream>

namespace brisolt::platform {

std::string_view mediaResultName(MediaResult result) {
  switch (result) {
    case MediaResult::success: return "success";
    case MediaResult::unknownCommand: return "unknownCommand";
    case MediaResult::notOpen: return "notOpen";
    case MediaResult::aliasInUse: return "aliasInUse";
    case MediaResult::cannotOpenFile: return "cannotOpenFile";
    case MediaResult::unsupportedFormat: return "unsupportedFormat";
    case MediaResult::deviceError: return "deviceError";
    case MediaResult::readError: return "readError";
  }
  return "unknown result";
}

std::ostream& operator<<(std::ostream& out, MediaResult result) {
  return out << mediaResultName(result) << " (" << static_cast<int>(result) << ")";
}

}  // namespace brisolt::platform
