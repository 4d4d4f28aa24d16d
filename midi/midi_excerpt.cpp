// Cuts the notes of a time window out of a piece, for a saved phrase.
#include <algorithm>

#include "midi/midi_piece.h"

namespace brisolt::midi {

MidiPiece excerptOf(const MidiPiece& piece, double startSeconds, double endSeconds) {
  MidiPiece excerpt = piece;
  for (MidiVoiceTrack& track : excerpt.tracks) {
    std::vector<MidiNote> kept;
    for (const MidiNote& note : track.notes) {
      if (note.startSeconds < startSeconds || note.startSeconds >= endSeconds) continue;
      MidiNote moved = note;
      moved.startSeconds = note.startSeconds - startSeconds;
      moved.endSeconds = std::min(note.endSeconds, endSeconds) - startSeconds;
      kept.push_back(moved);
    }
    track.notes = std::move(kept);
  }
  return excerpt;
}

}  // namespace brisolt::midi
