#include "platform/window/sdl/sdl_key_map.h"

#include <gtest/gtest.h>

namespace brisolt::platform {
namespace {

SDL_Keysym keysym(SDL_Keycode code, Uint16 mod = KMOD_NONE) {
  SDL_Keysym key{};
  key.sym = code;
  key.mod = mod;
  return key;
}

TEST(SdlKeyMap, TheKeysOfTheKeyboardFilterAreToldApart) {
  EXPECT_EQ(translateKey(keysym(SDLK_RETURN)).key, Key::enter);
  EXPECT_EQ(translateKey(keysym(SDLK_KP_ENTER)).key, Key::enter);
  EXPECT_EQ(translateKey(keysym(SDLK_KP_PLUS)).key, Key::keypadPlus);
  EXPECT_EQ(translateKey(keysym(SDLK_KP_MINUS)).key, Key::keypadMinus);
  EXPECT_EQ(translateKey(keysym(SDLK_x)).key, Key::letterX);
  EXPECT_EQ(translateKey(keysym(SDLK_h)).key, Key::letterH);
  EXPECT_EQ(translateKey(keysym(SDLK_F1)).key, Key::f1);
  EXPECT_EQ(translateKey(keysym(SDLK_F2)).key, Key::f2);
  EXPECT_EQ(translateKey(keysym(SDLK_F9)).key, Key::f9);
  EXPECT_EQ(translateKey(keysym(SDLK_F10)).key, Key::f10);
}

TEST(SdlKeyMap, MainKeyboardPlusAndMinusAreNotTheKeypadOnes) {
  EXPECT_EQ(translateKey(keysym(SDLK_PLUS)).key, Key::plus);
  EXPECT_EQ(translateKey(keysym(SDLK_EQUALS)).key, Key::plus) << "+ is Shift and = on most layouts";
  EXPECT_EQ(translateKey(keysym(SDLK_MINUS)).key, Key::minus);
  EXPECT_EQ(translateKey(keysym(SDLK_y)).key, Key::other);
}

TEST(SdlKeyMap, SpaceArrowsAndF3) {
  EXPECT_EQ(translateKey(keysym(SDLK_SPACE)).key, Key::space);
  EXPECT_EQ(translateKey(keysym(SDLK_LEFT)).key, Key::left);
  EXPECT_EQ(translateKey(keysym(SDLK_RIGHT)).key, Key::right);
  EXPECT_EQ(translateKey(keysym(SDLK_F3)).key, Key::f3);
  EXPECT_EQ(translateKey(keysym(SDLK_UP)).key, Key::other);
}

TEST(SdlKeyMap, EitherAltKeyIsReported) {
  EXPECT_TRUE(translateKey(keysym(SDLK_F10, KMOD_LALT)).alt);
  EXPECT_TRUE(translateKey(keysym(SDLK_F10, KMOD_RALT)).alt);
  EXPECT_FALSE(translateKey(keysym(SDLK_F10, KMOD_LCTRL)).alt);
}

}  // namespace
}  // namespace brisolt::platform
