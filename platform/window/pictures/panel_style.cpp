// Painters of the parts common to the face and its pictures.
#include "platform/window/pictures/panel_style.h"

#include <array>
#include <cmath>

#include "platform/window/picture_catalog.h"

namespace brisolt::platform::style {
namespace {

// Segments a..g of each digit: top, upper right, lower right, bottom, lower
// left, upper left, middle.
constexpr std::array<unsigned, 10> kSegmentsOf{0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110,
                                               0b1101101, 0b1111101, 0b0000111, 0b1111111, 0b1101111};

struct Segment {
  Point from;
  Point to;
};

// A segment as a six-cornered bar of the given thickness, slanted a little.
std::array<Point, 6> segmentShape(Segment s, double thickness, double slantAround) {
  const double h = thickness / 2;
  const bool horizontal = std::abs(s.to.y - s.from.y) < 0.01;
  std::array<Point, 6> p;
  if (horizontal) {
    p = {Point{s.from.x, s.from.y}, {s.from.x + h, s.from.y - h}, {s.to.x - h, s.to.y - h},
         {s.to.x, s.to.y},          {s.to.x - h, s.to.y + h},     {s.from.x + h, s.from.y + h}};
  } else {
    p = {Point{s.from.x, s.from.y}, {s.from.x + h, s.from.y + h}, {s.to.x + h, s.to.y - h},
         {s.to.x, s.to.y},          {s.to.x - h, s.to.y - h},     {s.from.x - h, s.from.y + h}};
  }
  for (Point& corner : p) corner.x += (slantAround - corner.y) * 0.09;
  return p;
}

}  // namespace

void recess(Canvas& canvas, Rect area, double radius) {
  canvas.fillRoundedRect({area.x - 1, area.y - 1, area.width + 2, area.height + 2}, radius + 1, kRecessLight, 0.55);
  canvas.fillRoundedRect({area.x - 1, area.y - 1, area.width + 2, area.height + 1}, radius + 1, kRecessShadow);
  canvas.fillRoundedRect(area, radius, kRecess);
  canvas.fillRoundedRect({area.x + 1, area.y, area.width - 2, 3}, radius, kRecessShadow, 0.6);
}

void raisedButton(Canvas& canvas, Rect area, double radius) {
  canvas.fillRoundedRect({area.x, area.y + 1, area.width, area.height}, radius, kRecessShadow, 0.8);
  canvas.fillRoundedGradient(area, radius, kButtonTop, kButtonBottom);
  canvas.strokeRoundedRect(area, radius, 1.0, {150, 122, 100}, 0.35);
  canvas.fillRect({area.x + static_cast<int>(radius), area.y, area.width - 2 * static_cast<int>(radius), 1},
                  {190, 160, 134}, 0.45);
}

void engravedText(Canvas& canvas, TTF_Font* font, const char* utf8, int x, int y, Align align, double tracking,
                  Rgb colour) {
  canvas.text(font, utf8, x, y + 1, kEngraveShadow, align, tracking, 0.8);
  canvas.text(font, utf8, x, y, colour, align, tracking);
}

void triangle(Canvas& canvas, Rect box, Arrow direction, double size, Rgb colour, double alpha) {
  const double cx = box.x + box.width / 2.0, cy = box.y + box.height / 2.0;
  const double half = size / 2, reach = size * 0.45;
  const std::array<Point, 3> left{Point{cx - reach, cy}, {cx + reach, cy - half}, {cx + reach, cy + half}};
  const std::array<Point, 3> right{Point{cx + reach, cy}, {cx - reach, cy - half}, {cx - reach, cy + half}};
  canvas.fillPolygon(direction == Arrow::kLeft ? left : right, colour, alpha);
}

void arrowButton(Canvas& canvas, Rect area, Arrow direction) {
  raisedButton(canvas, area, 4);
  triangle(canvas, area, direction, 9, kAmberDim);
  triangle(canvas, {area.x, area.y - 1, area.width, area.height}, direction, 8, kAmber, 0.55);
}

void sevenSegmentDigit(Canvas& canvas, int x, int y, int digit) {
  const double left = x + 4.0, right = x + 15.0, top = y + 3.0, middle = y + 15.0, bottom = y + 27.0;
  const double gap = 1.2;
  const std::array<Segment, 7> segments{
      Segment{{left + gap, top}, {right - gap, top}},        Segment{{right, top + gap}, {right, middle - gap}},
      Segment{{right, middle + gap}, {right, bottom - gap}}, Segment{{left + gap, bottom}, {right - gap, bottom}},
      Segment{{left, middle + gap}, {left, bottom - gap}},   Segment{{left, top + gap}, {left, middle - gap}},
      Segment{{left + gap, middle}, {right - gap, middle}}};
  const unsigned lit = digit >= 0 && digit <= 9 ? kSegmentsOf[digit] : 0u;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    canvas.fillPolygon(segmentShape(segments[i], 3.0, middle), kGhost);
  }
  for (std::size_t i = 0; i < segments.size(); ++i) {
    if (!(lit & (1u << i))) continue;
    const Segment& s = segments[i];
    canvas.glow({(s.from.x + s.to.x) / 2 + (middle - (s.from.y + s.to.y) / 2) * 0.09, (s.from.y + s.to.y) / 2}, 7.0,
                kAmberDeep, 0.22);
  }
  for (std::size_t i = 0; i < segments.size(); ++i) {
    if (lit & (1u << i)) canvas.fillPolygon(segmentShape(segments[i], 3.0, middle), kAmber);
  }
}

void transportSymbol(Canvas& canvas, Rect box, int button, Rgb colour, double alpha) {
  const double cx = box.x + box.width / 2.0, cy = box.y + box.height / 2.0;
  switch (button) {
    case kStopButton: {
      const std::array<Point, 4> square{Point{cx - 4.5, cy - 4.5}, {cx + 4.5, cy - 4.5}, {cx + 4.5, cy + 4.5},
                                        {cx - 4.5, cy + 4.5}};
      canvas.fillPolygon(square, colour, alpha);
      break;
    }
    case kPlayButton: {
      const std::array<Point, 3> play{Point{cx - 3.5, cy - 6}, {cx + 6, cy}, {cx - 3.5, cy + 6}};
      canvas.fillPolygon(play, colour, alpha);
      break;
    }
    case kPauseButton:
      for (double bar : {cx - 4.5, cx + 1.5}) {
        const std::array<Point, 4> shape{Point{bar, cy - 5.5}, {bar + 3, cy - 5.5}, {bar + 3, cy + 5.5},
                                         {bar, cy + 5.5}};
        canvas.fillPolygon(shape, colour, alpha);
      }
      break;
    case kRecordButton: canvas.fillCircle({cx, cy}, 5.0, colour, alpha); break;
    default: break;
  }
}

void pianoKeys(Canvas& canvas, Rect area, int whiteKeys) {
  canvas.fillRect({area.x - 2, area.y - 2, area.width + 4, area.height + 4}, kRecessShadow);
  const double keyWidth = static_cast<double>(area.width) / whiteKeys;
  for (int i = 0; i < whiteKeys; ++i) {
    const int left = area.x + static_cast<int>(std::lround(i * keyWidth));
    const int right = area.x + static_cast<int>(std::lround((i + 1) * keyWidth));
    canvas.verticalGradient({left, area.y, right - left - 1, area.height}, kKeyWhiteTop, kKeyWhiteBottom);
    canvas.fillRect({left, area.y + area.height - 3, right - left - 1, 3}, {178, 166, 148});
  }
  canvas.fillRect({area.x, area.y, area.width, 3}, kRecessShadow, 0.45);  // the shadow of the key slip
  const double blackWidth = keyWidth * 0.6;
  const int blackHeight = area.height * 62 / 100;
  for (int i = 0; i + 1 < whiteKeys; ++i) {
    const int inOctave = i % 7;
    if (inOctave == 2 || inOctave == 6) continue;  // no black key after E and B
    const double centre = area.x + (i + 1) * keyWidth;
    const Rect key{static_cast<int>(std::lround(centre - blackWidth / 2)), area.y,
                   static_cast<int>(std::lround(blackWidth)), blackHeight};
    canvas.fillRoundedRect({key.x + 1, key.y, key.width, key.height + 1}, 1.5, kRecessShadow, 0.35);
    canvas.fillRoundedGradient(key, 1.5, {58, 48, 42}, kKeyBlack);
    canvas.fillRect({key.x + 2, key.y + 3, 1, key.height - 7}, {120, 104, 92}, 0.5);
  }
}

void screw(Canvas& canvas, Point centre) {
  canvas.fillCircle({centre.x, centre.y + 0.8}, 4.6, kRecessShadow, 0.8);
  canvas.fillCircle(centre, 4.2, {122, 104, 88});
  canvas.fillCircle({centre.x - 0.6, centre.y - 0.6}, 3.2, {158, 138, 118});
  const std::array<Point, 4> slot{Point{centre.x - 3.2, centre.y + 1.6}, {centre.x + 1.6, centre.y - 3.2},
                                  {centre.x + 2.4, centre.y - 2.4}, {centre.x - 2.4, centre.y + 2.4}};
  canvas.fillPolygon(slot, {60, 48, 40});
}

}  // namespace brisolt::platform::style
