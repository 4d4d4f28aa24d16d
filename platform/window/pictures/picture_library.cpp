// Paints the catalog's pictures, the face first because the others are
// painted over copies of it.
#include "platform/window/pictures/picture_library.h"

#include "platform/window/picture_catalog.h"
#include "platform/window/pictures/canvas.h"
#include "platform/window/pictures/picture_painters.h"

namespace brisolt::platform {

std::unique_ptr<PictureLibrary> PictureLibrary::paint(std::string& error) {
  std::unique_ptr<PictureLibrary> library(new PictureLibrary());
  library->fonts_ = PictureFonts::open(error);
  if (!library->fonts_) return nullptr;
  const PictureFonts& fonts = *library->fonts_;

  Canvas plainFace(kFaceSize);  // without the labels that pictures replace
  if (!plainFace.valid()) {
    error = std::string("Cannot make a picture surface: ") + SDL_GetError();
    return nullptr;
  }
  paintFace(plainFace, fonts, true);

  for (const PictureEntry& entry : pictureCatalog()) {
    Canvas canvas(entry.size);
    if (!canvas.valid()) {
      error = "Cannot make a surface for picture " + std::to_string(entry.id.value) + ": " + SDL_GetError();
      return nullptr;
    }
    switch (entry.kind) {
      case PictureKind::face: paintFace(canvas, fonts, false); break;
      case PictureKind::splash: paintSplash(canvas, fonts); break;
      case PictureKind::about:
      case PictureKind::icon: paintEmblem(canvas, fonts); break;
      case PictureKind::digit: paintDigit(canvas, plainFace, entry.index); break;
      case PictureKind::keySignature:
      case PictureKind::scale:
      case PictureKind::motifMode:
      case PictureKind::phraseMode: paintSetting(canvas, plainFace, fonts, entry.kind, entry.index); break;
      case PictureKind::litButton: paintLitButton(canvas, plainFace, entry.index); break;
      case PictureKind::composeLabel: paintComposeLabel(canvas, plainFace, fonts, entry.index); break;
      case PictureKind::remainingTime: paintRemainingTime(canvas, plainFace, fonts); break;
      case PictureKind::infoPage: paintInfoPage(canvas, plainFace, fonts, entry.index); break;
    }
    SDL_Surface* surface = canvas.release();
    SDL_SetSurfaceBlendMode(surface, SDL_BLENDMODE_NONE);
    library->surfaces_[entry.id] = surface;
  }
  return library;
}

PictureLibrary::~PictureLibrary() {
  for (auto& [id, surface] : surfaces_) SDL_FreeSurface(surface);
}

SDL_Surface* PictureLibrary::find(PictureId id) const {
  const auto found = surfaces_.find(id);
  return found == surfaces_.end() ? nullptr : found->second;
}

std::optional<Size> PictureLibrary::size(PictureId id) const {
  const SDL_Surface* surface = find(id);
  if (!surface) return std::nullopt;
  return Size{surface->w, surface->h};
}

}  // namespace brisolt::platform
