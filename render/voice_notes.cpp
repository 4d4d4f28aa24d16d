// A voice's notes with their pattern characters and steps.
#include "render/voice_notes.h"

namespace brisolt::render {

VoiceNotes::VoiceNotes(compose::Composer& composer, int groupDigit, std::string_view pattern,
                       std::optional<int> fixedStep)
    : notes_(composer, groupDigit),
      pattern_(pattern, composer),
      dynamics_(composer.plan().dynamics),
      fixedStep_(fixedStep) {}

WalkStep VoiceNotes::next(VoiceNote& note) {
  const WalkStep step = notes_.next(note.planned);
  if (step != WalkStep::kNote) return step;
  note.character = pattern_.next();
  note.step = fixedStep_ ? *fixedStep_ : dynamics_.next();
  return step;
}

}  // namespace brisolt::render
