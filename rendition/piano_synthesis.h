// Plays a list of notes on a SoundFont piano with the FluidSynth library, in
// process: 44,100 Hz stereo with the synthesizer's reverb, each note released
// at its end and left to ring, the piece running on into the room's decay.
// The audio comes out block by block, so a piece of any length is played in
// one block of memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "rendition/stereo_audio.h"

namespace brisolt::rendition {

enum class SynthesisResult {
  kOk,
  kNoSynthLibrary,      // built without the FluidSynth library
  kNoSoundfont,         // no SoundFont file at the path
  kSoundfontUnusable,   // the file is not a SoundFont with an acoustic grand piano
  kStopped,             // the block sink asked to stop
};

struct Synthesis {
  SynthesisResult result = SynthesisResult::kOk;
  std::string message;     // empty on success, else what failed and what would fix it
  std::size_t frames = 0;  // how many frames went to the sink
};

// After the last note-off the rendering goes on until the output stays below
// this level (dBFS, before mastering), and for no longer than the bound.
inline constexpr double kDecayFloorDb = -90.0;
inline constexpr double kMaxDecaySeconds = 15.0;

// Frames per block handed to the sink (the last one may be shorter).
inline constexpr std::size_t kSynthesisBlockFrames = 8192;

// Takes each block of interleaved stereo as it is played; false stops.
using SynthesisSink = std::function<bool(const float* samples, std::size_t frames)>;

// One synthesizer loads the SoundFont once and plays every note; same-key
// notes that overlap go to different MIDI channels, so that releasing one
// never cuts another. The audio lasts at least `lengthSeconds` and on until
// the decay is over.
Synthesis synthesizePiano(const std::vector<RenditionNote>& notes, double lengthSeconds,
                          const std::string& soundfontPath, const SynthesisSink& sink);

}  // namespace brisolt::rendition
