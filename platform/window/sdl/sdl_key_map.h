// Turns SDL key events into the keys the window logic tells apart.
#pragma once

#include <SDL.h>

#include "platform/window/window_events.h"

namespace brisolt::platform {

KeyPress translateKey(const SDL_Keysym& key);

}  // namespace brisolt::platform
