// The phrase arithmetic of playback.
#include "playback/phrase_timing.h"

#include <algorithm>

#include "audio/wave_format.h"

namespace brisolt::playback {

namespace {
constexpr std::int64_t kLeadInMilliseconds = 500;
constexpr std::int64_t kPhraseMilliseconds = 64000;
constexpr auto kTailMilliseconds = static_cast<std::int64_t>(audio::kExtraSeconds * 1000);
}  // namespace

int phraseAtPosition(double positionMilliseconds) {
  const double sinceLeadIn = positionMilliseconds / 1000 - kLeadInSeconds;
  if (sinceLeadIn < 0) return 0;
  return static_cast<int>(sinceLeadIn / 16 / 4) + 1;
}

int seekTargetPhrase(int shownPhrase, int direction, int phraseTotal) {
  int target = shownPhrase + direction;
  if (target < 2) target = 1;
  if (target >= phraseTotal) target = phraseTotal;
  // A total below 1 (nothing planned) must not send the position before the
  // start of the file.
  return std::max(target, 1);
}

std::int64_t phraseStartMilliseconds(int phrase) {
  return static_cast<std::int64_t>((kLeadInSeconds + (phrase - 1) * kPhraseSeconds) * 1000) + 1;
}

int phraseTotalForLength(std::int64_t lengthMilliseconds) {
  const std::int64_t music = lengthMilliseconds - kLeadInMilliseconds;
  if (music <= 0) return 0;
  const std::int64_t whole = music / kPhraseMilliseconds;
  const std::int64_t rest = music % kPhraseMilliseconds;
  return static_cast<int>(std::max<std::int64_t>(whole + (rest > kTailMilliseconds ? 1 : 0), 1));
}

}  // namespace brisolt::playback
