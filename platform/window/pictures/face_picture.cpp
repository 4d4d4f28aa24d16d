// The face of the main window: a dark walnut panel with the title, the four
// setting displays and their arrows, the COMPOSE button, progress track,
// transport buttons, the time and phrase displays, a keyboard, the
// information panel with its arrows, HELP and EXIT. Every hot spot of the
// window has its artwork here, at the place of face_layout.h.
#include <array>
#include <string>

#include "platform/window/pictures/face_layout.h"
#include "platform/window/pictures/keyboard_layout.h"
#include "platform/window/pictures/panel_style.h"
#include "platform/window/pictures/picture_painters.h"

namespace brisolt::platform {
namespace {

using namespace style;

Rect setting(int row) { return layout::kSettingRows[static_cast<std::size_t>(row)]; }

void panelBody(Canvas& canvas) {
  canvas.verticalGradient({0, 0, 650, 600}, kPanelTop, kPanelBottom);
  canvas.grain({0, 0, 650, 600}, 0.05, 7);
  // A soft light falling from the top, and darker edges.
  canvas.glow({325, -120}, 520, {255, 200, 150}, 0.10);
  for (int i = 0; i < 10; ++i) {
    const double a = 0.05 * (10 - i) / 10.0;
    canvas.fillRect({i, 0, 1, 600}, kRecessShadow, a * 2);
    canvas.fillRect({649 - i, 0, 1, 600}, kRecessShadow, a * 2);
    canvas.fillRect({0, 599 - i, 650, 1}, kRecessShadow, a * 2);
  }
  canvas.strokeRoundedRect({4, 4, 642, 592}, 10, 1.0, {150, 118, 92}, 0.35);
  for (Point at : {Point{16, 16}, Point{634, 16}, Point{16, 584}, Point{634, 584}}) screw(canvas, at);
}

void engravedRule(Canvas& canvas, int x, int y, int width) {
  canvas.fillRect({x, y, width, 1}, kRecessShadow, 0.8);
  canvas.fillRect({x, y + 1, width, 1}, {150, 120, 96}, 0.35);
}

void title(Canvas& canvas, const PictureFonts& fonts) {
  TTF_Font* wordmark = fonts.get(Typeface::kSerifBold, 40);
  canvas.text(wordmark, "BRISOLT", 42, 20, kRecessShadow, Align::kLeft, 7.0, 0.9);
  canvas.text(wordmark, "BRISOLT", 40, 17, kCream, Align::kLeft, 7.0);
  engravedText(canvas, fonts.get(Typeface::kSansBold, 10), "GENERATIVE PIANO COMPOSER", 44, 70, Align::kLeft, 3.2,
               kAmberDim);
  // One octave of keys as a maker's badge, and the model under it.
  pianoKeys(canvas, {512, 26, 98, 34}, 7);
  engravedText(canvas, fonts.get(Typeface::kSansBold, 8), "MODEL 2.1", 561, 68, Align::kCentre, 2.4);
  engravedRule(canvas, 24, 92, 602);
}

void settingDisplay(Canvas& canvas, Rect row) {
  recess(canvas, {row.x + 22, row.y + 1, row.width - 44, row.height - 2}, 4);
  // Twelve unlit position marks; the setting pictures light one of them.
  for (int i = 0; i < 12; ++i) canvas.fillRoundedRect({row.x + 32 + i * 15, row.y + 26, 11, 3}, 1, kGhost);
  arrowButton(canvas, {row.x + layout::kSettingLeftArrow.x, row.y + layout::kSettingLeftArrow.y,
                       layout::kSettingLeftArrow.width, layout::kSettingLeftArrow.height},
              Arrow::kLeft);
  arrowButton(canvas, {row.x + layout::kSettingRightArrow.x, row.y + layout::kSettingRightArrow.y,
                       layout::kSettingRightArrow.width, layout::kSettingRightArrow.height},
              Arrow::kRight);
}

void digitWindow(Canvas& canvas, int firstX, int count, bool colonAfterTwo) {
  const int width = count * 20 + (colonAfterTwo ? 10 : 0);
  recess(canvas, {firstX - 6, layout::kDigitTop - 4, width + 12, 40}, 4);
  int x = firstX;
  for (int i = 0; i < count; ++i) {
    sevenSegmentDigit(canvas, x, layout::kDigitTop, -1);
    x += 20;
    if (colonAfterTwo && i == 1) {
      canvas.fillCircle({x + 5.2, layout::kDigitTop + 10.0}, 1.6, kAmberDim);
      canvas.fillCircle({x + 4.2, layout::kDigitTop + 20.0}, 1.6, kAmberDim);
      x += 10;
    }
  }
}

void pillButton(Canvas& canvas, const PictureFonts& fonts, Rect area, const char* label, Rgb ink) {
  raisedButton(canvas, area, area.height / 2.0);
  engravedText(canvas, fonts.get(Typeface::kSansBold, 8), label, area.x + area.width / 2, area.y + 3, Align::kCentre,
               1.2, ink);
}

void settingsSection(Canvas& canvas, const PictureFonts& fonts) {
  canvas.fillRoundedRect({92, 101, 266, 270}, 8, kRecessShadow, 0.25);
  canvas.strokeRoundedRect({92, 101, 266, 270}, 8, 1.0, {150, 118, 92}, 0.25);
  for (int row = 0; row < 4; ++row) settingDisplay(canvas, setting(row));

  digitWindow(canvas, layout::kTotalTimeDigits[0], 4, true);
  digitWindow(canvas, layout::kPhraseCountDigits[0], 2, false);
  raisedButton(canvas, layout::kPhraseCountDown, 10);
  raisedButton(canvas, layout::kPhraseCountUp, 10);
  TTF_Font* sign = fonts.get(Typeface::kSansBold, 15);
  canvas.text(sign, "\xE2\x88\x92", layout::kPhraseCountDown.x + 13, layout::kPhraseCountDown.y - 1, kAmber,
              Align::kCentre);
  canvas.text(sign, "+", layout::kPhraseCountUp.x + 13, layout::kPhraseCountUp.y - 1, kAmber, Align::kCentre);

  TTF_Font* label = fonts.get(Typeface::kSansBold, 8);
  engravedText(canvas, label, "TOTAL TIME", 190, 352, Align::kCentre, 1.6);
  engravedText(canvas, label, "PHRASES", 285, 352, Align::kCentre, 1.6);
}

void performanceSection(Canvas& canvas, const PictureFonts& fonts, bool blankOverlays) {
  canvas.fillRoundedRect({362, 101, 244, 270}, 8, kRecessShadow, 0.25);
  canvas.strokeRoundedRect({362, 101, 244, 270}, 8, 1.0, {150, 118, 92}, 0.25);
  TTF_Font* label = fonts.get(Typeface::kSansBold, 8);

  engravedText(canvas, label, "PERFORMANCE", 378, 128, Align::kLeft, 2.0, kAmberDim);
  pillButton(canvas, fonts, layout::kHelp, "HELP", kEngrave);

  // The COMPOSE button at rest; its labels are laid over it.
  const Rect compose = layout::kCompose;
  raisedButton(canvas, compose, 6);
  canvas.fillCircle({compose.x + 14.0, compose.y + 12.5}, 3.0, kRecessShadow);
  canvas.fillCircle({compose.x + 14.0, compose.y + 12.5}, 2.2, {70, 40, 28});
  engravedText(canvas, fonts.get(Typeface::kSansBold, 11), "COMPOSE", compose.x + 84, compose.y + 6, Align::kCentre,
               3.0, kSymbolUnlit);

  engravedText(canvas, label, "PROGRESS", 380, 211, Align::kLeft, 1.6);
  recess(canvas, layout::kProgress, 2);

  const std::array<const char*, 4> names{"STOP", "PLAY", "PAUSE", "SAVE"};
  for (int button = 0; button < 4; ++button) {
    const Rect area = layout::kTransport[static_cast<std::size_t>(button)];
    engravedText(canvas, label, names[static_cast<std::size_t>(button)], area.x + 12, 251, Align::kCentre, 1.2);
    raisedButton(canvas, area, 5);
    transportSymbol(canvas, area, button, kSymbolUnlit);
  }

  digitWindow(canvas, layout::kCurrentTimeDigits[0], 4, true);
  digitWindow(canvas, layout::kCurrentPhraseDigits[0], 2, false);
  for (auto [area, direction] : {std::pair{layout::kPhraseBack, Arrow::kLeft}, std::pair{layout::kPhraseForward, Arrow::kRight}}) {
    raisedButton(canvas, area, 4);
    const int shift = direction == Arrow::kLeft ? -3 : 3;
    triangle(canvas, {area.x - shift, area.y, area.width, area.height}, direction, 8, kAmber);
    triangle(canvas, {area.x + shift, area.y, area.width, area.height}, direction, 8, kAmber);
  }
  if (!blankOverlays) {
    engravedText(canvas, label, "PLAYING TIME", layout::kRemainingTime.x + 50, 352, Align::kCentre, 1.6);
  }
  engravedText(canvas, label, "PHRASE", 540, 352, Align::kCentre, 1.6);
}

void keyboardBand(Canvas& canvas) {
  // Five octaves, C1 to B5: the range of the recorded piano.
  const Rect keys = layout::kKeyboard;
  recess(canvas, {keys.x - 6, keys.y - 5, keys.width + 14, keys.height + 10}, 5);
  pianoKeys(canvas, keys, layout::kKeyboardWhiteKeys);
  canvas.fillRect({keys.x, keys.y, keys.width, 2}, kRecessShadow, 0.6);
}

void informationBand(Canvas& canvas, const PictureFonts& fonts) {
  recess(canvas, {layout::kInfoPanel.x - 4, layout::kInfoPanel.y - 4, layout::kInfoPanel.width + 8,
                  layout::kInfoPanel.height + 8},
         6);
  arrowButton(canvas, layout::kInfoLeft, Arrow::kLeft);
  arrowButton(canvas, layout::kInfoRight, Arrow::kRight);
  TTF_Font* label = fonts.get(Typeface::kSansBold, 7);
  engravedText(canvas, label, "PAGE", layout::kInfoLeft.x + 10, 482, Align::kCentre, 1.0);
  engravedText(canvas, label, "PAGE", layout::kInfoRight.x + 10, 482, Align::kCentre, 1.0);
}

void bottomRow(Canvas& canvas, const PictureFonts& fonts) {
  recess(canvas, layout::kTextStrip, 2);
  pillButton(canvas, fonts, layout::kExit, "EXIT", {236, 128, 104});
  engravedText(canvas, fonts.get(Typeface::kSansBold, 7), "59 PIANO VOICES  \xC2\xB7  5 TO 90 PHRASES", 448, 534,
               Align::kCentre, 1.6, kAmberDim);
  engravedRule(canvas, 24, 556, 602);
  engravedText(canvas, fonts.get(Typeface::kSerifBold, 9), "Brisolt", 325, 567, Align::kCentre, 2.0, kAmberDim);
}

}  // namespace

void paintFace(Canvas& canvas, const PictureFonts& fonts, bool blankOverlays) {
  panelBody(canvas);
  title(canvas, fonts);
  settingsSection(canvas, fonts);
  performanceSection(canvas, fonts, blankOverlays);
  keyboardBand(canvas);
  informationBand(canvas, fonts);
  bottomRow(canvas, fonts);
}

}  // namespace brisolt::platform
