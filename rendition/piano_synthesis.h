// Plays a list of notes on a SoundFont piano with the FluidSynth library, in
// process: 44,100 Hz stereo with the synthesizer's reverb, each note released
// at its end and left to ring, the piece running on into the room's decay.
#pragma once

#include <string>
#include <vector>

#include "rendition/stereo_audio.h"

namespace brisolt::rendition {

enum class SynthesisResult {
  kOk,
  kNoSynthLibrary,      // built without the FluidSynth library
  kNoSoundfont,         // no SoundFont file at the path
  kSoundfontUnusable,   // the file is not a SoundFont with an acoustic grand piano
};

struct Synthesis {
  SynthesisResult result = SynthesisResult::kOk;
  std::string message;  // empty on success, else what failed and what would fix it
  StereoAudio audio;
};

// After the last note-off the rendering goes on until the output stays below
// this level (dBFS, before mastering), and for no longer than the bound.
inline constexpr double kDecayFloorDb = -90.0;
inline constexpr double kMaxDecaySeconds = 15.0;

// The notes are split into two halves by onset, rendered by two synthesizers
// on two threads and summed: the synthesizer and its reverb add voices
// linearly, so the sum is the whole piece. Same-key notes that overlap go to
// different MIDI channels, so that releasing one never cuts another.
// The audio lasts at least `lengthSeconds` and on until the decay is over.
Synthesis synthesizePiano(const std::vector<RenditionNote>& notes, double lengthSeconds,
                          const std::string& soundfontPath);

}  // namespace brisolt::rendition
