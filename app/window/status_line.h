// The one line of the status strip at the bottom left of the face: what the
// window is doing, what it made, or why it did not.
#pragma once

#include <cstdint>
#include <string>

#include "app/settings/composition_settings.h"
#include "compose/composer.h"

namespace brisolt {

// Separates the parts of a line; the face's typeface has the middle dot.
inline constexpr const char* kStatusSeparator = " \u00B7 ";

// The piece a line speaks of: its session id and the settings it was made with.
struct PieceSummary {
  std::uint32_t sessionId = 0;
  std::string key;    // "C", "C#", ... "B"
  std::string scale;  // "Major", "Minor Melodic", ...
  int motifMode = 0;  // 0..11: letters A..L
  int phraseMode = 0;
  int phrases = 0;
  friend bool operator==(const PieceSummary&, const PieceSummary&) = default;
};

// The piece planned in `composer` with `settings`: the plan's session id,
// key and phrase count, the settings' scale and modes.
PieceSummary summaryOf(const compose::Composer& composer, const CompositionSettings& settings, int phrases);

// "Session 1172353556 · C Major · B/B · 5 phrases"
std::string pieceStatus(const PieceSummary& piece);
// While Generate runs: "Composing session 1172353556: 45 % · C Major · B/B · 20 phrases".
std::string composingStatus(const PieceSummary& piece, int percent);
// Before the plan exists.
std::string planningStatus(int phrases);
// Stop during Generate.
std::string stoppedStatus(const PieceSummary& piece);
// A Generate that did not make its piece; `reason` as the sequence words it.
std::string notMadeStatus(const std::string& reason);
// The piece was made but cannot be heard: no sound output could be opened.
std::string noSoundStatus(const std::string& reason, const std::string& musicFile);
// The next Generate re-creates the piece of this session id.
std::string nextSessionStatus(std::uint32_t sessionId);

}  // namespace brisolt
