// brisolt-window-preview: opens the main window's face with its controls, so
// the window layer and the pictures can be seen and tried without the rest
// of the program.
//   --pictures DIR     write every picture (and the About box) as PNG files
//   --icons DIR        write the desktop icon at every size, with transparent corners
//   --screenshot FILE  save the window as shown after 1.5 s, then quit
//   --scene NAME       idle (default), playing or working
//   --splash SECONDS   show the splash that long before the window
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/window/picture_catalog.h"
#include "platform/window/picture_ids.h"
#include "platform/window/pictures/picture_library.h"
#include "platform/window/preview/icon_files.h"
#include "platform/window/preview/png_file.h"
#include "platform/window/preview/preview_panel.h"
#include "platform/window/sdl/about_box_face.h"
#include "platform/window/sdl/sdl_dialog_window.h"

namespace {

using namespace brisolt::platform;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitBadOptions = 2;

int writePictures(const PictureLibrary& library, const std::string& folder) {
  for (const PictureEntry& entry : pictureCatalog()) {
    const std::string path = folder + "/" + std::to_string(entry.id.value) + ".png";
    if (!writePng(library.find(entry.id), path)) {
      std::fprintf(stderr, "brisolt-window-preview: cannot write '%s'\n", path.c_str());
      return kExitFailed;
    }
  }
  Canvas about(about_box::kSize);
  about_box::paint(about, library.fonts(), library.find(picture::kAbout), "Brisolt Version 2.1.0");
  return writePng(about.surface(), folder + "/about_box.png") ? kExitOk : kExitFailed;
}

void saveWindow(DialogWindow& window, const std::string& path) {
  // What the window shows: its own surface, as last handed to the display.
  SDL_Surface* shown = SDL_GetWindowSurface(static_cast<SdlDialogWindow&>(window).sdlWindow());
  if (!shown || !writePng(shown, path)) std::fprintf(stderr, "brisolt-window-preview: cannot write '%s'\n", path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::string picturesFolder;
  std::string iconsFolder;
  PreviewOptions options;
  int splashSeconds = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) {
      std::fprintf(stderr, "brisolt-window-preview: '%s' needs a value\n", option.c_str());
      return kExitBadOptions;
    }
    const std::string value = argv[++i];
    if (option == "--pictures") picturesFolder = value;
    else if (option == "--icons") iconsFolder = value;
    else if (option == "--screenshot") options.screenshot = value;
    else if (option == "--scene") options.scene = value;
    else if (option == "--splash") splashSeconds = std::atoi(value.c_str());
    else {
      std::fprintf(stderr, "brisolt-window-preview: unknown option '%s'\n", option.c_str());
      return kExitBadOptions;
    }
  }

  std::string error;
  const auto library = PictureLibrary::paint(error);
  if (!library) {
    std::fprintf(stderr, "brisolt-window-preview: %s\n", error.c_str());
    return kExitFailed;
  }
  if (!picturesFolder.empty()) return writePictures(*library, picturesFolder);
  if (!iconsFolder.empty()) {
    const std::string failed = writeIconFiles(library->fonts(), iconsFolder);
    if (failed.empty()) return kExitOk;
    std::fprintf(stderr, "brisolt-window-preview: cannot write '%s'\n", failed.c_str());
    return kExitFailed;
  }

  const auto window = SdlDialogWindow::create(*library, error);
  if (!window) {
    std::fprintf(stderr, "brisolt-window-preview: %s\n", error.c_str());
    return kExitFailed;
  }
  if (splashSeconds > 0) {
    const auto splash = window->createSplash(picture::kSplash);
    if (splash) splash->show();
    window->waitUntil(std::chrono::system_clock::now() + std::chrono::seconds{splashSeconds});
    if (splash) splash->hide();
  }
  PreviewPanel panel(*window, options);
  panel.saveScreenshot = saveWindow;
  window->runModal(panel);
  return kExitOk;
}
