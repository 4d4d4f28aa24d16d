// The notes of a voice as its renderer decides them: each planned note with
// the pattern character the voice reads for it and its attenuation step
// (the caller's step, or the next two digits of the dynamics).
#pragma once

#include <optional>
#include <string_view>

#include "compose/composer.h"
#include "render/dynamics_reader.h"
#include "render/pattern_reader.h"
#include "render/planned_notes.h"
#include "render/voice_file.h"

namespace brisolt::render {

struct VoiceNote {
  PlannedNote planned;
  char character = '0';  // the pattern character read for this note
  int step = 1;          // the note's attenuation step
};

class VoiceNotes {
 public:
  // `fixedStep` nothing: every note takes its step from the dynamics.
  VoiceNotes(compose::Composer& composer, int groupDigit, std::string_view pattern, std::optional<int> fixedStep);

  // The next note (after pumping one message and polling the cancel flag);
  // one pattern character and one step are read for every note.
  WalkStep next(VoiceNote& note);

 private:
  PlannedNotes notes_;
  PatternReader pattern_;
  DynamicsReader dynamics_;
  std::optional<int> fixedStep_;
};

// Hands every note to `onNote` (which returns false when a write failed)
// until the plan ends, the cancel flag stops the walk or a write fails.
template <typename OnNote>
VoiceOutcome forEachNote(VoiceNotes& notes, OnNote&& onNote) {
  VoiceNote note;
  while (true) {
    switch (notes.next(note)) {
      case WalkStep::kEnd: return VoiceOutcome::kWritten;
      case WalkStep::kCancelled: return VoiceOutcome::kCancelled;
      case WalkStep::kNote: break;
    }
    if (!onNote(note)) return VoiceOutcome::kFailed;
  }
}

}  // namespace brisolt::render
