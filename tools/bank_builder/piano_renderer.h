// Renders single piano notes from a SoundFont with the FluidSynth library:
// dry (no reverb or chorus), at 22050 Hz, the left channel only.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace brisolt::tools {

inline constexpr double kRenderSampleRate = 22050.0;
// The synthesizer renders in blocks of this many samples; events take effect
// at the next block boundary.
inline constexpr int kSynthBlock = 64;

struct NoteRequest {
  int midiNote = 60;
  int velocity = 100;
  int lengthSamples = 0;   // samples rendered in all
  int noteOffSample = 0;   // a multiple of kSynthBlock, before lengthSamples
};

class PianoRenderer {
 public:
  // Loads `soundfontPath` and selects the acoustic grand piano (bank 0,
  // program 0) on channel 0. Check error() before rendering.
  explicit PianoRenderer(const std::string& soundfontPath);
  ~PianoRenderer();
  PianoRenderer(const PianoRenderer&) = delete;
  PianoRenderer& operator=(const PianoRenderer&) = delete;

  // Empty when the renderer is ready, else what went wrong and how to fix it.
  const std::string& error() const { return error_; }

  // One note from a silent synthesizer: note-on at sample 0, note-off at
  // request.noteOffSample. Returns the left channel, full scale = 1.0.
  std::vector<float> renderNote(const NoteRequest& request);

 private:
  struct Synth;
  std::unique_ptr<Synth> synth_;
  std::string error_;
};

}  // namespace brisolt::tools
