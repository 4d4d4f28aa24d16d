// The typefaces the pictures are lettered in: Debian's DejaVu fonts, opened
// once per face and pixel size and kept until the set is destroyed.
#pragma once

#include <SDL_ttf.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace brisolt::platform {

enum class Typeface { kSans, kSansBold, kSerifBold, kMonoBold };

inline constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu/";

class PictureFonts {
 public:
  // Starts the font engine and checks that every typeface can be opened.
  // On failure returns null and says in `error` which file is missing.
  static std::unique_ptr<PictureFonts> open(std::string& error);
  ~PictureFonts();
  PictureFonts(const PictureFonts&) = delete;
  PictureFonts& operator=(const PictureFonts&) = delete;

  // The typeface at a size in pixels; null only if the file went away.
  TTF_Font* get(Typeface face, int pixels) const;

 private:
  PictureFonts() = default;
  mutable std::map<std::pair<Typeface, int>, TTF_Font*> open_;
};

}  // namespace brisolt::platform
