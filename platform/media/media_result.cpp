// Names of the media result codes.
#include "platform/media/media_result.h"

#include <ostream>

namespace brisolt::platform {

std::string_view mediaResultName(MediaResult result) {
  switch (result) {
    case MediaResult::kSuccess: return "success";
    case MediaResult::kUnknownCommand: return "unknownCommand";
    case MediaResult::kNotOpen: return "notOpen";
    case MediaResult::kAliasInUse: return "aliasInUse";
    case MediaResult::kCannotOpenFile: return "cannotOpenFile";
    case MediaResult::kUnsupportedFormat: return "unsupportedFormat";
    case MediaResult::kDeviceError: return "deviceError";
    case MediaResult::kReadError: return "readError";
  }
  return "unknown result";
}

std::ostream& operator<<(std::ostream& out, MediaResult result) {
  return out << mediaResultName(result) << " (" << static_cast<int>(result) << ")";
}

}  // namespace brisolt::platform
