// What the painters of the window checks share: the picture fonts and
// writing the painted picture as PNG, each saying on stderr what went wrong.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/window/pictures/picture_fonts.h"

namespace brisolt::test {

// The fonts the window paints with, or null after saying why they cannot open.
std::unique_ptr<platform::PictureFonts> openPictureFonts();

// Writes `surface` to `path` as PNG; false after saying that it cannot.
bool writePicture(SDL_Surface* surface, const std::string& path);

}  // namespace brisolt::test
