// The painters of every kind of picture. Pictures that lie on the face are
// painted over a copy of the face at their place, so they blend into it.
#pragma once

#include "platform/window/picture_catalog.h"
#include "platform/window/pictures/canvas.h"
#include "platform/window/pictures/picture_fonts.h"

namespace brisolt::platform {

// The face. With `blankOverlays`, the labels that pictures replace (the
// playing-time label under the remaining-time label) are left out.
void paintFace(Canvas& canvas, const PictureFonts& fonts, bool blankOverlays);

void paintDigit(Canvas& canvas, const Canvas& face, int digit);
void paintSetting(Canvas& canvas, const Canvas& face, const PictureFonts& fonts, PictureKind kind, int index);
void paintLitButton(Canvas& canvas, const Canvas& face, int button);
void paintComposeLabel(Canvas& canvas, const Canvas& face, const PictureFonts& fonts, int label);
void paintRemainingTime(Canvas& canvas, const Canvas& face, const PictureFonts& fonts);
// A lit key of the face's keyboard (PictureKind::kLitKey's index).
void paintLitKey(Canvas& canvas, const Canvas& face, int index);
void paintInfoPage(Canvas& canvas, const Canvas& face, const PictureFonts& fonts, int page);
void paintSplash(Canvas& canvas, const PictureFonts& fonts);
// The program's emblem, filling the canvas: the About picture and the icon.
void paintEmblem(Canvas& canvas, const PictureFonts& fonts);

}  // namespace brisolt::platform
