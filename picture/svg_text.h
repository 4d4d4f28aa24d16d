// The pieces of SVG text the pictures are written from: escaped text and
// attribute values, and lengths printed short (at most one decimal), so a
// drawing of thousands of notes stays small.
#pragma once

#include <string>
#include <string_view>

namespace brisolt::picture {

// `text` with &, <, >, " and ' written as entities, safe inside an element
// or a quoted attribute.
std::string escapeXml(std::string_view text);

// `value` rounded to a tenth, without a trailing ".0": 12, 12.5, -0.3.
std::string svgNumber(double value);

}  // namespace brisolt::picture
