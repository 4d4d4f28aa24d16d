// The plan as the voice renderers walk it: bar by bar through nextBar, note
// by note within a bar, with the voice's bar mask and one window message
// pumped (and the cancel flag polled) before every note.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "compose/composer.h"
#include "render/bar_masks.h"

namespace brisolt::render {

// Pumps one pending window message, then tells whether Stop (or Exit) has
// set the Composer's cancel flag.
bool stopRequested(compose::Composer& composer);

// One bar as nextBar hands it out: pitch digits, a blank, rhythm digits.
class PlannedBar {
 public:
  PlannedBar() = default;
  explicit PlannedBar(std::string text);

  std::string_view pitches() const;
  std::string_view rhythms() const;  // at most 100 digits
  // Notes that have both their two pitch digits and their duration digit.
  int noteCount() const;
  int keyOf(int note) const;
  int durationOf(int note) const;

 private:
  std::string text_;
  std::size_t blank_ = 0;
};

struct PlannedNote {
  int key = 0;          // planned key number
  int duration = 0;     // units
  char barMask = '1';   // '0' mutes the bar for voices that obey the mask
  bool lastOfPiece = false;
};

enum class WalkStep {
  kNote,       // a note was handed out
  kCancelled,  // the cancel flag was set when the next note came up
  kEnd,        // no notes remain
};

class PlannedNotes {
 public:
  // Walks the plan from the Composer's bar cursor (rewound by the caller),
  // taking masks for `groupDigit`.
  PlannedNotes(compose::Composer& composer, int groupDigit);

  // Takes the next note; before it, pumps one message and polls the cancel
  // flag. Bars are fetched, and their masks taken, as the walk reaches them.
  WalkStep next(PlannedNote& note);

 private:
  compose::Composer& composer_;
  BarMasks masks_;
  int bar_ = -1;
  PlannedBar current_;
  int note_ = 0;
  char mask_ = '1';
};

}  // namespace brisolt::render
