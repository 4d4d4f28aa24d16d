// SDL's side of the in-window message boxes.
#include "platform/window/sdl/sdl_message_box.h"

#include <cstring>
#include <iostream>

namespace brisolt::platform {

bool driverCanShowBoxes() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
}

std::optional<BoxKey> boxKeyOf(const SDL_Keysym& key) {
  switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return BoxKey::kEnter;
    case SDLK_ESCAPE: return BoxKey::kEscape;
    case SDLK_TAB: return (key.mod & KMOD_SHIFT) != 0 ? BoxKey::kPrevious : BoxKey::kNext;
    case SDLK_LEFT: return BoxKey::kPrevious;
    case SDLK_RIGHT: return BoxKey::kNext;
    default: return std::nullopt;
  }
}

void reportUnshownBox(const MessageBoxRequest& request) {
  std::cerr << "brisolt: " << request.caption << ": " << expandTabs(request.text)
            << "\n(no display to show this message box on)\n";
}

}  // namespace brisolt::platform
