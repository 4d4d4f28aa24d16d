// Finds the piano SoundFont at run time: $BRISOLT_SOUNDFONT when set, else
// the Debian package fluid-soundfont-gm's file.
#pragma once

#include <string>

namespace brisolt::rendition {

inline constexpr const char* kSoundfontVariable = "BRISOLT_SOUNDFONT";
inline constexpr const char* kDefaultPianoSoundfont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

// The path to use; empty when no candidate file exists.
std::string findPianoSoundfont();

}  // namespace brisolt::rendition
