// SPLASH: the picture shown while the main window gets ready.
#include "app/window/splash.h"

namespace brisolt {

bool SPLASH::create(platform::DialogWindow& parent, platform::PictureId picture) {
  window_ = parent.createSplash(picture);
  visible_ = false;
  return window_ != nullptr;
}

void SPLASH::show() {
  if (!window_) return;
  window_->show();
  visible_ = true;
}

void SPLASH::hide() {
  if (!window_) return;
  window_->hide();
  visible_ = false;
}

}  // namespace brisolt
