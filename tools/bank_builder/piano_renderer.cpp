// The FluidSynth side of the bank builder.
#include "tools/bank_builder/piano_renderer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace brisolt::tools {

struct PianoRenderer::Synth {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  int soundfont = FLUID_FAILED;
  ~Synth() {
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }
};

PianoRenderer::PianoRenderer(const std::string& soundfontPath) : synth_(std::make_unique<Synth>()) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(soundfontPath, ignored)) {
    error_ = "soundfont '" + soundfontPath +
             "' not found; install the package fluid-soundfont-gm (apt-get install fluid-soundfont-gm) "
             "or name another file with --soundfont";
    return;
  }
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  synth_->settings = new_fluid_settings();
  if (!synth_->settings) {
    error_ = "the FluidSynth library could not create its settings";
    return;
  }
  fluid_settings_setnum(synth_->settings, "synth.sample-rate", kRenderSampleRate);
  fluid_settings_setint(synth_->settings, "synth.reverb.active", 0);
  fluid_settings_setint(synth_->settings, "synth.chorus.active", 0);
  fluid_settings_setint(synth_->settings, "synth.cpu-cores", 1);
  fluid_settings_setint(synth_->settings, "synth.lock-memory", 0);
  synth_->synth = new_fluid_synth(synth_->settings);
  if (!synth_->synth) {
    error_ = "the FluidSynth library could not create a synthesizer";
    return;
  }
  synth_->soundfont = fluid_synth_sfload(synth_->synth, soundfontPath.c_str(), 1);
  if (synth_->soundfont == FLUID_FAILED) {
    error_ = "'" + soundfontPath + "' is not a SoundFont the FluidSynth library can load";
    return;
  }
  if (fluid_synth_program_select(synth_->synth, 0, synth_->soundfont, 0, 0) != FLUID_OK) {
    error_ = "'" + soundfontPath + "' has no acoustic grand piano (bank 0, program 0)";
  }
}

PianoRenderer::~PianoRenderer() = default;

std::vector<float> PianoRenderer::renderNote(const NoteRequest& request) {
  const auto length = static_cast<std::size_t>(std::max(request.lengthSamples, 0));
  if (!error_.empty()) return std::vector<float>(length);
  // The synthesizer keeps the unread rest of its last block for the next
  // call: render whole blocks, so that no note starts on the leftovers of the
  // one before, and cut the clip to length afterwards.
  const std::size_t blocks = (length + kSynthBlock - 1) / kSynthBlock;
  std::vector<float> left(blocks * kSynthBlock);
  std::vector<float> right(left.size());
  fluid_synth_t* synth = synth_->synth;
  // Nothing of the previous note may ring into this one.
  fluid_synth_system_reset(synth);
  fluid_synth_program_select(synth, 0, synth_->soundfont, 0, 0);
  fluid_synth_noteon(synth, 0, request.midiNote, request.velocity);
  int done = 0;
  auto renderUpTo = [&](int end) {
    if (end > done) {
      fluid_synth_write_float(synth, end - done, left.data(), done, 1, right.data(), done, 1);
      done = end;
    }
  };
  const auto total = static_cast<int>(left.size());
  renderUpTo(std::clamp(request.noteOffSample / kSynthBlock * kSynthBlock, 0, total));
  fluid_synth_noteoff(synth, 0, request.midiNote);
  renderUpTo(total);
  left.resize(length);
  return left;
}

}  // namespace brisolt::tools
