// A saved phrase beyond its excerpt of the mix: the same 64 seconds cut out
// of the stereo rendition, and the phrase's notes as a MIDI file, both timed
// like the mix's excerpt so the three files line up.
#pragma once

#include <cstdint>
#include <string>

#include "midi/midi_piece.h"

namespace brisolt {

// Where the excerpt of phrase `phrase` begins on the mix's timeline, in data
// bytes (the mix's 44100 bytes a second, and the rendition's frames at
// 44100 frames a second), for a piece planned at `pieceTempo`.
std::uint64_t phraseExcerptStartByte(int phrase, int pieceTempo);

// folder + prefix + "PelkoL_NN.wav" and folder + prefix + "Piano_NN.mid".
std::string renditionExcerptPath(const std::string& folder, const std::string& prefix, int phrase);
std::string midiPhrasePath(const std::string& folder, const std::string& prefix, int phrase);

enum class PhraseExportResult {
  kWritten,
  kNoRendition,   // the session has no rendition to cut (or it cannot be read)
  kNotCreated,    // the excerpt could not be written
  kShort,         // the rendition ended early: the excerpt holds what there was
  kNoMidi,        // the session has no MIDI file: its piece was made without it
};

// Cuts phrase `phrase` out of folder + prefix + "PelkoL.wav": 64 seconds of
// 44.1 kHz stereo from where the mix's excerpt begins.
PhraseExportResult writeRenditionExcerpt(const std::string& folder, const std::string& prefix, int phrase,
                                         int pieceTempo);

// The notes struck within phrase `phrase`'s excerpt, moved to start at 0.
PhraseExportResult writeMidiPhrase(const midi::MidiPiece& piece, const std::string& folder,
                                   const std::string& prefix, int phrase, int pieceTempo);

// What a saved phrase keeps beside its excerpt of the mix.
struct PhraseExports {
  PhraseExportResult rendition = PhraseExportResult::kNoRendition;
  PhraseExportResult midi = PhraseExportResult::kNoMidi;
};

// The rendition's excerpt and the MIDI file of a saved phrase, each only
// when the session has it: the rendition when folder + prefix +
// "PelkoL.wav" is there, the MIDI file when `piece` (the session's notes,
// as written to its Piano.mid) is given. A session made without them keeps
// exactly what it kept before.
PhraseExports writePhraseExports(const std::string& folder, const std::string& prefix, int phrase, int pieceTempo,
                                 const midi::MidiPiece* piece);

}  // namespace brisolt
