// What a pattern character does to a voice's key, family by family: how far
// it moves the key (in semitones or in scale degrees), and which neighbouring
// key must be a scale key for the note to sound at all. The major and minor
// third and sixth depend on the piece's mode family.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "compose/composer.h"
#include "compose/random_generator.h"
#include "render/voice_table.h"

namespace brisolt::render {

// One move, before the mode family and the random draws make it a number.
struct Interval {
  enum class Kind {
    kFixed,         // `amount` as it stands
    kThirdUp,       // +4 in major, +3 in minor
    kSixthDown,     // -8 in major, -9 in minor
    kRandomSign,    // +1 or -1, one draw scaled to 2 (1 gives +1)
    kRandomDegree,  // 0..7, one draw scaled to 8
  };
  Kind kind = Kind::kFixed;
  int amount = 0;
};

struct CharacterMove {
  char character = 0;
  Interval move;
  // When set, the key moved by this interval must be a scale key, or the
  // note is silent.
  std::optional<Interval> test;
};

enum class MoveUnit { kSemitones, kScaleDegrees };

struct MoveTable {
  MoveUnit unit = MoveUnit::kSemitones;
  std::span<const CharacterMove> moves;

  // The move of `c`; null when the table does not list it (a move of 0).
  const CharacterMove* find(char c) const;
};

// The third up and the sixth down of a mode family ("Maj" or "Min"; any
// other text reads as major).
struct ModeIntervals {
  int thirdUp = 4;
  int sixthDown = -8;
};
ModeIntervals modeIntervals(std::string_view modeFamily);

// The interval as a number of semitones or degrees; the random kinds draw
// once from `random`.
int resolve(const Interval& interval, const ModeIntervals& mode, compose::RandomGenerator& random);

// The key that pattern character `c` makes of `key`: moved by semitones or
// by scale degrees (Composer::scaleStep), unchanged for a character the table
// does not list; nothing when the move's test fails. Draws, if the move is a
// random one, after the test.
std::optional<int> moveKey(const MoveTable& table, char c, int key, compose::Composer& composer,
                           const ModeIntervals& mode);

// What a family of the ensemble and accompaniment voices does with a note
// besides its moves. The ensemble voices carry their folding in the voice
// table; the accompaniment families fold by these ranges.
struct FamilyRule {
  MoveTable moves;
  std::optional<KeyRange> foldBefore;  // the planned key is folded here before the move
  std::optional<KeyRange> foldAfter;   // the moved key is folded here
  bool onlyOnTonic = false;            // silent unless the planned key is a tonic
  bool foldsKeyZero = true;            // false: a key of 0 stays unfolded (and silent)
  bool followsDynamics = false;        // steps from the plan's dynamics, not the caller's step
};
const FamilyRule& familyRule(Family family);

// The moves of the split voices k, l, U and V (scale degrees).
const MoveTable& splitVoiceMoves();

}  // namespace brisolt::render
