// Key translation. Letters follow the keyboard layout (X is wherever the
// layout puts it); Enter on the keypad counts as Enter.
#include "platform/window/sdl/sdl_key_map.h"

namespace brisolt::platform {

KeyPress translateKey(const SDL_Keysym& key) {
  KeyPress press;
  press.alt = (key.mod & KMOD_ALT) != 0;
  switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: press.key = Key::kEnter; break;
    case SDLK_KP_PLUS: press.key = Key::kKeypadPlus; break;
    case SDLK_KP_MINUS: press.key = Key::kKeypadMinus; break;
    case SDLK_x: press.key = Key::kLetterX; break;
    case SDLK_h: press.key = Key::kLetterH; break;
    case SDLK_F1: press.key = Key::kF1; break;
    case SDLK_F2: press.key = Key::kF2; break;
    case SDLK_F9: press.key = Key::kF9; break;
    case SDLK_F10: press.key = Key::kF10; break;
    case SDLK_F3: press.key = Key::kF3; break;
    case SDLK_SPACE: press.key = Key::kSpace; break;
    case SDLK_LEFT: press.key = Key::kLeft; break;
    case SDLK_RIGHT: press.key = Key::kRight; break;
    // '+' is Shift and '=' on most layouts; the key counts either way.
    case SDLK_PLUS:
    case SDLK_EQUALS: press.key = Key::kPlus; break;
    case SDLK_MINUS: press.key = Key::kMinus; break;
    default: press.key = Key::kOther; break;
  }
  return press;
}

}  // namespace brisolt::platform
