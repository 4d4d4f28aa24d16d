// What the About box looks like: its size, where its OK button is, and the
// painting of the box with its picture, its line of text and the button.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/window/pictures/canvas.h"
#include "platform/window/pictures/picture_fonts.h"
#include "platform/window/window_types.h"

namespace brisolt::platform::about_box {

inline constexpr Size kSize{340, 132};
inline constexpr Rect kOkButton{246, 92, 78, 26};

// `picture` may be null (then the box shows the text alone).
void paint(Canvas& canvas, const PictureFonts& fonts, SDL_Surface* picture, const std::string& line);

}  // namespace brisolt::platform::about_box
