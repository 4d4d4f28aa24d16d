// What SDL says about in-window message boxes: whether the video driver has a
// screen to show one on, and which box key an SDL key is.
#pragma once

#include <SDL.h>

#include <optional>

#include "platform/window/message_box_model.h"

namespace brisolt::platform {

// False under the dummy and offscreen drivers, where no one sees a box.
bool driverCanShowBoxes();

// Enter (either), Esc, Tab, Shift+Tab, Left and Right; nothing for other keys.
std::optional<BoxKey> boxKeyOf(const SDL_Keysym& key);

// The box's words on stderr, for when it cannot be shown.
void reportUnshownBox(const MessageBoxRequest& request);

}  // namespace brisolt::platform
