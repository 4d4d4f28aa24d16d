// Writes an SDL surface as a PNG file (stored, not compressed), so pictures
// and screenshots can be looked at without any image library.
#pragma once

#include <SDL.h>

#include <string>

namespace brisolt::platform {

enum class PngChannels { kRgb, kRgba };

// True when the whole file was written. kRgb drops any alpha channel (the
// window's pictures and screenshots); kRgba keeps it (the desktop icons).
bool writePng(SDL_Surface* surface, const std::string& path, PngChannels channels = PngChannels::kRgb);

}  // namespace brisolt::platform
