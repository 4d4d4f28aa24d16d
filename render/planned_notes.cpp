// Walking the plan's bars and notes for the voice renderers.
#include "render/planned_notes.h"

#include <algorithm>

#include "compose/scale_keys.h"
#include "platform/message_pump.h"

namespace brisolt::render {
namespace {

constexpr std::size_t kLongestRhythm = 100;

}  // namespace

bool stopRequested(compose::Composer& composer) {
  platform::pumpOneMessage();
  return composer.cancelRequested;
}

PlannedBar::PlannedBar(std::string text) : text_(std::move(text)) {
  blank_ = std::min(text_.find(' '), text_.size());
}

std::string_view PlannedBar::pitches() const { return std::string_view(text_).substr(0, blank_); }

std::string_view PlannedBar::rhythms() const {
  if (blank_ >= text_.size()) return {};
  return std::string_view(text_).substr(blank_ + 1, kLongestRhythm);
}

int PlannedBar::noteCount() const {
  return static_cast<int>(std::min(pitches().size() / 2, rhythms().size()));
}

int PlannedBar::keyOf(int note) const {
  return compose::twoDigitNumber(pitches(), 2 * static_cast<std::size_t>(note));
}

int PlannedBar::durationOf(int note) const {
  const char digit = rhythms()[static_cast<std::size_t>(note)];
  return digit >= '0' && digit <= '9' ? digit - '0' : 0;
}

PlannedNotes::PlannedNotes(compose::Composer& composer, int groupDigit)
    : composer_(composer), masks_(composer, groupDigit) {}

WalkStep PlannedNotes::next(PlannedNote& note) {
  const int barCount = composer_.plan().barCount;
  while (bar_ < 0 || note_ >= current_.noteCount()) {
    if (bar_ + 1 >= barCount) return WalkStep::kEnd;
    ++bar_;
    mask_ = masks_.maskOf(bar_);
    current_ = PlannedBar(composer_.nextBar());
    note_ = 0;
  }
  if (stopRequested(composer_)) return WalkStep::kCancelled;
  note.key = current_.keyOf(note_);
  note.duration = current_.durationOf(note_);
  note.barMask = mask_;
  ++note_;
  note.lastOfPiece = note_ == current_.noteCount() && bar_ == barCount - 1;
  return WalkStep::kNote;
}

}  // namespace brisolt::render
