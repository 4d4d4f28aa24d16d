// Every picture of the program, painted once and kept as SDL surfaces by id.
// The splash can be painted alone first, so that it is on the screen at once
// and the rest are painted while it shows. Also keeps the typefaces, which the
// window needs for its text strips, message boxes and About box.
#pragma once

#include <SDL.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/window/picture_catalog.h"
#include "platform/window/pictures/canvas.h"
#include "platform/window/pictures/picture_fonts.h"
#include "platform/window/window_ids.h"
#include "platform/window/window_types.h"

namespace brisolt::platform {

class PictureLibrary {
 public:
  // Paints every picture of the catalog. On failure returns null and says in
  // `error` what is missing.
  static std::unique_ptr<PictureLibrary> paint(std::string& error);
  // Opens the typefaces and paints the splash alone; every other picture is
  // painted by paintNext() or, at the latest, when it is first looked for.
  static std::unique_ptr<PictureLibrary> paintSplashFirst(std::string& error);
  ~PictureLibrary();
  PictureLibrary(const PictureLibrary&) = delete;
  PictureLibrary& operator=(const PictureLibrary&) = delete;

  // The picture (opaque ARGB8888), or null when there is none with that id.
  SDL_Surface* find(PictureId id) const;
  std::optional<Size> size(PictureId id) const;
  // How many pictures are painted so far.
  std::size_t count() const { return surfaces_.size(); }
  // Paints one picture not yet painted; false when every one is.
  bool paintNext() const;
  const PictureFonts& fonts() const { return *fonts_; }

 private:
  PictureLibrary() = default;
  // Paints one entry of the catalog; an error names the picture.
  bool paintEntry(const PictureEntry& entry, std::string& error) const;

  std::unique_ptr<PictureFonts> fonts_;
  // Painting on demand fills these in from const lookups: they are a cache.
  mutable std::unique_ptr<Canvas> plainFace_;  // the face without the labels pictures replace
  mutable std::map<PictureId, SDL_Surface*> surfaces_;
  mutable std::size_t nextEntry_ = 0;  // where paintNext() goes on in the catalog
};

}  // namespace brisolt::platform
