// Painting of the About box in the panel's colours.
#include "platform/window/sdl/about_box_face.h"

#include "platform/window/pictures/panel_style.h"

namespace brisolt::platform::about_box {

using namespace style;

void paint(Canvas& canvas, const PictureFonts& fonts, SDL_Surface* picture, const std::string& line) {
  canvas.verticalGradient({0, 0, kSize.width, kSize.height}, kPanelTop, kPanelBottom);
  canvas.grain({0, 0, kSize.width, kSize.height}, 0.04, 3);
  int textLeft = 20;
  if (picture) {
    SDL_Rect at{18, 18, picture->w, picture->h};
    SDL_BlitSurface(picture, nullptr, canvas.surface(), &at);
    textLeft = 18 + picture->w + 18;
  }
  canvas.text(fonts.get(Typeface::kSansBold, 13), line, textLeft, 30, kCream);
  canvas.text(fonts.get(Typeface::kSans, 10), "A generative piano composer.", textLeft, 52, kEngrave);
  raisedButton(canvas, kOkButton, 6);
  canvas.text(fonts.get(Typeface::kSansBold, 11), "OK", kOkButton.x + kOkButton.width / 2, kOkButton.y + 6, kAmber,
              Align::kCentre, 1.5);
}

}  // namespace brisolt::platform::about_box
