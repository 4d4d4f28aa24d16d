// What a text strip looks like: its background and its one line of text in
// the face's typeface, fitted to the strip (text_strip_line.h).
#pragma once

#include <SDL.h>

#include <string>

#include "platform/window/dialog_window.h"
#include "platform/window/pictures/picture_fonts.h"

namespace brisolt::platform::text_strip_face {

// The line the strip at `place` shows for `text`.
std::string fittedLine(const std::string& text, Rect place, const PictureFonts& fonts);

// Paints the strip at `place` of `target`.
void paint(SDL_Surface* target, const PictureFonts& fonts, Rect place, TextStripColours colours,
           const std::string& text);

}  // namespace brisolt::platform::text_strip_face
