// The ids of every picture the program shows, with the tables that pick a
// picture by value. Keep in step with picture_catalog.cpp, which gives each
// id its size and meaning.
#pragma once

#include <array>
#include <cstddef>

#include "platform/window/window_ids.h"

namespace brisolt::platform::picture {

// A row of picture ids from their numbers.
template <std::size_t N>
constexpr std::array<PictureId, N> pictureIds(const int (&numbers)[N]) {
  std::array<PictureId, N> ids{};
  for (std::size_t i = 0; i < N; ++i) ids[i] = PictureId{numbers[i]};
  return ids;
}

inline constexpr PictureId kFace{1072};    // the main window's face, 650 x 600
inline constexpr PictureId kSplash{1073};  // shown while the program starts
inline constexpr PictureId kAbout{207};    // the About box's emblem
inline constexpr PictureId kIcon{208};     // the window icon

// Digit pictures for 0..9 (20 x 30). 9 is 206.
inline constexpr auto kDigits = pictureIds({930, 931, 932, 934, 936, 937, 938, 939, 940, 206});

// Setting pictures (240 x 35), indexed like the settings: key signature 1..12
// at index 0..11, scale, motif mode and phrase mode 0..11.
inline constexpr auto kKeySignatures = pictureIds({944, 945, 946, 947, 948, 950, 951, 952, 953, 954, 955, 956});
inline constexpr auto kScales = pictureIds({957, 958, 959, 960, 962, 963, 964, 965, 966, 967, 968, 969});
inline constexpr auto kMotifModes = pictureIds({970, 971, 972, 973, 974, 975, 983, 985, 986, 987, 988, 989});
inline constexpr auto kPhraseModes = pictureIds({991, 992, 993, 1003, 995, 996, 997, 998, 999, 1000, 1001, 1002});

// Lit transport buttons (25 x 25).
inline constexpr PictureId kStopLit{1004};
inline constexpr PictureId kPlayLit{1006};
inline constexpr PictureId kPauseLit{1008};
inline constexpr PictureId kRecordLit{1007};

// Labels of the COMPOSE button (160 x 25) and the remaining-time label.
inline constexpr PictureId kCompose{926};
inline constexpr PictureId kDone{690};
inline constexpr PictureId kWorking{1026};
inline constexpr PictureId kComposeDotted{1025};
inline constexpr PictureId kRemainingTime{1039};  // 100 x 15

// Pages 0..5 of the information panel (500 x 70); page 0 is the title page.
inline constexpr auto kInfoPages = pictureIds({1070, 1058, 1059, 1060, 1061, 1062});

// Lit keys of the face's keyboard, laid over the drawn keys while their notes
// sound: two per key shape (layout::KeyShape), another voice's quieter light
// first, then the melody's. Use litKeyPicture() to pick one.
inline constexpr auto kLitKeys = pictureIds({1100, 1101, 1102, 1103, 1104, 1105, 1106, 1107});

}  // namespace brisolt::platform::picture
