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
  EXPECT_EQ(translateKey(keysym(SDLK_RETURN)).key, Key::kEnter);
  EXPECT_EQ(translateKey(keysym(SDLK_KP_ENTER)).key, Key::kEnter);
  EXPECT_EQ(translateKey(keysym(SDLK_KP_PLUS)).key, Key::kKeypadPlus);
  EXPECT_EQ(translateKey(keysym(SDLK_KP_MINUS)).key, Key::kKeypadMinus);
  EXPECT_EQ(translateKey(keysym(SDLK_x)).key, Key::kLetterX);
  EXPECT_EQ(translateKey(keysym(SDLK_h)).key, Key::kLetterH);
  EXPECT_EQ(translateKey(keysym(SDLK_F1)).key, Key::kF1);
  EXPECT_EQ(translateKey(keysym(SDLK_F2)).key, Key::kF2);
  EXPECT_EQ(translateKey(keysym(SDLK_F9)).key, Key::kF9);
  EXPECT_EQ(translateKey(keysym(SDLK_F10)).key, Key::kF10);
}

TEST(SdlKeyMap, MainKeyboardPlusAndMinusAreNotTheKeypadOnes) {
  EXPECT_EQ(translateKey(keysym(SDLK_PLUS)).key, Key::kPlus);
  EXPECT_EQ(translateKey(keysym(SDLK_EQUALS)).key, Key::kPlus) << "+ is Shift and = on most layouts";
  EXPECT_EQ(translateKey(keysym(SDLK_MINUS)).key, Key::kMinus);
  EXPECT_EQ(translateKey(keysym(SDLK_y)).key, Key::kOther);
}

TEST(SdlKeyMap, SpaceArrowsAndF3) {
  EXPECT_EQ(translateKey(keysym(SDLK_SPACE)).key, Key::kSpace);
  EXPECT_EQ(translateKey(keysym(SDLK_LEFT)).key, Key::kLeft);
  EXPECT_EQ(translateKey(keysym(SDLK_RIGHT)).key, Key::kRight);
  EXPECT_EQ(translateKey(keysym(SDLK_F3)).key, Key::kF3);
  EXPECT_EQ(translateKey(keysym(SDLK_UP)).key, Key::kOther);
}

TEST(SdlKeyMap, EitherAltKeyIsReported) {
  EXPECT_TRUE(translateKey(keysym(SDLK_F10, KMOD_LALT)).alt);
  EXPECT_TRUE(translateKey(keysym(SDLK_F10, KMOD_RALT)).alt);
  EXPECT_FALSE(translateKey(keysym(SDLK_F10, KMOD_LCTRL)).alt);
}

}  // namespace
}  // namespace brisolt::platform
