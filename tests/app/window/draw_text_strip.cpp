// Paints the status strip as the window shows a text in it, for the window
// check to compare with the screen: writes the 300 x 15 strip as PNG and
// prints the line it shows (the text fitted to the strip).
//
//   brisolt-test-text-strip OUT.png TEXT
#include <SDL.h>

#include <iostream>
#include <string>

#include "platform/window/pictures/canvas.h"
#include "platform/window/sdl/text_strip_face.h"
#include "tests/app/window/painter_output.h"

using namespace brisolt::platform;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: " << argv[0] << " OUT.png TEXT\n";
    return 2;
  }
  const auto fonts = brisolt::test::openPictureFonts();
  if (!fonts) return 1;
  // The strip as the main window makes it (app/window/brisolt_dlg.cpp).
  const Rect place{0, 0, 300, 15};
  const TextStripColours colours{{255, 255, 255}, {77, 84, 87}};
  Canvas canvas({place.width, place.height});
  if (!canvas.valid()) return 1;
  text_strip_face::paint(canvas.surface(), *fonts, place, colours, argv[2]);
  if (!brisolt::test::writePicture(canvas.surface(), argv[1])) return 1;
  std::cout << text_strip_face::fittedLine(argv[2], place, *fonts) << "\n";
  return 0;
}
