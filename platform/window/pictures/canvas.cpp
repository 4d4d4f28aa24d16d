// Pixel work of the picture painters. Shapes are anti-aliased by sampling
// every pixel on a 4 x 4 grid.
#include "platform/window/pictures/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace brisolt::platform {
namespace {

constexpr int kSamples = 4;

std::uint8_t toByte(double value) { return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }

Rect clipTo(Rect area, Size size) {
  const int left = std::max(area.x, 0);
  const int top = std::max(area.y, 0);
  const int right = std::min(area.x + area.width, size.width);
  const int bottom = std::min(area.y + area.height, size.height);
  return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

bool insideRoundedRect(double px, double py, Rect r, double radius) {
  const double left = r.x, top = r.y, right = r.x + r.width, bottom = r.y + r.height;
  if (px < left || px >= right || py < top || py >= bottom) return false;
  const double cx = std::clamp(px, left + radius, right - radius);
  const double cy = std::clamp(py, top + radius, bottom - radius);
  const double dx = px - cx, dy = py - cy;
  return dx * dx + dy * dy <= radius * radius;
}

// Splits UTF-8 text into code points.
std::vector<Uint32> codePoints(std::string_view text) {
  std::vector<Uint32> points;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    Uint32 point = extra == 0 ? lead : extra == 1 ? (lead & 0x1Fu) : extra == 2 ? (lead & 0x0Fu) : (lead & 0x07u);
    ++i;
    for (; extra > 0 && i < text.size(); --extra, ++i) point = (point << 6) | (static_cast<unsigned char>(text[i]) & 0x3Fu);
    points.push_back(point);
  }
  return points;
}

}  // namespace

Canvas::Canvas(Size size) : size_(size) {
  surface_ = SDL_CreateRGBSurfaceWithFormat(0, size.width, size.height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (surface_) fill({0, 0, 0});
}

Canvas::~Canvas() {
  if (surface_) SDL_FreeSurface(surface_);
}

SDL_Surface* Canvas::release() {
  SDL_Surface* taken = surface_;
  surface_ = nullptr;
  return taken;
}

Rgb Canvas::pixel(int x, int y) const {
  if (!surface_ || x < 0 || y < 0 || x >= size_.width || y >= size_.height) return {};
  const auto* row = static_cast<const std::uint8_t*>(surface_->pixels) + y * surface_->pitch;
  const std::uint32_t value = reinterpret_cast<const std::uint32_t*>(row)[x];
  return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value)};
}

void Canvas::blend(int x, int y, Rgb colour, double alpha) {
  if (!surface_ || x < 0 || y < 0 || x >= size_.width || y >= size_.height || alpha <= 0.0) return;
  alpha = std::min(alpha, 1.0);
  auto* row = static_cast<std::uint8_t*>(surface_->pixels) + y * surface_->pitch;
  std::uint32_t& value = reinterpret_cast<std::uint32_t*>(row)[x];
  const Rgb old{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value)};
  const auto mix = [alpha](std::uint8_t from, std::uint8_t to) { return toByte(from + (to - from) * alpha); };
  value = 0xFF000000u | (std::uint32_t{mix(old.red, colour.red)} << 16) |
          (std::uint32_t{mix(old.green, colour.green)} << 8) | mix(old.blue, colour.blue);
}

void Canvas::fill(Rgb colour) { fillRect({0, 0, size_.width, size_.height}, colour); }

void Canvas::fillRect(Rect area, Rgb colour, double alpha) {
  const Rect clipped = clipTo(area, size_);
  for (int y = clipped.y; y < clipped.y + clipped.height; ++y)
    for (int x = clipped.x; x < clipped.x + clipped.width; ++x) blend(x, y, colour, alpha);
}

void Canvas::verticalGradient(Rect area, Rgb top, Rgb bottom) {
  const Rect clipped = clipTo(area, size_);
  for (int y = clipped.y; y < clipped.y + clipped.height; ++y) {
    const double t = area.height > 1 ? static_cast<double>(y - area.y) / (area.height - 1) : 0.0;
    const Rgb colour{toByte(top.red + (bottom.red - top.red) * t), toByte(top.green + (bottom.green - top.green) * t),
                     toByte(top.blue + (bottom.blue - top.blue) * t)};
    for (int x = clipped.x; x < clipped.x + clipped.width; ++x) blend(x, y, colour, 1.0);
  }
}

void Canvas::grain(Rect area, double strength, unsigned seed) {
  const Rect clipped = clipTo(area, size_);
  std::uint32_t state = seed * 2654435761u + 12345u;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / 16777216.0 - 0.5;
  };
  for (int y = clipped.y; y < clipped.y + clipped.height; ++y) {
    const double rowShade = next() * 0.6;
    double streak = 0.0;
    for (int x = clipped.x; x < clipped.x + clipped.width; ++x) {
      streak = streak * 0.92 + next() * 0.5;
      const double shade = (rowShade + streak + next() * 0.3) * strength;
      blend(x, y, shade > 0 ? Rgb{255, 240, 220} : Rgb{0, 0, 0}, std::abs(shade));
    }
  }
}

template <class Inside>
void Canvas::fillCoverage(Rect bounds, Rgb colour, double alpha, Inside inside) {
  const Rect clipped = clipTo(bounds, size_);
  for (int y = clipped.y; y < clipped.y + clipped.height; ++y) {
    for (int x = clipped.x; x < clipped.x + clipped.width; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx)
          if (inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++hits;
      if (hits > 0) blend(x, y, colour, alpha * hits / (kSamples * kSamples));
    }
  }
}

void Canvas::fillRoundedRect(Rect area, double radius, Rgb colour, double alpha) {
  fillCoverage(area, colour, alpha, [&](double px, double py) { return insideRoundedRect(px, py, area, radius); });
}

void Canvas::fillRoundedGradient(Rect area, double radius, Rgb top, Rgb bottom) {
  for (int y = area.y; y < area.y + area.height; ++y) {
    const double t = area.height > 1 ? static_cast<double>(y - area.y) / (area.height - 1) : 0.0;
    const Rgb colour{toByte(top.red + (bottom.red - top.red) * t), toByte(top.green + (bottom.green - top.green) * t),
                     toByte(top.blue + (bottom.blue - top.blue) * t)};
    fillCoverage({area.x, y, area.width, 1}, colour, 1.0,
                 [&](double px, double py) { return insideRoundedRect(px, py, area, radius); });
  }
}

void Canvas::strokeRoundedRect(Rect area, double radius, double width, Rgb colour, double alpha) {
  const auto inner = [&](double px, double py) {
    const double left = area.x + width, top = area.y + width;
    const double right = area.x + area.width - width, bottom = area.y + area.height - width;
    if (px < left || px >= right || py < top || py >= bottom) return false;
    const double r = std::max(0.0, radius - width);
    const double cx = std::clamp(px, left + r, right - r), cy = std::clamp(py, top + r, bottom - r);
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r;
  };
  fillCoverage(area, colour, alpha,
               [&](double px, double py) { return insideRoundedRect(px, py, area, radius) && !inner(px, py); });
}

void Canvas::fillCircle(Point centre, double radius, Rgb colour, double alpha) {
  const Rect bounds{static_cast<int>(std::floor(centre.x - radius)), static_cast<int>(std::floor(centre.y - radius)),
                    static_cast<int>(std::ceil(2 * radius)) + 2, static_cast<int>(std::ceil(2 * radius)) + 2};
  fillCoverage(bounds, colour, alpha, [&](double px, double py) {
    return (px - centre.x) * (px - centre.x) + (py - centre.y) * (py - centre.y) <= radius * radius;
  });
}

void Canvas::fillPolygon(std::span<const Point> corners, Rgb colour, double alpha) {
  if (corners.size() < 3) return;
  double left = corners[0].x, right = left, top = corners[0].y, bottom = top;
  for (const Point& p : corners) {
    left = std::min(left, p.x), right = std::max(right, p.x);
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  }
  const Rect bounds{static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top)),
                    static_cast<int>(std::ceil(right - left)) + 2, static_cast<int>(std::ceil(bottom - top)) + 2};
  fillCoverage(bounds, colour, alpha, [&](double px, double py) {
    bool inside = false;  // even-odd rule
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      const Point& a = corners[i];
      const Point& b = corners[j];
      if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
  });
}

void Canvas::glow(Point centre, double radius, Rgb colour, double strength) {
  const Rect clipped = clipTo({static_cast<int>(centre.x - radius), static_cast<int>(centre.y - radius),
                               static_cast<int>(2 * radius) + 2, static_cast<int>(2 * radius) + 2},
                              size_);
  for (int y = clipped.y; y < clipped.y + clipped.height; ++y) {
    for (int x = clipped.x; x < clipped.x + clipped.width; ++x) {
      const double d = std::hypot(x + 0.5 - centre.x, y + 0.5 - centre.y) / radius;
      if (d < 1.0) blend(x, y, colour, strength * (1.0 - d) * (1.0 - d));
    }
  }
}

void Canvas::copyFrom(const Canvas& source, Rect from, int x, int y) {
  SDL_Rect src{from.x, from.y, from.width, from.height};
  SDL_Rect dst{x, y, from.width, from.height};
  SDL_SetSurfaceBlendMode(source.surface_, SDL_BLENDMODE_NONE);
  SDL_BlitSurface(source.surface_, &src, surface_, &dst);
}

int Canvas::textWidth(TTF_Font* font, std::string_view utf8, double tracking) {
  if (!font || utf8.empty()) return 0;
  if (tracking == 0.0) {
    int w = 0, h = 0;
    TTF_SizeUTF8(font, std::string(utf8).c_str(), &w, &h);
    return w;
  }
  double width = 0.0;
  const auto points = codePoints(utf8);
  for (Uint32 point : points) {
    int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
    TTF_GlyphMetrics32(font, point, &minx, &maxx, &miny, &maxy, &advance);
    width += advance + tracking;
  }
  return static_cast<int>(std::lround(width - tracking));
}

int Canvas::text(TTF_Font* font, std::string_view utf8, int x, int y, Rgb colour, Align align, double tracking,
                 double alpha) {
  if (!font || utf8.empty() || !surface_) return 0;
  const int width = textWidth(font, utf8, tracking);
  if (align == Align::kCentre) x -= width / 2;
  if (align == Align::kRight) x -= width;
  const SDL_Color ink{colour.red, colour.green, colour.blue, toByte(alpha * 255)};
  auto place = [&](SDL_Surface* rendered, int at) {
    if (!rendered) return;
    SDL_SetSurfaceBlendMode(rendered, SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceAlphaMod(rendered, ink.a);
    SDL_Rect dst{at, y, rendered->w, rendered->h};
    SDL_BlitSurface(rendered, nullptr, surface_, &dst);
    SDL_FreeSurface(rendered);
  };
  if (tracking == 0.0) {
    place(TTF_RenderUTF8_Blended(font, std::string(utf8).c_str(), {ink.r, ink.g, ink.b, 255}), x);
    return width;
  }
  double pen = x;
  for (Uint32 point : codePoints(utf8)) {
    int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
    TTF_GlyphMetrics32(font, point, &minx, &maxx, &miny, &maxy, &advance);
    if (point != ' ') place(TTF_RenderGlyph32_Blended(font, point, {ink.r, ink.g, ink.b, 255}), static_cast<int>(std::lround(pen)));
    pen += advance + tracking;
  }
  return width;
}

}  // namespace brisolt::platform
