// The six pages of the information panel: a title page and five short notes
// on composing, listening and saving, with a row of page marks.
#include <array>
#include <string>
#include <vector>

#include "platform/window/pictures/face_layout.h"
#include "platform/window/pictures/panel_style.h"
#include "platform/window/pictures/picture_painters.h"

namespace brisolt::platform {
namespace {

using namespace style;

struct Page {
  const char* heading;
  const char* body;
};

// Pages 1..5; page 0 is the title page.
constexpr std::array<Page, 5> kPages{{
    {"COMPOSING",
     "Choose a key, a scale, a motif mode and a phrase mode with the arrows, and the length with "
     "\xE2\x88\x92 and +. Press COMPOSE or Enter: Brisolt plans a new piece, renders it with a recorded "
     "piano and plays it."},
    {"THE SETTINGS",
     "Motif modes A to C build each phrase on closed rhythms, D to L on open ones; the phrase mode gives "
     "the phrases their colour. A phrase lasts 64 seconds: 5 phrases make 5:23, 90 make 96:03."},
    {"WHILE IT WORKS",
     "A piece takes a while to make and about 459 MB of disk per phrase. The red bar shows the progress "
     "and REMAINING TIME counts down. Stop or EXIT cancels; the unfinished piece is removed."},
    {"LISTENING",
     "It plays as soon as it is ready: Pause holds it, Play goes on, Stop ends it. The arrows beside the "
     "phrase display (or keypad + and \xE2\x88\x92) jump a phrase back or forward."},
    {"SAVING",
     "Save in stop mode keeps all phrases of the session, with its log. Save in play or pause mode keeps "
     "the current phrase only, as a file of its own. Files stay in the Archive folder; a piece you do "
     "not save is removed."},
}};

std::vector<std::string> wrap(TTF_Font* font, const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    const std::string tried = line.empty() ? word : line + " " + word;
    if (!line.empty() && Canvas::textWidth(font, tried) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = tried;
    }
    start = end + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void pageMarks(Canvas& canvas, int page) {
  for (int i = 0; i < 6; ++i) {
    const Point at{452.0 + i * 8, 63.0};
    if (i == page) {
      canvas.glow(at, 6, kAmberDeep, 0.5);
      canvas.fillCircle(at, 2.0, kAmber);
    } else {
      canvas.fillCircle(at, 1.8, kGhost);
    }
  }
}

void titlePage(Canvas& canvas, const PictureFonts& fonts) {
  canvas.text(fonts.get(Typeface::kSerifBold, 22), "BRISOLT", 18, 9, kCream, Align::kLeft, 4.0);
  canvas.text(fonts.get(Typeface::kSans, 11), "Piano music, composed for you while you wait.", 190, 14, kEngrave);
  canvas.text(fonts.get(Typeface::kSans, 10), "Turn the pages with the arrows to see how it works.", 190, 33,
              kAmberDim);
  canvas.text(fonts.get(Typeface::kSansBold, 8), "VERSION 2.1.0", 18, 44, kAmberDim, Align::kLeft, 1.6);
}

}  // namespace

void paintInfoPage(Canvas& canvas, const Canvas& face, const PictureFonts& fonts, int page) {
  canvas.copyFrom(face, layout::kInfoPanel, 0, 0);
  pageMarks(canvas, page);
  if (page == 0) {
    titlePage(canvas, fonts);
    return;
  }
  const Page& text = kPages[static_cast<std::size_t>(page - 1)];
  canvas.text(fonts.get(Typeface::kSansBold, 9), text.heading, 14, 5, kAmber, Align::kLeft, 1.8);
  for (int pixels = 11; pixels >= 9; --pixels) {
    TTF_Font* body = fonts.get(Typeface::kSans, pixels);
    const auto lines = wrap(body, text.body, 472);
    const int skip = TTF_FontLineSkip(body) - 1;
    if (pixels > 9 && (lines.size() > 3 || static_cast<int>(lines.size()) * skip > 46)) continue;  // three lines at most
    for (std::size_t i = 0; i < lines.size(); ++i)
      canvas.text(body, lines[i], 14, 19 + static_cast<int>(i) * skip, kCream);
    return;
  }
}

}  // namespace brisolt::platform
