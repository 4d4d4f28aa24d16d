// Looks for the piano SoundFont where the user or the packages put it.
#include "rendition/soundfont_locator.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace brisolt::rendition {

std::string findPianoSoundfont() {
  std::error_code ignored;
  if (const char* chosen = std::getenv(kSoundfontVariable); chosen != nullptr && *chosen != '\0') {
    return std::filesystem::is_regular_file(chosen, ignored) ? std::string(chosen) : std::string();
  }
  return std::filesystem::is_regular_file(kDefaultPianoSoundfont, ignored) ? std::string(kDefaultPianoSoundfont)
                                                                            : std::string();
}

}  // namespace brisolt::rendition
