// A piece as the MIDI export sees it: notes on Brisolt key numbers, timed in
// seconds, one list per voice, and what the conductor track announces.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brisolt::midi {

struct MidiNote {
  int key = 1;                // 1..60, Brisolt key numbers (see midi_key.h)
  double startSeconds = 0.0;  // where the note is struck
  double endSeconds = 0.0;    // where its sound ends (the note-off)
  int velocity = 100;         // 1..127
};

struct MidiVoiceTrack {
  std::string name;  // the voice letter, written as the track name
  std::vector<MidiNote> notes;
};

// The mode the key signature is written in; kNone writes no key signature.
enum class MidiMode { kMajor, kMinor, kNone };

struct MidiPiece {
  int keySignature = 1;  // 1..12: the tonic C, C#, D ... B
  MidiMode mode = MidiMode::kMajor;
  std::string keyName;    // as shown to the user, e.g. "C#"
  std::string scaleName;  // e.g. "Minor Harmonic"
  std::uint32_t sessionId = 0;
  std::vector<MidiVoiceTrack> tracks;
};

// The notes of the window [startSeconds, endSeconds) of `piece`, moved so the
// window starts at 0: a note belongs to the window when it is struck inside
// it, and a note that sounds past the window's end is ended there. Every
// track is kept, empty or not, so a voice keeps its track number.
MidiPiece excerptOf(const MidiPiece& piece, double startSeconds, double endSeconds);

}  // namespace brisolt::midi
