// The piece beyond its mix: the clips of the score as MIDI notes and as the
// notes of the stereo rendition, timed on the final mix's timeline, and the
// two files they become beside the mix (Piano.mid, PelkoL.wav).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compose/composer.h"
#include "midi/midi_piece.h"
#include "render/score.h"
#include "rendition/rendition.h"
#include "rendition/stereo_audio.h"

namespace brisolt {

inline constexpr std::string_view kMidiFileSuffix = "Piano.mid";
inline constexpr std::string_view kRenditionSuffix = "PelkoL.wav";

// One clip as a note of the mix. A voice file's data lies on the mix's
// timeline byte for byte (the mixer averages the files from the same offset
// and keeps the first file's header and lead-in), so a clip is struck where
// its copy starts and its sound ends where the copied bytes of the clip end:
// the whole length, or 2 s for a cut melody note.
struct ScoreNoteTime {
  double startSeconds = 0.0;
  double endSeconds = 0.0;
};
ScoreNoteTime noteTimeOnMix(const render::PlacedNote& note);

// The score as a MIDI piece: one track per voice in the order the voices'
// files were written, named by the voice (the melody "melody"), with the
// clips of both files of a voice by start; the key signature, scale family
// and session id from the plan.
midi::MidiPiece midiPieceOf(const render::Score& score, const compose::PiecePlan& plan);

// Every clip of the score as a note of the rendition, by start.
std::vector<rendition::RenditionNote> renditionNotesOf(const render::Score& score);

// The length of the mix the score describes: its longest voice file.
double mixSecondsOf(const render::Score& score);

// What writing the two files did. Each message is empty when its file was
// written, else what failed and what would fix it.
struct PieceExports {
  bool midiWritten = false;
  bool renditionWritten = false;
  bool renditionStopped = false;  // its progress callback asked it to stop
  std::string midiProblem;
  std::string renditionProblem;
  midi::MidiPiece midi;  // what Piano.mid holds, for the MIDI files of saved phrases
};

// Writes outputPrefix + "Piano.mid" and outputPrefix + "PelkoL.wav" (played
// on the SoundFont at `soundfontPath`, or the one found on the system when
// empty), telling `progress` how far the rendition has come.
PieceExports writePieceExports(const render::Score& score, const compose::PiecePlan& plan,
                               const std::string& outputPrefix, const std::string& soundfontPath,
                               const rendition::RenditionProgress& progress = {});

}  // namespace brisolt
