// The session prefix: the local time at which a session began, as
// "%y%m%d_%H%M%S_", at the front of every file of the session.
#pragma once

#include <cstdint>
#include <string>

namespace brisolt {

// For example "240131_142507_" for 31 January 2024, 14:25:07 local time.
std::string sessionPrefix(std::int64_t secondsSinceEpoch);

}  // namespace brisolt
