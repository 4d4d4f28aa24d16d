// The desktop icon at every size: the emblem painted at that size, with the
// outside of its rounded square made transparent.
#include "platform/window/preview/icon_files.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/window/pictures/canvas.h"
#include "platform/window/pictures/picture_painters.h"
#include "platform/window/preview/png_file.h"

namespace brisolt::platform {
namespace {

constexpr int kSubsamples = 4;  // per side, for smooth corner edges
constexpr double kCornerRadiusPerSize = 12.0 / 64.0;  // the emblem's rounded square

// How much of the pixel (x, y) lies inside a rounded square of side `size`.
double coverage(int x, int y, int size, double radius) {
  int inside = 0;
  for (int sy = 0; sy < kSubsamples; ++sy) {
    for (int sx = 0; sx < kSubsamples; ++sx) {
      const double px = x + (sx + 0.5) / kSubsamples, py = y + (sy + 0.5) / kSubsamples;
      const double dx = std::max({radius - px, px - (size - radius), 0.0});
      const double dy = std::max({radius - py, py - (size - radius), 0.0});
      if (dx * dx + dy * dy <= radius * radius) ++inside;
    }
  }
  return static_cast<double>(inside) / (kSubsamples * kSubsamples);
}

// An RGBA copy of the painted emblem whose alpha is the rounded square.
SDL_Surface* withRoundedAlpha(const Canvas& canvas) {
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(canvas.surface(), SDL_PIXELFORMAT_RGBA32, 0);
  if (!rgba) return nullptr;
  const int size = std::min(rgba->w, rgba->h);
  const double radius = kCornerRadiusPerSize * size;
  for (int y = 0; y < rgba->h; ++y) {
    auto* row = static_cast<std::uint8_t*>(rgba->pixels) + y * rgba->pitch;
    for (int x = 0; x < rgba->w; ++x) {
      row[x * 4 + 3] = static_cast<std::uint8_t>(std::lround(255.0 * coverage(x, y, size, radius)));
    }
  }
  return rgba;
}

}  // namespace

std::string writeIconFiles(const PictureFonts& fonts, const std::string& folder) {
  for (const int size : kIconSizes) {
    const std::string path = folder + "/brisolt-" + std::to_string(size) + ".png";
    Canvas canvas({size, size});
    if (!canvas.valid()) return path;
    paintEmblem(canvas, fonts);
    SDL_Surface* icon = withRoundedAlpha(canvas);
    const bool written = icon && writePng(icon, path, PngChannels::kRgba);
    SDL_FreeSurface(icon);
    if (!written) return path;
  }
  return {};
}

}  // namespace brisolt::platform
