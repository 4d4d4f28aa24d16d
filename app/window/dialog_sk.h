// CDialogSK: a dialog whose face is a picture. It sets the picture as the
// window's background, can size the window to it, and keeps the easy-move
// and transparency settings of a skinned dialog. It knows the window only as
// a DialogWindow.
//
// What the window layer does not offer is kept as state with no effect: the
// layer has no window dragging (easyMove is stored, a click on the face
// moves nothing), no layered windows (the transparency operations return 0
// and change nothing), and paints the face at the client origin only (styles
// 1 to 3 are stored and drawn like style 0).
#pragma once

#include <optional>

#include "platform/window/dialog_window.h"

namespace brisolt {

class CDialogSK : public platform::WindowEvents {
 public:
  enum BackgroundStyle : int {
    kPlain = 0,         // drawn at the top-left corner
    kTiled = 1,
    kCentred = 2,
    kStretched = 3,
    kSizedToBitmap = 4,  // plain, and the window sized to the picture
  };

  explicit CDialogSK(platform::DialogWindow& window) : window_(window) {}

  // 1 when the picture became the face; 0 when its size cannot be read (there
  // is no such picture): then there is no face picture.
  int setBitmap(platform::PictureId picture);
  void setStyle(int style);
  void enableEasyMove(bool enable) { easyMove_ = enable; }
  // 0: the window layer has no layered windows.
  int setTransparent(int alpha);
  int setTransparentColor(platform::Rgb colour, bool enable);

  bool easyMove() const { return easyMove_; }
  int backgroundStyle() const { return style_; }
  std::optional<platform::PictureId> bitmap() const { return bitmap_; }
  platform::Size bitmapSize() const { return bitmapSize_; }

  // ---- WindowEvents: the base handling
  void onInitDialog() override {}
  // A click on the face: the drag that easyMove asks for (none here).
  void onLeftButtonDown(int x, int y) override;
  void onKeyDown(platform::KeyPress) override {}
  void onTimer(platform::TimerId) override {}
  void onMediaNotification(platform::MediaNotification) override {}
  // The close box ends the dialog as Cancel.
  void onCloseRequest() override { window_.endDialog(platform::kDialogCancel); }

 protected:
  platform::DialogWindow& window() const { return window_; }

 private:
  platform::DialogWindow& window_;
  bool easyMove_ = true;
  std::optional<platform::PictureId> bitmap_;
  platform::Size bitmapSize_;
  int style_ = kPlain;
};

}  // namespace brisolt
