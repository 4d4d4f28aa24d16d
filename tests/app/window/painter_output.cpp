// Opening the fonts and writing the PNG of the window checks' painters.
#include "tests/app/window/painter_output.h"

#include <iostream>

#include "platform/window/preview/png_file.h"

namespace brisolt::test {

std::unique_ptr<platform::PictureFonts> openPictureFonts() {
  std::string error;
  auto fonts = platform::PictureFonts::open(error);
  if (!fonts) std::cerr << error << "\n";
  return fonts;
}

bool writePicture(SDL_Surface* surface, const std::string& path) {
  if (platform::writePng(surface, path)) return true;
  std::cerr << "cannot write '" << path << "'\n";
  return false;
}

}  // namespace brisolt::test
