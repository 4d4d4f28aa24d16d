// The Composer's construction, its bar cursor and the text operations on its
// plan that the planner and the voice renderers share.
#include "compose/composer.h"

#include <ctime>

#include "compose/bar_patterns.h"
#include "compose/loudness_source.h"

namespace brisolt::compose {

Composer::Composer()
    : scaleTable_(ScaleTable::load()),
      phraseTables_(PhraseTables::load()),
      dynamicsSource_(loadLoudnessSource()),
      patternBitmaps_(loadBarPatterns()),
      noteNames_(scaleTable_.noteNames()) {}

void Composer::setClock(Clock clock) { clock_ = std::move(clock); }

void Composer::fixSessionId(std::optional<std::uint32_t> sessionId) { fixedSessionId_ = sessionId; }

std::int64_t Composer::now() const {
  return clock_ ? clock_() : static_cast<std::int64_t>(std::time(nullptr));
}

std::string Composer::nextBar() {
  const std::size_t bar = static_cast<std::size_t>(barCursor_++);
  if (bar >= plan_.barPitches.size()) return " ";
  return plan_.barPitches[bar] + " " + plan_.barRhythms[bar];
}

int Composer::foldIntoRange(int n, int low, int high) {
  if (n < low) {
    n += 12 * ((low - n + 11) / 12);
  } else if (n > high) {
    n -= 12 * ((n - high + 11) / 12);
    if (n < low) n += 12;
  }
  return n;
}

std::string Composer::stretchText(std::string_view text) const {
  if (plan_.stretchFactor == 1) return std::string(text);
  std::string stretched;
  stretched.reserve(text.size() * static_cast<std::size_t>(plan_.stretchFactor));
  for (std::size_t j = 0; j < text.size(); ++j) {
    if (j % 149 == 0) continue;
    stretched.append(static_cast<std::size_t>(plan_.stretchFactor), text[j]);
  }
  return stretched;
}

}  // namespace brisolt::compose
