// The splash picture shown while the program starts, and the emblem used as
// the window icon and in the About box.
#include <algorithm>
#include <array>

#include "platform/window/pictures/panel_style.h"
#include "platform/window/pictures/picture_painters.h"

namespace brisolt::platform {

using namespace style;

void paintEmblem(Canvas& canvas, const PictureFonts& fonts) {
  const int size = std::min(canvas.width(), canvas.height());
  const double unit = size / 64.0;
  canvas.fill(kRecessShadow);
  canvas.fillRoundedGradient({0, 0, size, size}, 12 * unit, {96, 66, 48}, {40, 28, 22});
  canvas.strokeRoundedRect({0, 0, size, size}, 12 * unit, std::max(1.0, unit), {214, 160, 96}, 0.7);
  // Keys along the bottom, and an amber note above them.
  const int keysTop = static_cast<int>(38 * unit);
  pianoKeys(canvas, {static_cast<int>(8 * unit), keysTop, static_cast<int>(48 * unit), static_cast<int>(18 * unit)}, 5);
  canvas.glow({32 * unit, 22 * unit}, 24 * unit, kAmberDeep, 0.35);
  TTF_Font* note = fonts.get(Typeface::kSans, static_cast<int>(34 * unit));
  canvas.text(note, "\xE2\x99\xAA", static_cast<int>(32 * unit), static_cast<int>(-3 * unit), kAmber, Align::kCentre);
}

void paintSplash(Canvas& canvas, const PictureFonts& fonts) {
  const int w = canvas.width(), h = canvas.height();
  canvas.verticalGradient({0, 0, w, h}, {74, 53, 40}, {30, 22, 18});
  canvas.grain({0, 0, w, h}, 0.05, 11);
  canvas.glow({w / 2.0, 40}, 260, {255, 190, 120}, 0.14);
  canvas.strokeRoundedRect({0, 0, w, h}, 0, 2.0, {200, 150, 96}, 0.6);
  canvas.strokeRoundedRect({6, 6, w - 12, h - 12}, 8, 1.0, {150, 118, 92}, 0.35);

  TTF_Font* wordmark = fonts.get(Typeface::kSerifBold, 46);
  canvas.text(wordmark, "BRISOLT", w / 2 + 2, 46, kRecessShadow, Align::kCentre, 8.0, 0.9);
  canvas.text(wordmark, "BRISOLT", w / 2, 43, kCream, Align::kCentre, 8.0);
  engravedText(canvas, fonts.get(Typeface::kSansBold, 10), "GENERATIVE PIANO COMPOSER", w / 2, 104, Align::kCentre,
               3.4, kAmberDim);

  recess(canvas, {40, 134, w - 80, 60}, 5);
  pianoKeys(canvas, {46, 139, w - 92, 50}, 21);

  canvas.text(fonts.get(Typeface::kSans, 11), "Preparing the composer\xE2\x80\xA6", w / 2, 214, kEngrave,
              Align::kCentre);
  canvas.text(fonts.get(Typeface::kSansBold, 8), "VERSION 2.1.0", w / 2, 248, kAmberDim, Align::kCentre, 2.0);
}

}  // namespace brisolt::platform
