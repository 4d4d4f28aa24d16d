// Plans the sixteen bars of each phrase: picks the phrase's rhythm sources and
// step weights, makes the motif rhythms, walks the eight-note motif over the
// scale and repeats it transposed bar by bar. Every draw is made in a fixed
// order, so one seed gives one piece.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "compose/phrase_tables.h"
#include "compose/random_generator.h"
#include "compose/scale_keys.h"

namespace brisolt::compose {

inline constexpr int kBarLength = 8;       // duration units in a bar
inline constexpr int kBarsPerPhrase = 16;
inline constexpr int kMotifLength = 8;     // notes in a motif

// The three switches that the motif mode sets.
struct MotifSwitches {
  bool closedMotif = false;        // closed rhythm pools and step-weight tables
  bool complexSteps = false;       // complex step-weight tables, no alternation between table pairs
  bool alternatingMotifs = false;  // two motifs, odd bars on motif B
};

// Makes one bar's rhythm from a source text (non-decreasing duration digits
// closed by "0"): repeatedly takes one of the leading digits that still fit
// into the bar, until the bar holds kBarLength units. One draw per digit.
std::string makeRhythm(std::string_view source, RandomGenerator& random);

// Where a phrase stands in the step cycle, and its fallback for wide leaps.
struct StepCycle {
  std::string steps;  // the cycle without its "0"
  int start = 0;      // index at which the "0" stood
  int index = 0;
  bool fresh = true;
  bool active = false;
  int leapStep = 1;   // 1, 2 or 3

  // Takes a raw cycle text: records where its first "0" is and removes every "0".
  void load(std::string_view raw);
  // The state at the start of every phrase.
  void restart();
};

// The transposition step of a phrase from the scale positions q0, q1 of its
// motif's first two notes. A first interval of 1..4 positions is the step; a
// wider one takes the leap step (which then advances 1, 2, 3, 1, ...). A
// repeated first note, or any later call once the cycle is active, moves
// through the step cycle in `direction`.
int firstStepOfMotif(StepCycle& cycle, int q0, int q1, int direction);

// Moves positions[0..count-1] together by step x direction, where count is
// the first `checked` positions; all eight positions move. When a position
// would leave 0..lastPosition the direction turns first. When even the turned
// step would leave the range the bar keeps its positions: nothing moves and
// the result is false.
bool transposeBar(std::array<int, kMotifLength>& positions, int checked, int step, int& direction,
                  int lastPosition);

// The mirrored ending of a bar, on a text of two-digit scale positions: with l
// the last position and k the one before it, the last becomes k - (l - k),
// kept within 0..lastPosition. A one-position text stays as it is.
std::string mirroredEnding(std::string positions, int lastPosition);

class PhrasePlanner {
 public:
  static constexpr int kLowTurn = 18;  // a walk below this scale position turns upwards

  PhrasePlanner(const PhraseTables& tables, const ScaleKeys& scaleKeys, MotifSwitches switches,
                RandomGenerator& random);

  // Picks the phrase's rhythm sources and step-weight lists (15 draws).
  void pickTables();

  // Plans one phrase and appends its sixteen pitch texts and rhythm texts.
  void planPhrase(std::vector<std::string>& barPitches, std::vector<std::string>& barRhythms);

  // +1 up, -1 down; 0 before the first phrase. Carries over between phrases.
  int direction() const { return direction_; }

  // Walks `notes` notes from `position` (used by planPhrase; open for tests):
  // the key numbers of the walk as two-digit texts.
  std::string walk(int notes);
  void setPosition(int position) { position_ = position; }
  void setDirection(int direction) { direction_ = direction; }

  const std::array<std::string, 8>& motifRhythmSources() const { return motifRhythmSources_; }
  const StepCycle& stepCycle() const { return cycle_; }
  // List 2i holds the pick of step-weight table i+1 as read, list 2i+1 the
  // same weights reversed.
  const std::array<StepWeights, 2 * kStepWeightTableCount>& stepWeights() const { return stepWeights_; }

 private:
  int drawTableIndex();
  const StepWeights& weightsFor(bool alternationFlag) const;
  int motifFirstStep(std::string_view motif);

  const PhraseTables& tables_;
  const ScaleKeys& scaleKeys_;
  MotifSwitches switches_;
  RandomGenerator& random_;

  std::array<std::string, 8> motifRhythmSources_;   // slots 1 and 3 stay empty
  std::array<StepWeights, 2 * kStepWeightTableCount> stepWeights_{};  // list 2i as read, 2i+1 reversed
  StepCycle cycle_;
  int direction_ = 0;
  int position_ = 0;
};

}  // namespace brisolt::compose
