// The 48 setting pictures (key signature, scale, motif mode, phrase mode):
// the display of their row on the face with the caption, the value in amber
// and the mark of the value's position lit among the twelve.
#include <array>
#include <string>

#include "platform/window/pictures/face_layout.h"
#include "platform/window/pictures/panel_style.h"
#include "platform/window/pictures/picture_painters.h"

namespace brisolt::platform {
namespace {

using namespace style;

struct SettingText {
  int row;
  const char* caption;
  std::string value;
};

// Sharps are written with the music sign.
std::string keyText(int index) {
  std::string label(kKeyLabels[static_cast<std::size_t>(index)]);
  if (label.size() == 2 && label[1] == '#') label = label.substr(0, 1) + "\xE2\x99\xAF";
  return label;
}

SettingText textOf(PictureKind kind, int index) {
  const std::string letter(1, static_cast<char>('A' + index));
  switch (kind) {
    case PictureKind::kKeySignature: return {0, "KEY SIGNATURE", keyText(index)};
    case PictureKind::kScale: return {1, "SCALE", std::string(kScaleNames[static_cast<std::size_t>(index)])};
    case PictureKind::kMotifMode: return {2, "MOTIF MODE", letter};
    default: return {3, "PHRASE MODE", letter};
  }
}

// The largest bold size from 15 px down that fits the width.
TTF_Font* fittingFont(const PictureFonts& fonts, const std::string& text, int width) {
  for (int pixels = 15; pixels > 9; --pixels) {
    TTF_Font* font = fonts.get(Typeface::kSansBold, pixels);
    if (Canvas::textWidth(font, text) <= width) return font;
  }
  return fonts.get(Typeface::kSansBold, 9);
}

}  // namespace

void paintSetting(Canvas& canvas, const Canvas& face, const PictureFonts& fonts, PictureKind kind, int index) {
  const SettingText text = textOf(kind, index);
  const Rect row = layout::kSettingRows[static_cast<std::size_t>(text.row)];
  canvas.copyFrom(face, row, 0, 0);

  TTF_Font* caption = fonts.get(Typeface::kSansBold, 8);
  canvas.text(caption, text.caption, 31, 5, kAmberDim, Align::kLeft, 1.4);
  const int captionEnd = 31 + Canvas::textWidth(caption, text.caption, 1.4);

  TTF_Font* valueFont = fittingFont(fonts, text.value, 208 - captionEnd - 10);
  const int valueTop = 13 - TTF_FontAscent(valueFont) + 2;
  const int valueWidth = Canvas::textWidth(valueFont, text.value);
  canvas.glow({208.0 - valueWidth / 2.0, 12.0}, valueWidth / 2.0 + 10, kAmberDeep, 0.12);
  canvas.text(valueFont, text.value, 208, valueTop, kAmber, Align::kRight);

  const Rect mark{32 + index * 15, 26, 11, 3};
  canvas.glow({mark.x + 5.5, mark.y + 1.5}, 9, kAmberDeep, 0.35);
  canvas.fillRoundedRect(mark, 1, kAmber);
}

void paintDigit(Canvas& canvas, const Canvas& face, int digit) {
  // Any digit cell of the face will do: they are all alike.
  canvas.copyFrom(face, {layout::kTotalTimeDigits[0], layout::kDigitTop, kDigitSize.width, kDigitSize.height}, 0, 0);
  sevenSegmentDigit(canvas, 0, 0, digit);
}

}  // namespace brisolt::platform
