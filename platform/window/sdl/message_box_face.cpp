// Painting of the in-window message box in the panel's colours.
#include "platform/window/sdl/message_box_face.h"

#include <string>

#include "platform/window/pictures/panel_style.h"

namespace brisolt::platform::message_box_face {
namespace {

using namespace style;

constexpr int kTextPixels = 13;
constexpr int kCaptionPixels = 12;
constexpr int kButtonPixels = 12;
constexpr int kIconGlyphPixels = 22;
constexpr Rgb kCaptionBar{24, 18, 14};
constexpr Rgb kBorder{140, 96, 52};
constexpr Rgb kInformationBlue{86, 150, 220};
constexpr Rgb kErrorRed{210, 52, 40};
constexpr Rgb kIconInk{255, 250, 240};
constexpr Rgb kWarningInk{40, 26, 16};

TTF_Font* textFont(const PictureFonts& fonts) { return fonts.get(Typeface::kSans, kTextPixels); }

Rect shifted(Rect area, int dx, int dy) { return {area.x + dx, area.y + dy, area.width, area.height}; }

void paintIcon(Canvas& canvas, const PictureFonts& fonts, MessageBoxIcon icon, Rect at) {
  const Point centre{at.x + at.width / 2.0, at.y + at.height / 2.0};
  const double radius = at.width / 2.0;
  TTF_Font* glyphFont = fonts.get(Typeface::kSansBold, kIconGlyphPixels);
  const int glyphTop = at.y + (at.height - TTF_FontHeight(glyphFont)) / 2;
  const int middle = at.x + at.width / 2;
  switch (icon) {
    case MessageBoxIcon::kInformation:
    case MessageBoxIcon::kQuestion:
      canvas.fillCircle({centre.x, centre.y + 1}, radius, kRecessShadow, 0.7);
      canvas.fillCircle(centre, radius, kInformationBlue);
      canvas.text(glyphFont, icon == MessageBoxIcon::kQuestion ? "?" : "i", middle, glyphTop, kIconInk, Align::kCentre);
      return;
    case MessageBoxIcon::kWarning: {
      const Point corners[] = {{centre.x, at.y + 1.0}, {at.x + at.width + 0.0, at.y + at.height - 1.0},
                               {at.x + 0.0, at.y + at.height - 1.0}};
      canvas.fillPolygon(corners, kAmber);
      canvas.text(glyphFont, "!", middle, glyphTop + 3, kWarningInk, Align::kCentre);
      return;
    }
    case MessageBoxIcon::kError: {
      canvas.fillCircle({centre.x, centre.y + 1}, radius, kRecessShadow, 0.7);
      canvas.fillCircle(centre, radius, kErrorRed);
      // A white cross of two bars.
      const double arm = radius * 0.5;
      const double half = 2.2;
      const Point down[] = {{centre.x - arm - half, centre.y - arm + half}, {centre.x - arm + half, centre.y - arm - half},
                            {centre.x + arm + half, centre.y + arm - half}, {centre.x + arm - half, centre.y + arm + half}};
      const Point up[] = {{centre.x - arm - half, centre.y + arm - half}, {centre.x - arm + half, centre.y + arm + half},
                          {centre.x + arm + half, centre.y - arm + half}, {centre.x + arm - half, centre.y - arm - half}};
      canvas.fillPolygon(down, kIconInk);
      canvas.fillPolygon(up, kIconInk);
      return;
    }
  }
}

void paintButton(Canvas& canvas, const PictureFonts& fonts, const BoxButton& button, bool focused, bool hovered,
                 bool pressed) {
  raisedButton(canvas, button.place, 5);
  if (pressed) canvas.fillRoundedRect(button.place, 5, kRecessShadow, 0.45);
  else if (hovered) canvas.fillRoundedRect(button.place, 5, kAmber, 0.14);
  if (focused) canvas.strokeRoundedRect(button.place, 5, 1.5, kAmber, 0.9);
  TTF_Font* font = fonts.get(Typeface::kSansBold, kButtonPixels);
  const int top = button.place.y + (button.place.height - TTF_FontHeight(font)) / 2 + (pressed ? 1 : 0);
  canvas.text(font, button.label, button.place.x + button.place.width / 2, top, kAmber, Align::kCentre);
}

}  // namespace

MessageBoxModel layout(const MessageBoxRequest& request, Size client, const PictureFonts& fonts) {
  TTF_Font* font = textFont(fonts);
  const TextWidth measure = [font](std::string_view utf8) { return Canvas::textWidth(font, utf8); };
  return MessageBoxModel(request, client, measure, font ? TTF_FontHeight(font) : kTextPixels);
}

void paint(Canvas& canvas, const PictureFonts& fonts, const MessageBoxModel& model) {
  const Rect box = model.box();
  const int dx = -box.x;
  const int dy = -box.y;
  const Rect whole{0, 0, box.width, box.height};
  canvas.verticalGradient(whole, kPanelTop, kPanelBottom);
  canvas.grain(whole, 0.04, 5);
  const Rect caption = shifted(model.captionBar(), dx, dy);
  canvas.fillRect(caption, kCaptionBar);
  canvas.fillRect({0, caption.height, box.width, 1}, kRecessLight, 0.5);
  TTF_Font* captionFont = fonts.get(Typeface::kSansBold, kCaptionPixels);
  canvas.text(captionFont, model.request().caption, box_geometry::kPadding,
              (caption.height - TTF_FontHeight(captionFont)) / 2, kCream);
  canvas.strokeRoundedRect({0, 0, box.width, box.height}, 0, 1.0, kBorder);

  paintIcon(canvas, fonts, model.request().icon, shifted(model.icon(), dx, dy));

  const Rect text = shifted(model.textArea(), dx, dy);
  TTF_Font* font = textFont(fonts);
  int y = text.y;
  for (const std::string& line : model.lines()) {
    canvas.text(font, line, text.x, y, kCream);
    y += model.lineHeight();
  }

  for (std::size_t i = 0; i < model.buttons().size(); ++i) {
    BoxButton button = model.buttons()[i];
    button.place = shifted(button.place, dx, dy);
    const int index = static_cast<int>(i);
    paintButton(canvas, fonts, button, model.focused() == index, model.hovered() == index, model.pressed() == index);
  }
}

}  // namespace brisolt::platform::message_box_face
