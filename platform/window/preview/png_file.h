// Writes an SDL surface as a PNG file (stored, not compressed), so pictures
// and screenshots can be looked at without any image library.
#pragma once

#include <SDL.h>

#include <string>

namespace brisolt::platform {

// True when the whole file was written.
bool writePng(SDL_Surface* surface, const std::string& path);

}  // namespace brisolt::platform
