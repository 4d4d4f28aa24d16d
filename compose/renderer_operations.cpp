// Composer operations that the voice renderers call while they walk the
// plan: the sounding key at a beat, register ranges, weighted choices and the
// tonic test.
#include "compose/composer.h"
#include "compose/number_pairs.h"

namespace brisolt::compose {

int Composer::keyAtBeat(int unit, std::string_view pitches, std::string_view rhythms) {
  int end = 0;
  for (std::size_t note = 0; note < rhythms.size() && 2 * note + 1 < pitches.size(); ++note) {
    end += rhythms[note] - '0';
    if (end > unit) return twoDigitNumber(pitches, 2 * note);
  }
  return 0;
}

KeyRange Composer::rangeAt(int n, std::string_view text) {
  const auto pairs = numberPairs(text);
  if (n < 1 || static_cast<std::size_t>(n) > pairs.size()) return {};
  return {pairs[n - 1].first, pairs[n - 1].second};
}

int Composer::pickWeighted(std::string_view text) {
  const auto pairs = numberPairs(text);
  int total = 0;
  for (const auto& [value, weight] : pairs) total += weight;
  int wanted = random_.scaled(total) + 1;
  if (wanted < 1) wanted = 1;
  if (wanted > total) wanted = total;
  int sum = 0;
  for (const auto& [value, weight] : pairs) {
    sum += weight;
    if (sum >= wanted) return value;
  }
  return 0;
}

std::string Composer::tonicTag() const {
  std::string tag = plan_.keyDisplayName;
  if (tag.size() == 1) tag += '_';
  return tag;
}

bool Composer::isTonic(int key) const {
  if (key < 1 || key >= static_cast<int>(noteNames_.size())) return false;
  const std::string tag = tonicTag();
  return !tag.empty() && noteNames_[key].starts_with(tag);
}

}  // namespace brisolt::compose
