// Fitting a text strip's line to its width.
#include "platform/window/text_strip_line.h"

#include <vector>

namespace brisolt::platform {
namespace {

// A part keeps at least this many characters on either side of its ellipsis.
constexpr std::size_t kLeastKept = 3;
// A path gives up its folders before the last this many characters.
constexpr std::size_t kPathEndKept = 16;

// The UTF-8 characters of `text`, one string each.
std::vector<std::string> charactersOf(std::string_view text) {
  std::vector<std::string> characters;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t next = at + 1;
    while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
    characters.emplace_back(text.substr(at, next - at));
    at = next;
  }
  return characters;
}

// One part of the line: its characters, and how many of them it keeps at
// its start and end around an ellipsis once it has been shortened. A part
// is cut at its end, so it keeps its opening words; a part with a path
// ("the piece is in /home/...") gives up the path's folders first, then the
// words before the path, and keeps the file name's end longest.
struct Part {
  std::vector<std::string> characters;
  std::size_t pathStart = 0;  // characters up to and with the first '/'; 0 without one
  std::size_t head = 0;
  std::size_t tail = 0;
  bool shortened = false;

  std::string text() const {
    std::string out;
    if (!shortened) {
      for (const std::string& c : characters) out += c;
      return out;
    }
    for (std::size_t i = 0; i < head; ++i) out += characters[i];
    out += kEllipsis;
    for (std::size_t i = characters.size() - tail; i < characters.size(); ++i) out += characters[i];
    return out;
  }
  bool hasPath() const { return pathStart > 0 && pathStart < characters.size(); }
  bool canShorten() const {
    if (!shortened) return characters.size() > kLeastKept + 1;
    if (hasPath()) return tail > kLeastKept || head > 0;
    return head > kLeastKept;
  }
  // One character fewer.
  void shorten() {
    if (!shortened) {
      shortened = true;
      if (hasPath()) {
        head = pathStart;
        tail = characters.size() - 1 - head;
      } else {
        head = characters.size() - 1;
        tail = 0;
      }
    } else if (!hasPath()) {
      --head;
    } else if (tail > kPathEndKept || (head == 0 && tail > kLeastKept)) {
      --tail;
    } else {
      --head;
    }
  }
};

std::vector<Part> partsOf(std::string_view text) {
  std::vector<Part> parts;
  for (;;) {
    const std::size_t separator = text.find(kPartSeparator);
    Part part{charactersOf(text.substr(0, separator))};
    for (std::size_t i = 0; i < part.characters.size(); ++i) {
      if (part.characters[i] == "/") {
        part.pathStart = i + 1;
        break;
      }
    }
    parts.push_back(std::move(part));
    if (separator == std::string_view::npos) return parts;
    text.remove_prefix(separator + kPartSeparator.size());
  }
}

std::string join(const std::vector<Part>& parts) {
  std::string line;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) line += kPartSeparator;
    line += parts[i].text();
  }
  return line;
}

}  // namespace

std::string fitTextStripLine(std::string_view text, int width, const TextWidth& measure) {
  if (measure(text) <= width) return std::string(text);
  std::vector<Part> parts = partsOf(text);
  std::string line = join(parts);
  while (measure(line) > width) {
    // A path's folders and the words before it go first.
    Part* giving = nullptr;
    for (Part& part : parts) {
      if (part.hasPath() && part.canShorten() && (!part.shortened || part.tail > kPathEndKept || part.head > 0)) {
        giving = &part;
        break;
      }
    }
    if (giving == nullptr) break;
    giving->shorten();
    line = join(parts);
  }
  if (measure(line) <= width) return line;
  // A line puts what matters most first: it is cut at its end.
  std::vector<std::string> characters = charactersOf(line);
  while (!characters.empty()) {
    characters.pop_back();
    while (!characters.empty() && characters.back() == " ") characters.pop_back();
    std::string cut;
    for (const std::string& c : characters) cut += c;
    cut += kEllipsis;
    if (measure(cut) <= width) return cut;
  }
  return std::string();
}

}  // namespace brisolt::platform
