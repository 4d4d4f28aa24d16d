// Key translation. Letters follow the keyboard layout (X is wherever the
// layout puts it); Enter on the keypad counts as Enter.
#include "platform/window/sdl/sdl_key_map.h"

namespace brisolt::platform {

KeyPress translateKey(const SDL_Keysym& key) {
  KeyPress press;
  press.alt = (key.mod & KMOD_ALT) != 0;
  switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: press.key = Key::enter; break;
    case SDLK_KP_PLUS: press.key = Key::keypadPlus; break;
    case SDLK_KP_MINUS: press.key = Key::keypadMinus; break;
    case SDLK_x: press.key = Key::letterX; break;
    case SDLK_h: press.key = Key::letterH; break;
    case SDLK_F1: press.key = Key::f1; break;
    case SDLK_F2: press.key = Key::f2; break;
    case SDLK_F9: press.key = Key::f9; break;
    case SDLK_F10: press.key = Key::f10; break;
    default: press.key = Key::other; break;
  }
  return press;
}

}  // namespace brisolt::platform
