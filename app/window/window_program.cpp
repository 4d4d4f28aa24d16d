// `brisolt` without a subcommand: the program's window on SDL2. The one
// place that makes the SDL window; the window logic sees only DialogWindow.
#include "app/window/window_program.h"

#include <cstdlib>
#include <iostream>

#include "app/window/brisolt_dlg.h"
#include "app/exit_status.h"
#include "compose/composer.h"
#include "platform/media/sdl_audio_backend.h"
#include "platform/window/pictures/picture_library.h"
#include "platform/window/sdl/sdl_dialog_window.h"

namespace brisolt {
namespace {

bool isSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

}  // namespace

int runWindowProgram() {
  // Without a display SDL would settle for a window nobody can see or close.
  if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("SDL_VIDEODRIVER")) {
    std::cerr << "brisolt: there is no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                 "Run it on a desktop, or use a subcommand: brisolt --help\n";
    return kExitFailure;
  }
  std::string error;
  // The splash alone is painted now; the rest while it is on the screen.
  const auto pictures = platform::PictureLibrary::paintSplashFirst(error);
  if (!pictures) {
    std::cerr << "brisolt: cannot paint the window's pictures: " << error << "\n";
    return kExitFailure;
  }
  compose::Composer composer;  // made before the window, for the program's life
  const auto window = platform::SdlDialogWindow::create(*pictures, error);
  if (!window) {
    std::cerr << "brisolt: cannot open the window: " << error
              << "\nRun it on a desktop (with DISPLAY or WAYLAND_DISPLAY set), or use a subcommand: brisolt --help\n";
    return kExitFailure;
  }
  platform::SdlAudioBackend audio;
  // The dialog runs modally; the program ends with it.
  CBrisoltDlg dialog(programDialogServices(*window, composer, audio));
  dialog.runModal();
  dialog.destroyWindow();
  return kExitOk;
}

}  // namespace brisolt
