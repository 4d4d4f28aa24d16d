// The splash window.
#include "platform/window/sdl/sdl_splash_window.h"

#include <algorithm>

#include "platform/window/sdl/sdl_dialog_window.h"

namespace brisolt::platform {

SdlSplashWindow::SdlSplashWindow(SdlDialogWindow& owner, SDL_Surface* picture) : owner_(owner), picture_(picture) {
  window_ = SDL_CreateWindow("Brisolt", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, picture->w, picture->h,
                             SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN | SDL_WINDOW_SKIP_TASKBAR |
                                 SDL_WINDOW_ALWAYS_ON_TOP);
  if (window_) owner_.splashes_.push_back(this);
}

SdlSplashWindow::~SdlSplashWindow() {
  auto& list = owner_.splashes_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (window_) SDL_DestroyWindow(window_);
}

void SdlSplashWindow::show() {
  if (!window_) return;
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  SDL_ShowWindow(window_);
  visible_ = true;
  SDL_PumpEvents();
  paint();
}

void SdlSplashWindow::hide() {
  if (window_) SDL_HideWindow(window_);
  visible_ = false;
}

void SdlSplashWindow::paint() {
  if (!window_ || !visible_) return;
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  if (!target) return;
  SDL_BlitSurface(picture_, nullptr, target, nullptr);
  SDL_UpdateWindowSurface(window_);
}

}  // namespace brisolt::platform
