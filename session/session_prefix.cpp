// The session prefix: the local time at which a session began.
#include "session/session_prefix.h"

#include <ctime>

namespace brisolt {

std::string sessionPrefix(std::int64_t secondsSinceEpoch) {
  const std::time_t time = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm local{};
  localtime_r(&time, &local);
  char text[32];
  std::strftime(text, sizeof text, "%y%m%d_%H%M%S_", &local);
  return text;
}

}  // namespace brisolt
