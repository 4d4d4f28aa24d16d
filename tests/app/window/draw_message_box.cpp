// Paints the message box the window would show for a request, for the window
// check to compare with the screen: writes it as PNG and prints where it
// sits in the client area ("x y width height").
//
//   brisolt-test-message-box OUT.png CLIENT_WIDTH CLIENT_HEIGHT ICON BUTTONS CAPTION TEXT
//   ICON: information | warning | error | question;  BUTTONS: ok | yesNo | retryCancel
#include <SDL.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <string>

#include "platform/window/pictures/canvas.h"
#include "platform/window/sdl/message_box_face.h"
#include "tests/app/window/painter_output.h"

using namespace brisolt::platform;

int main(int argc, char** argv) {
  if (argc != 8) {
    std::cerr << "usage: " << argv[0] << " OUT.png CLIENT_WIDTH CLIENT_HEIGHT ICON BUTTONS CAPTION TEXT\n";
    return 2;
  }
  const std::map<std::string, MessageBoxIcon> icons{{"information", MessageBoxIcon::kInformation},
                                                    {"warning", MessageBoxIcon::kWarning},
                                                    {"error", MessageBoxIcon::kError},
                                                    {"question", MessageBoxIcon::kQuestion}};
  const std::map<std::string, MessageBoxButtons> buttons{
      {"ok", MessageBoxButtons::kOk}, {"yesNo", MessageBoxButtons::kYesNo}, {"retryCancel", MessageBoxButtons::kRetryCancel}};
  if (!icons.contains(argv[4]) || !buttons.contains(argv[5])) {
    std::cerr << "unknown icon '" << argv[4] << "' or buttons '" << argv[5] << "'\n";
    return 2;
  }
  const auto fonts = brisolt::test::openPictureFonts();
  if (!fonts) return 1;
  const MessageBoxRequest request{argv[6], argv[7], icons.at(argv[4]), buttons.at(argv[5])};
  const MessageBoxModel model =
      message_box_face::layout(request, {std::atoi(argv[2]), std::atoi(argv[3])}, *fonts);
  const Rect box = model.box();
  Canvas canvas({box.width, box.height});
  if (!canvas.valid()) return 1;
  message_box_face::paint(canvas, *fonts, model);
  if (!brisolt::test::writePicture(canvas.surface(), argv[1])) return 1;
  std::cout << box.x << " " << box.y << " " << box.width << " " << box.height << "\n";
  return 0;
}
