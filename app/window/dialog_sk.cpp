// CDialogSK: a dialog whose face is a picture.
#include "app/window/dialog_sk.h"

namespace brisolt {

int CDialogSK::setBitmap(platform::PictureId picture) {
  bitmap_.reset();
  bitmapSize_ = {};
  const auto size = window_.pictureSize(picture);
  if (!size || !window_.setBackground(picture)) return 0;
  bitmap_ = picture;
  bitmapSize_ = *size;
  return 1;
}

void CDialogSK::setStyle(int style) {
  style_ = style;
  if (style_ == kSizedToBitmap && bitmap_) window_.setClientSize(bitmapSize_);
}

int CDialogSK::setTransparent(int alpha) {
  static_cast<void>(alpha);
  return 0;
}

int CDialogSK::setTransparentColor(platform::Rgb colour, bool enable) {
  static_cast<void>(colour);
  static_cast<void>(enable);
  return 0;
}

void CDialogSK::onLeftButtonDown(int x, int y) {
  // With easyMove the click would start a drag of the window; the window
  // layer has none, so the click ends here either way.
  static_cast<void>(x);
  static_cast<void>(y);
}

}  // namespace brisolt
