// Plain value types of the window layer: rectangles, sizes and colours, in
// client pixels of the window they belong to.
#pragma once

#include <cstdint>
#include <ostream>

namespace brisolt::platform {

struct Size {
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(Size, Size) = default;
  friend std::ostream& operator<<(std::ostream& out, Size s) { return out << s.width << " x " << s.height; }
};

// A rectangle from (x, y) inclusive to (x + width, y + height) exclusive.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  constexpr bool contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
  friend constexpr bool operator==(Rect, Rect) = default;
  friend std::ostream& operator<<(std::ostream& out, Rect r) {
    return out << "(" << r.x << ", " << r.y << ") " << r.width << " x " << r.height;
  }
};

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend constexpr bool operator==(Rgb, Rgb) = default;
  friend std::ostream& operator<<(std::ostream& out, Rgb c) {
    return out << "rgb(" << int{c.red} << ", " << int{c.green} << ", " << int{c.blue} << ")";
  }
};

}  // namespace brisolt::platform
