// A small drawing surface for painting the program's pictures: opaque
// ARGB pixels with anti-aliased shapes, gradients, glows and text.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <span>
#include <string_view>

#include "platform/window/window_types.h"

namespace brisolt::platform {

struct Point {
  double x = 0;
  double y = 0;
};

enum class Align { kLeft, kCentre, kRight };

class Canvas {
 public:
  // An opaque black canvas. Check valid(): making a surface can fail.
  explicit Canvas(Size size);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool valid() const { return surface_ != nullptr; }
  int width() const { return size_.width; }
  int height() const { return size_.height; }
  SDL_Surface* surface() const { return surface_; }
  // Hands the surface over to the caller, who frees it.
  SDL_Surface* release();

  Rgb pixel(int x, int y) const;
  void blend(int x, int y, Rgb colour, double alpha);

  void fill(Rgb colour);
  void fillRect(Rect area, Rgb colour, double alpha = 1.0);
  void verticalGradient(Rect area, Rgb top, Rgb bottom);
  // Lightens or darkens each pixel a little, in horizontal streaks, like
  // brushed metal or fine-grained wood. Same seed, same grain.
  void grain(Rect area, double strength, unsigned seed);

  void fillRoundedRect(Rect area, double radius, Rgb colour, double alpha = 1.0);
  void fillRoundedGradient(Rect area, double radius, Rgb top, Rgb bottom);
  void strokeRoundedRect(Rect area, double radius, double width, Rgb colour, double alpha = 1.0);
  void fillCircle(Point centre, double radius, Rgb colour, double alpha = 1.0);
  void fillPolygon(std::span<const Point> corners, Rgb colour, double alpha = 1.0);
  // A soft light that fades out at `radius`.
  void glow(Point centre, double radius, Rgb colour, double strength);

  // Copies another canvas's pixels (a whole rectangle of it) to (x, y).
  void copyFrom(const Canvas& source, Rect from, int x, int y);

  // Draws text with its top at y; `tracking` adds pixels between letters.
  // Returns the width drawn.
  int text(TTF_Font* font, std::string_view utf8, int x, int y, Rgb colour, Align align = Align::kLeft,
           double tracking = 0.0, double alpha = 1.0);
  static int textWidth(TTF_Font* font, std::string_view utf8, double tracking = 0.0);

 private:
  template <class Inside>
  void fillCoverage(Rect bounds, Rgb colour, double alpha, Inside inside);

  Size size_;
  SDL_Surface* surface_ = nullptr;
};

}  // namespace brisolt::platform
