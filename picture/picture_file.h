// A picture written to a file: the whole SVG text, put in place under its
// name only once it is complete.
#pragma once

#include <string>

namespace brisolt::picture {

// Writes `svg` to `path`, replacing any file there. Returns an empty string
// when it was written, else what failed and what would fix it; a failed
// write leaves nothing new at `path`.
std::string writePictureFile(const std::string& svg, const std::string& path);

}  // namespace brisolt::picture
