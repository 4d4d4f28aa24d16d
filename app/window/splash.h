// SPLASH: the picture shown centred on the screen while the main window gets
// ready. The window layer makes and centres it; destroying this object
// destroys the splash window.
#pragma once

#include <memory>

#include "platform/window/dialog_window.h"

namespace brisolt {

class SPLASH {
 public:
  // Makes the (hidden) splash over `parent`; false when there is no such picture.
  bool create(platform::DialogWindow& parent, platform::PictureId picture);
  // Centres it on the screen, shows it and paints it at once.
  void show();
  void hide();
  bool visible() const { return visible_; }

 private:
  std::unique_ptr<platform::SplashWindow> window_;
  bool visible_ = false;
};

}  // namespace brisolt
