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
    case SDLK_F3: press.key = Key::f3; break;
    case SDLK_SPACE: press.key = Key::space; break;
    case SDLK_LEFT: press.key = Key::left; break;
    case SDLK_RIGHT: press.key = Key::right; break;
    // '+' is Shift and '=' on most layouts; the key counts either way.
    case SDLK_PLUS:
    case SDLK_EQUALS: press.key = Key::plus; break;
    case SDLK_MINUS: press.key = Key::minus; break;
    default: press.key = Key::other; break;
  }
  return press;
}

}  // namespace brisolt::platform
