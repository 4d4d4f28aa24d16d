// Flat key names: a letter's key, one semitone down.
#include "app/settings/flat_keys.h"

#include <cctype>
#include <string>

namespace brisolt {

std::optional<int> flatKeySignature(std::string_view text, const std::vector<compose::KeySignature>& keys) {
  if (text.size() != 2 || text[1] != 'b' || keys.empty()) return std::nullopt;
  const std::string letter(1, static_cast<char>(std::toupper(static_cast<unsigned char>(text[0]))));
  if (letter[0] < 'A' || letter[0] > 'G') return std::nullopt;
  const int count = static_cast<int>(keys.size());
  for (int index = 0; index < count; ++index) {
    if (keys[static_cast<std::size_t>(index)].displayName == letter) return (index + count - 1) % count + 1;
  }
  return std::nullopt;
}

}  // namespace brisolt
