// A borderless window that shows one picture centred on the screen while the
// main window gets ready. Made by DialogWindow::createSplash(); destroying
// the object destroys the window.
#pragma once

namespace brisolt::platform {

class SplashWindow {
 public:
  virtual ~SplashWindow() = default;
  // Centres the window on the screen, shows it and paints it at once.
  virtual void show() = 0;
  virtual void hide() = 0;
  virtual bool isVisible() const = 0;
};

}  // namespace brisolt::platform
