// The splash on SDL2: a borderless window the size of its picture, kept in
// the dialog's list so that it is repainted whenever it is uncovered.
#pragma once

#include <SDL.h>

#include "platform/window/splash_window.h"

namespace brisolt::platform {

class SdlDialogWindow;

class SdlSplashWindow final : public SplashWindow {
 public:
  // Made by SdlDialogWindow::createSplash(); check window() for failure.
  SdlSplashWindow(SdlDialogWindow& owner, SDL_Surface* picture);
  ~SdlSplashWindow() override;
  SdlSplashWindow(const SdlSplashWindow&) = delete;
  SdlSplashWindow& operator=(const SdlSplashWindow&) = delete;

  void show() override;
  void hide() override;
  bool isVisible() const override { return visible_; }

  SDL_Window* window() const { return window_; }
  void paint();

 private:
  SdlDialogWindow& owner_;
  SDL_Surface* picture_;
  SDL_Window* window_ = nullptr;
  bool visible_ = false;
};

}  // namespace brisolt::platform
