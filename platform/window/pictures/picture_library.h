// Every picture of the program, painted once at start-up and kept as SDL
// surfaces by id. Also keeps the typefaces, which the window needs for its
// text strips and About box.
#pragma once

#include <SDL.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/window/pictures/picture_fonts.h"
#include "platform/window/window_ids.h"
#include "platform/window/window_types.h"

namespace brisolt::platform {

class PictureLibrary {
 public:
  // Paints every picture of the catalog. On failure returns null and says in
  // `error` what is missing.
  static std::unique_ptr<PictureLibrary> paint(std::string& error);
  ~PictureLibrary();
  PictureLibrary(const PictureLibrary&) = delete;
  PictureLibrary& operator=(const PictureLibrary&) = delete;

  // The picture (opaque ARGB8888), or null when there is none with that id.
  SDL_Surface* find(PictureId id) const;
  std::optional<Size> size(PictureId id) const;
  std::size_t count() const { return surfaces_.size(); }
  const PictureFonts& fonts() const { return *fonts_; }

 private:
  PictureLibrary() = default;
  std::unique_ptr<PictureFonts> fonts_;
  std::map<PictureId, SDL_Surface*> surfaces_;
};

}  // namespace brisolt::platform
