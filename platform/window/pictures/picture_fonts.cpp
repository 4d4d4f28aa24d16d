// Opening and caching the DejaVu typefaces.
#include "platform/window/pictures/picture_fonts.h"

namespace brisolt::platform {
namespace {

std::string pathOf(Typeface face) {
  switch (face) {
    case Typeface::kSans: return std::string(kFontFolder) + "DejaVuSans.ttf";
    case Typeface::kSansBold: return std::string(kFontFolder) + "DejaVuSans-Bold.ttf";
    case Typeface::kSerifBold: return std::string(kFontFolder) + "DejaVuSerif-Bold.ttf";
    case Typeface::kMonoBold: return std::string(kFontFolder) + "DejaVuSansMono-Bold.ttf";
  }
  return {};
}

}  // namespace

std::unique_ptr<PictureFonts> PictureFonts::open(std::string& error) {
  if (TTF_Init() != 0) {
    error = std::string("Cannot start the font engine: ") + TTF_GetError();
    return nullptr;
  }
  std::unique_ptr<PictureFonts> fonts(new PictureFonts());
  for (Typeface face : {Typeface::kSans, Typeface::kSansBold, Typeface::kSerifBold, Typeface::kMonoBold}) {
    if (!fonts->get(face, 12)) {
      error = "Cannot open the font '" + pathOf(face) + "' (" + TTF_GetError() +
              "); install the package fonts-dejavu-core.";
      return nullptr;
    }
  }
  return fonts;
}

PictureFonts::~PictureFonts() {
  for (auto& [key, font] : open_) TTF_CloseFont(font);
  TTF_Quit();
}

TTF_Font* PictureFonts::get(Typeface face, int pixels) const {
  const auto key = std::make_pair(face, pixels);
  if (const auto found = open_.find(key); found != open_.end()) return found->second;
  TTF_Font* font = TTF_OpenFont(pathOf(face).c_str(), pixels);
  if (font) {
    TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
    open_[key] = font;
  }
  return font;
}

}  // namespace brisolt::platform
