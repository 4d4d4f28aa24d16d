// The look shared by the face and the pictures laid over it: the palette of
// the dark walnut panel with amber displays, and the painters of the parts
// that appear in both (recesses, buttons, arrows, seven-segment digits).
#pragma once

#include "platform/window/pictures/canvas.h"

namespace brisolt::platform::style {

inline constexpr Rgb kPanelTop{66, 47, 36};
inline constexpr Rgb kPanelBottom{36, 26, 21};
inline constexpr Rgb kRecess{20, 15, 12};
inline constexpr Rgb kRecessShadow{6, 4, 3};
inline constexpr Rgb kRecessLight{104, 80, 62};
inline constexpr Rgb kAmber{255, 182, 82};
inline constexpr Rgb kAmberDeep{255, 128, 36};
inline constexpr Rgb kAmberDim{140, 96, 52};
inline constexpr Rgb kGhost{46, 33, 25};
inline constexpr Rgb kCream{238, 224, 200};
inline constexpr Rgb kEngrave{190, 164, 134};
inline constexpr Rgb kEngraveShadow{16, 11, 8};
inline constexpr Rgb kButtonTop{92, 70, 56};
inline constexpr Rgb kButtonBottom{52, 38, 31};
inline constexpr Rgb kSymbolUnlit{140, 118, 100};
inline constexpr Rgb kPlayGreen{140, 240, 120};
inline constexpr Rgb kRecordRed{255, 72, 56};
inline constexpr Rgb kKeyWhiteTop{226, 214, 192};
inline constexpr Rgb kKeyWhiteBottom{186, 172, 150};
inline constexpr Rgb kKeyBlack{24, 19, 16};

enum class Arrow { kLeft, kRight };

// A sunken window with a dark floor, shaded top edge and a lit bottom lip.
void recess(Canvas& canvas, Rect area, double radius);
// A raised rounded button body.
void raisedButton(Canvas& canvas, Rect area, double radius);
// Light text with a dark shadow below it, as if cut into the panel.
void engravedText(Canvas& canvas, TTF_Font* font, const char* utf8, int x, int y, Align align, double tracking,
                  Rgb colour = kEngrave);
// A filled triangle pointing left or right, centred in the box.
void triangle(Canvas& canvas, Rect box, Arrow direction, double size, Rgb colour, double alpha = 1.0);
// A small raised button with a triangle: the setting and page arrows.
void arrowButton(Canvas& canvas, Rect area, Arrow direction);
// A seven-segment digit in a 20 x 30 cell: every segment drawn unlit, and
// the segments of `digit` (0..9) lit over them; -1 lights nothing.
void sevenSegmentDigit(Canvas& canvas, int x, int y, int digit);
// The symbol of a transport button (a LitButton) in a 25 x 25 box.
void transportSymbol(Canvas& canvas, Rect box, int button, Rgb colour, double alpha = 1.0);
// A row of piano keys starting at C, `whiteKeys` wide.
void pianoKeys(Canvas& canvas, Rect area, int whiteKeys);
// A slotted screw head.
void screw(Canvas& canvas, Point centre);

}  // namespace brisolt::platform::style
