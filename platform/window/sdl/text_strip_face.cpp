// Painting a text strip.
#include "platform/window/sdl/text_strip_face.h"

#include <algorithm>

#include "platform/window/pictures/canvas.h"
#include "platform/window/text_strip_line.h"

namespace brisolt::platform::text_strip_face {
namespace {

// The text starts this far from the strip's left edge and keeps as far from
// its right edge.
constexpr int kInset = 3;

TTF_Font* stripFont(Rect place, const PictureFonts& fonts) {
  return fonts.get(Typeface::kSans, std::max(8, place.height - 4));
}

}  // namespace

std::string fittedLine(const std::string& text, Rect place, const PictureFonts& fonts) {
  TTF_Font* font = stripFont(place, fonts);
  if (!font) return text;
  return fitTextStripLine(text, place.width - 2 * kInset,
                          [font](std::string_view utf8) { return Canvas::textWidth(font, utf8); });
}

void paint(SDL_Surface* target, const PictureFonts& fonts, Rect place, TextStripColours colours,
           const std::string& text) {
  SDL_Rect area{place.x, place.y, place.width, place.height};
  const Rgb back = colours.background;
  SDL_FillRect(target, &area, SDL_MapRGB(target->format, back.red, back.green, back.blue));
  if (text.empty()) return;
  TTF_Font* font = stripFont(place, fonts);
  if (!font) return;
  const std::string line = fittedLine(text, place, fonts);
  const Rgb ink = colours.text;
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, line.c_str(), {ink.red, ink.green, ink.blue, 255});
  if (!rendered) return;
  SDL_SetClipRect(target, &area);
  SDL_Rect to{place.x + kInset, place.y + (place.height - rendered->h) / 2, rendered->w, rendered->h};
  SDL_BlitSurface(rendered, nullptr, target, &to);
  SDL_SetClipRect(target, nullptr);
  SDL_FreeSurface(rendered);
}

}  // namespace brisolt::platform::text_strip_face
