// Paints the catalog's pictures: the splash first, then the rest in order,
// those on the face over a copy of the face without its replaceable labels.
#include "platform/window/pictures/picture_library.h"

#include "platform/window/picture_catalog.h"
#include "platform/window/pictures/canvas.h"
#include "platform/window/pictures/picture_painters.h"

namespace brisolt::platform {

std::unique_ptr<PictureLibrary> PictureLibrary::paintSplashFirst(std::string& error) {
  std::unique_ptr<PictureLibrary> library(new PictureLibrary());
  library->fonts_ = PictureFonts::open(error);
  if (!library->fonts_) return nullptr;
  for (const PictureEntry& entry : pictureCatalog())
    if (entry.kind == PictureKind::kSplash && !library->paintEntry(entry, error)) return nullptr;
  return library;
}

std::unique_ptr<PictureLibrary> PictureLibrary::paint(std::string& error) {
  std::unique_ptr<PictureLibrary> library = paintSplashFirst(error);
  if (!library) return nullptr;
  for (const PictureEntry& entry : pictureCatalog())
    if (!library->surfaces_.contains(entry.id) && !library->paintEntry(entry, error)) return nullptr;
  return library;
}

bool PictureLibrary::paintNext() const {
  const auto& catalog = pictureCatalog();
  while (nextEntry_ < catalog.size() && surfaces_.contains(catalog[nextEntry_].id)) ++nextEntry_;
  if (nextEntry_ >= catalog.size()) return false;
  std::string error;  // a picture that cannot be painted stays missing, as an unknown one
  paintEntry(catalog[nextEntry_++], error);
  return true;
}

bool PictureLibrary::paintEntry(const PictureEntry& entry, std::string& error) const {
  const PictureFonts& fonts = *fonts_;
  const bool onFace = entry.kind != PictureKind::kFace && entry.kind != PictureKind::kSplash &&
                      entry.kind != PictureKind::kAbout && entry.kind != PictureKind::kIcon;
  if (onFace && !plainFace_) {
    auto plainFace = std::make_unique<Canvas>(kFaceSize);
    if (!plainFace->valid()) {
      error = std::string("Cannot make a picture surface: ") + SDL_GetError();
      return false;
    }
    paintFace(*plainFace, fonts, true);
    plainFace_ = std::move(plainFace);
  }
  Canvas canvas(entry.size);
  if (!canvas.valid()) {
    error = "Cannot make a surface for picture " + std::to_string(entry.id.value) + ": " + SDL_GetError();
    return false;
  }
  switch (entry.kind) {
    case PictureKind::kFace: paintFace(canvas, fonts, false); break;
    case PictureKind::kSplash: paintSplash(canvas, fonts); break;
    case PictureKind::kAbout:
    case PictureKind::kIcon: paintEmblem(canvas, fonts); break;
    case PictureKind::kDigit: paintDigit(canvas, *plainFace_, entry.index); break;
    case PictureKind::kKeySignature:
    case PictureKind::kScale:
    case PictureKind::kMotifMode:
    case PictureKind::kPhraseMode: paintSetting(canvas, *plainFace_, fonts, entry.kind, entry.index); break;
    case PictureKind::kLitButton: paintLitButton(canvas, *plainFace_, entry.index); break;
    case PictureKind::kComposeLabel: paintComposeLabel(canvas, *plainFace_, fonts, entry.index); break;
    case PictureKind::kRemainingTime: paintRemainingTime(canvas, *plainFace_, fonts); break;
    case PictureKind::kInfoPage: paintInfoPage(canvas, *plainFace_, fonts, entry.index); break;
    case PictureKind::kLitKey: paintLitKey(canvas, *plainFace_, entry.index); break;
  }
  SDL_Surface* surface = canvas.release();
  SDL_SetSurfaceBlendMode(surface, SDL_BLENDMODE_NONE);
  surfaces_[entry.id] = surface;
  return true;
}

PictureLibrary::~PictureLibrary() {
  for (auto& [id, surface] : surfaces_) SDL_FreeSurface(surface);
}

SDL_Surface* PictureLibrary::find(PictureId id) const {
  if (const auto found = surfaces_.find(id); found != surfaces_.end()) return found->second;
  for (const PictureEntry& entry : pictureCatalog()) {
    std::string error;
    if (entry.id == id && paintEntry(entry, error)) return surfaces_.at(id);
  }
  return nullptr;
}

std::optional<Size> PictureLibrary::size(PictureId id) const {
  const SDL_Surface* surface = find(id);
  if (!surface) return std::nullopt;
  return Size{surface->w, surface->h};
}

}  // namespace brisolt::platform
