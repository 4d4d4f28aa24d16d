// The one-message pump that long file jobs call between blocks, so the window
// stays responsive (and Stop can be pressed) in the middle of a render.
// The window layer installs the real pump; until then pumping does nothing.
#pragma once

#include <functional>

namespace brisolt::platform {

// Installs the function that removes and dispatches at most one pending
// message of the main window. An empty function restores the no-op.
void setMessagePump(std::function<void()> pump);

// Dispatches at most one pending message of the main window, if any.
void pumpOneMessage();

}  // namespace brisolt::platform
