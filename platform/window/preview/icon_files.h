// Writes the desktop icon (the face's emblem) at the sizes desktops ask for,
// as PNG files whose rounded corners are transparent.
#pragma once

#include <array>
#include <string>

#include "platform/window/pictures/picture_fonts.h"

namespace brisolt::platform {

inline constexpr std::array<int, 6> kIconSizes{16, 32, 48, 64, 128, 256};

// Writes folder + "/brisolt-<size>.png" for each of kIconSizes. On a failure
// returns the path that could not be written; empty when all were.
std::string writeIconFiles(const PictureFonts& fonts, const std::string& folder);

}  // namespace brisolt::platform
