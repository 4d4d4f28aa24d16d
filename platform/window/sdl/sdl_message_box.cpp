// Builds the SDL message box for a request and maps the button back.
#include "platform/window/sdl/sdl_message_box.h"

#include <cstring>
#include <vector>

namespace brisolt::platform {
namespace {

Uint32 iconFlag(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::warning: return SDL_MESSAGEBOX_WARNING;
    case MessageBoxIcon::error: return SDL_MESSAGEBOX_ERROR;
    case MessageBoxIcon::information:
    case MessageBoxIcon::question: return SDL_MESSAGEBOX_INFORMATION;
  }
  return SDL_MESSAGEBOX_INFORMATION;
}

SDL_MessageBoxButtonData button(MessageBoxAnswer answer, const char* text, Uint32 flags) {
  return {flags, static_cast<int>(answer), text};
}

std::vector<SDL_MessageBoxButtonData> buttonsOf(MessageBoxButtons buttons) {
  constexpr Uint32 kReturn = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
  constexpr Uint32 kEscape = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
  switch (buttons) {
    case MessageBoxButtons::yesNo:
      return {button(MessageBoxAnswer::yes, "Yes", kReturn), button(MessageBoxAnswer::no, "No", kEscape)};
    case MessageBoxButtons::retryCancel:
      return {button(MessageBoxAnswer::retry, "Retry", kReturn), button(MessageBoxAnswer::cancel, "Cancel", kEscape)};
    case MessageBoxButtons::ok: break;
  }
  return {button(MessageBoxAnswer::ok, "OK", kReturn | kEscape)};
}

bool driverCanShowBoxes() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
}

}  // namespace

MessageBoxAnswer showSdlMessageBox(SDL_Window* parent, const MessageBoxRequest& request) {
  if (!driverCanShowBoxes()) return MessageBoxAnswer::none;
  const std::vector<SDL_MessageBoxButtonData> buttons = buttonsOf(request.buttons);
  const std::string text = expandTabs(request.text);  // SDL draws a tab as a stray glyph
  const SDL_MessageBoxData data{iconFlag(request.icon) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                parent,
                                request.caption.c_str(),
                                text.c_str(),
                                static_cast<int>(buttons.size()),
                                buttons.data(),
                                nullptr};
  int pressed = 0;
  if (SDL_ShowMessageBox(&data, &pressed) != 0 || pressed < 0) return MessageBoxAnswer::none;
  return static_cast<MessageBoxAnswer>(pressed);
}

}  // namespace brisolt::platform
