// The Composer: the program's one composition planner. It holds the fixed
// musical tables, plans a piece from the Generate options and keeps the plan
// for the voice renderers, together with the one random generator from which
// every musical choice is drawn.
//
// What a renderer uses:
//   cancelRequested              set by Stop/Exit; poll it after pumping messages
//   barLength, barsPerPhrase     8 units per bar, 16 bars per phrase
//   plan()                       the current plan: barCount, tempo, tailMilliseconds,
//                                noteCount, dynamics, phraseDigitOrders, variationIndex,
//                                variationOffset, stretchFactor, modeFamily,
//                                keyDisplayName, scaleKeys, ...
//   nextBar(), rewindBars()      the bars in order, "PPPP... RR..." (pitches, blank, rhythm)
//   patternBitmaps(), noteNames()
//   isScaleKey, scaleStep, foldIntoRange, stretchText, keyAtBeat, rangeAt,
//   pickWeighted, tonicTag, isTonic
//   random()                     the generator; draw from it in the renderers' fixed order
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compose/key_range.h"
#include "compose/phrase_planner.h"
#include "compose/phrase_tables.h"
#include "compose/plan_options.h"
#include "compose/random_generator.h"
#include "compose/scale_keys.h"
#include "compose/scale_tables.h"

namespace brisolt::compose {

// Results of planPiece other than the phrase count (which is 5..90).
enum PlanResult : int {
  kPlanRejectedOptions = 0,  // an option lies outside its range; nothing was written or changed
  kPlanLogNotOpened = 1,     // the log could not be created; nothing else was changed
  kPlanLogNotWritten = 2,    // the log could not be written whole (a full disk); the plan was not kept
};

// Everything one planPiece run decides. Replaced whole by the next run.
struct PiecePlan {
  std::string outputPrefix;     // option 1; every session file starts with it
  std::uint32_t sessionId = 0;  // seed of the run
  int variationIndex = 0;       // 0..19: the group of bar patterns for the whole piece
  int variationOffset = 1;      // 1..1799: characters dropped from the front of every pattern string
  int stretchFactor = 1;        // 1..5: see Composer::stretchText
  std::string modeFamily;       // "Maj" or "Min"
  std::string keyDisplayName;   // "C", "C#", ... "B"
  std::string instrumentCode;   // option 14
  MotifSwitches switches;
  int tempo = 0;                // option 8 as a number (60)
  int barCount = 0;             // phrase count x 16
  double tailMilliseconds = 0;  // 30000 / tempo, divided in integers
  int noteCount = 0;            // notes of the whole plan
  ScaleKeys scaleKeys;          // 35 two-digit key numbers of the key and scale
  std::string phraseDigitOrders;         // per phrase a shuffled "0123456789" and "|"
  std::vector<std::string> barPitches;   // per bar: two digits per note
  std::vector<std::string> barRhythms;   // per bar: one duration digit 1..5 per note, summing to 8
  std::string dynamics;                  // two digits per note (at least), in note order
};

class Composer {
 public:
  // Calendar time in seconds since the epoch; replaceable for tests.
  using Clock = std::function<std::int64_t()>;

  static constexpr int barLength = kBarLength;
  static constexpr int barsPerPhrase = kBarsPerPhrase;

  // Fills the fixed tables.
  Composer();

  // Set by the window when the user stops a Generate; the voice renderers
  // poll it. Planning never reads it.
  bool cancelRequested = false;

  // Plans a piece. Writes the generation log (outputPrefix + "log.txt"), takes
  // the session id from the clock (or the fixed id), seeds the generator and
  // plans every bar. Returns the phrase count, or a PlanResult when it could
  // not plan; then the previous plan stays.
  int planPiece(PlanOptions options);

  // Where planPiece reads the time; defaults to the system clock.
  void setClock(Clock clock);
  // A session id to use instead of the one from the clock (nullopt: clock).
  void fixSessionId(std::optional<std::uint32_t> sessionId);

  const PiecePlan& plan() const { return plan_; }
  // Tests of the plan's readers only: installs a hand-made plan and rewinds
  // the bars, as planPiece leaves them.
  void replacePlanForTesting(PiecePlan plan) {
    plan_ = std::move(plan);
    barCursor_ = 0;
  }

  // The bar at the cursor as its pitch text, one blank and its rhythm text,
  // for example "30333537 2222"; advances the cursor. Past the last bar the
  // result is a lone blank (no notes).
  std::string nextBar();
  void rewindBars() { barCursor_ = 0; }
  int barCursor() const { return barCursor_; }

  // The one generator of musical choices, seeded by planPiece.
  RandomGenerator& random() { return random_; }

  // Fixed tables.
  const ScaleTable& scaleTable() const { return scaleTable_; }
  const PhraseTables& phraseTables() const { return phraseTables_; }
  const std::string& dynamicsSource() const { return dynamicsSource_; }
  // 200 texts of sixteen '0'/'1' bar flags; text 10 x g + k is member k of group g.
  const std::vector<std::string>& patternBitmaps() const { return patternBitmaps_; }
  // 61 texts: slot k (1..60) "C_1", "C#1" .. "B_5"; slot 0 empty.
  const std::vector<std::string>& noteNames() const { return noteNames_; }

  // Scale operations on the plan's scale keys.
  bool isScaleKey(int key) const { return compose::isScaleKey(plan_.scaleKeys, key); }
  std::string toScalePositions(std::string_view keyNumbers) const {
    return compose::toScalePositions(plan_.scaleKeys, keyNumbers);
  }
  std::string toKeyNumbers(std::string_view positions) const {
    return compose::toKeyNumbers(plan_.scaleKeys, positions);
  }
  // Moves a key by scale degrees; 0 when the key is not a scale key or the
  // move leaves the scale keys (steps 0 returns the key unchanged).
  int scaleStep(int key, int steps) const { return compose::scaleStep(plan_.scaleKeys, key, steps); }

  // Adds or subtracts octaves until low <= n <= high. Ranges are meant to be
  // at least 12 keys wide; for a narrower one the result is the first value
  // at or above low reached by octaves, which may lie above high.
  static int foldIntoRange(int n, int low, int high);
  static int foldIntoRange(int n, KeyRange range) { return foldIntoRange(n, range.low, range.high); }

  // With stretchFactor 1 the text itself; otherwise every character whose
  // index is not a multiple of 149 is repeated stretchFactor times.
  std::string stretchText(std::string_view text) const;

  // The key number of the note of a bar that sounds at `unit` (the first
  // whose end lies after it), or 0 when the bar's notes end at or before it.
  static int keyAtBeat(int unit, std::string_view pitches, std::string_view rhythms);

  // The n-th (1-based) pair of a text such as "(25,36),(20,31)"; {0, 0}
  // when the text has fewer pairs.
  static KeyRange rangeAt(int n, std::string_view text);

  // A weighted choice from a text of (value, weight) pairs such as
  // "(1,20)(2,20)(3,20)": one draw from random(); 0 for a text without pairs.
  int pickWeighted(std::string_view text);

  // keyDisplayName, filled to two characters with '_' ("C_", "C#").
  std::string tonicTag() const;
  // True when the note name of the key begins with the tonic tag.
  bool isTonic(int key) const;

 private:
  std::int64_t now() const;

  ScaleTable scaleTable_;
  PhraseTables phraseTables_;
  std::string dynamicsSource_;
  std::vector<std::string> patternBitmaps_;
  std::vector<std::string> noteNames_;

  RandomGenerator random_;
  Clock clock_;
  std::optional<std::uint32_t> fixedSessionId_;

  PiecePlan plan_;
  int barCursor_ = 0;
};

}  // namespace brisolt::compose
