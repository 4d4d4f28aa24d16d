// The one line a text strip shows: the text as it is when it fits, else
// shortened so that what matters stays readable. A line is made of parts
// separated by a middle dot (" · "); a part with a path gives first, its
// folders and then the words before it, down to its file name's end ("the
// piece is in /…251209_101500_Pelko.wav", then "…101500_Pelko.wav"). If
// that is not enough the line is cut at its end, as it puts what matters
// most first ("Session 1052345678 · C# Minor Melodic · B/B · 20 ph…"). No
// drawing and no SDL: the typeface comes in as a measure.
#pragma once

#include <string>
#include <string_view>

#include "platform/window/message_box_model.h"

namespace brisolt::platform {

// The ellipsis that marks where characters were left out.
inline constexpr std::string_view kEllipsis = "\u2026";
// The separator of a line's parts.
inline constexpr std::string_view kPartSeparator = " \u00B7 ";

// `text` shortened to at most `width` pixels as `measure` sees them.
std::string fitTextStripLine(std::string_view text, int width, const TextWidth& measure);

}  // namespace brisolt::platform
