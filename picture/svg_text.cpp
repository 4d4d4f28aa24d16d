// Escaping and short numbers for SVG text.
#include "picture/svg_text.h"

#include <cmath>

namespace brisolt::picture {

std::string escapeXml(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string svgNumber(double value) {
  const long long tenths = std::llround(value * 10.0);
  const long long whole = tenths / 10;
  const long long tenth = std::llabs(tenths % 10);
  std::string text = (tenths < 0 && whole == 0 ? "-" : "") + std::to_string(whole);
  if (tenth != 0) text += "." + std::to_string(tenth);
  return text;
}

}  // namespace brisolt::picture
