// The lit transport buttons, the four labels of the COMPOSE button and the
// remaining-time label, each painted over its place on the face.
#include <array>

#include "platform/window/pictures/face_layout.h"
#include "platform/window/pictures/panel_style.h"
#include "platform/window/pictures/picture_painters.h"

namespace brisolt::platform {
namespace {

using namespace style;

constexpr std::array<Rgb, 4> kLitColours{kAmber, kPlayGreen, kAmber, kRecordRed};

}  // namespace

void paintLitButton(Canvas& canvas, const Canvas& face, int button) {
  const Rect place = layout::kTransport[static_cast<std::size_t>(button)];
  canvas.copyFrom(face, place, 0, 0);
  const Rect box{0, 0, place.width, place.height};
  const Rgb light = kLitColours[static_cast<std::size_t>(button)];
  canvas.fillRoundedRect({1, 1, 23, 23}, 4, {34, 24, 18}, 0.9);
  canvas.glow({12.5, 12.5}, 13, light, 0.45);
  canvas.strokeRoundedRect({0, 0, 25, 25}, 5, 1.2, light, 0.8);
  transportSymbol(canvas, box, button, {255, 250, 235}, 0.55);
  transportSymbol(canvas, box, button, light, 0.8);
}

void paintComposeLabel(Canvas& canvas, const Canvas& face, const PictureFonts& fonts, int label) {
  canvas.copyFrom(face, layout::kCompose, 0, 0);
  raisedButton(canvas, {0, 0, layout::kCompose.width, layout::kCompose.height}, 6);  // without the engraved word
  TTF_Font* font = fonts.get(Typeface::kSansBold, 11);
  const Point lamp{14.0, 12.5};
  switch (label) {
    case kComposeReady:
      canvas.glow(lamp, 8, kAmberDeep, 0.6);
      canvas.fillCircle(lamp, 2.2, kAmber);
      canvas.glow({84, 12.5}, 60, kAmberDeep, 0.12);
      canvas.text(font, "COMPOSE", 84, 6, kAmber, Align::kCentre, 3.0);
      break;
    case kComposeDone:
      canvas.glow(lamp, 8, kPlayGreen, 0.5);
      canvas.fillCircle(lamp, 2.2, kPlayGreen);
      canvas.text(font, "DONE", 84, 6, kPlayGreen, Align::kCentre, 3.0);
      break;
    case kComposeWorking:
      canvas.fillRoundedRect({1, 1, 158, 23}, 5, {30, 21, 16}, 0.85);
      canvas.glow(lamp, 8, kRecordRed, 0.7);
      canvas.fillCircle(lamp, 2.2, kRecordRed);
      canvas.text(font, "WORKING\xE2\x80\xA6", 84, 6, kAmber, Align::kCentre, 3.0);
      break;
    default:  // dotted: COMPOSE is not available now
      canvas.fillRoundedRect({1, 1, 158, 23}, 5, {30, 21, 16}, 0.85);
      for (int x = 6; x < 154; x += 4) {
        canvas.fillRect({x, 3, 2, 1}, kAmberDim);
        canvas.fillRect({x, 21, 2, 1}, kAmberDim);
      }
      for (int y = 5; y < 21; y += 4) {
        canvas.fillRect({4, y, 1, 2}, kAmberDim);
        canvas.fillRect({155, y, 1, 2}, kAmberDim);
      }
      canvas.text(font, "COMPOSE", 84, 6, kAmberDim, Align::kCentre, 3.0);
      break;
  }
}

void paintRemainingTime(Canvas& canvas, const Canvas& face, const PictureFonts& fonts) {
  canvas.copyFrom(face, layout::kRemainingTime, 0, 0);
  TTF_Font* font = fonts.get(Typeface::kSansBold, 8);
  canvas.glow({50, 7.5}, 40, kAmberDeep, 0.15);
  canvas.text(font, "REMAINING TIME", 50, 2, kAmber, Align::kCentre, 1.2);
}

}  // namespace brisolt::platform
