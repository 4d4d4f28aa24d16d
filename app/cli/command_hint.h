// What to tell someone whose first word is not a subcommand: the nearest
// subcommand's name when one is close, and where the list is.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brisolt {

// The message for `word` when it is not one of `commands` and reads as a
// subcommand (not an option); nullopt otherwise.
std::optional<std::string> unknownCommandMessage(std::string_view word, const std::vector<std::string>& commands);

}  // namespace brisolt
