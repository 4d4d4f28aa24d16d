// What an in-window message box looks like: the box laid out in the face's
// typeface, and the painting of its caption bar, icon, text and buttons in
// the panel's colours.
#pragma once

#include "platform/window/message_box_model.h"
#include "platform/window/pictures/canvas.h"
#include "platform/window/pictures/picture_fonts.h"

namespace brisolt::platform::message_box_face {

// The box for `request` over a client area of `client` size, measured in
// the typeface its text is drawn in.
MessageBoxModel layout(const MessageBoxRequest& request, Size client, const PictureFonts& fonts);

// Paints the whole box onto a canvas of the box's size (box-relative
// coordinates), with the model's focus, hover and pressed button.
void paint(Canvas& canvas, const PictureFonts& fonts, const MessageBoxModel& model);

}  // namespace brisolt::platform::message_box_face
