// Message boxes through SDL_ShowMessageBox.
#pragma once

#include <SDL.h>

#include "platform/window/message_box.h"

namespace brisolt::platform {

// Shows the box over `parent` (may be null) and waits for a button.
// MessageBoxAnswer::none when no box can be shown (no display, or the dummy
// video driver, which has none and would otherwise try the X server).
MessageBoxAnswer showSdlMessageBox(SDL_Window* parent, const MessageBoxRequest& request);

}  // namespace brisolt::platform
