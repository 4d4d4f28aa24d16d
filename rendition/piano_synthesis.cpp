// The FluidSynth side of the rendition: one synthesizer playing every note
// into a block that goes to the sink whenever it is full.
#include "rendition/piano_synthesis.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <system_error>

#include "midi/midi_key.h"

namespace brisolt::rendition {
namespace {

constexpr int kMelodicChannels = 15;  // MIDI channels 1..16 without the drum channel 10
constexpr int kDrumChannel = 9;
constexpr std::size_t kDecayBlock = 1024;  // frames between checks of the decay
constexpr std::size_t kQuietBlocksToStop = 4;
// Linear interpolation: about a quarter faster than the default fourth-order
// one, and the piano's samples are pitched at most two semitones away from
// where they were recorded, where the two sound alike.
constexpr int kInterpolation = FLUID_INTERP_LINEAR;
constexpr int kPolyphony = 512;
// The synthesizer renders its voices on two threads: a quarter faster than
// one on two cores, where the reverb and the metering stay on one.
constexpr int kCpuCores = 2;

struct ChannelNote {
  RenditionNote note;
  int channel = 0;
};

struct Event {
  std::size_t frame;
  bool noteOn;
  int channel;
  int midiNote;
  int velocity;
};

std::size_t frameOf(double seconds) {
  return static_cast<std::size_t>(std::llround(std::max(seconds, 0.0) * kRenditionSampleRate));
}

int channelNumber(int index) { return index < kDrumChannel ? index : index + 1; }

// Gives every note a channel on which its key is not still held by an
// earlier note, taking the channels in turn.
std::vector<ChannelNote> assignChannels(std::vector<RenditionNote> notes) {
  std::stable_sort(notes.begin(), notes.end(),
                   [](const RenditionNote& a, const RenditionNote& b) { return a.startSeconds < b.startSeconds; });
  std::map<std::pair<int, int>, double> heldUntil;  // (channel, key) -> release time
  std::vector<ChannelNote> assigned;
  assigned.reserve(notes.size());
  int next = 0;
  for (const RenditionNote& note : notes) {
    int chosen = next;
    for (int tried = 0; tried < kMelodicChannels; ++tried) {
      const int candidate = (next + tried) % kMelodicChannels;
      const auto held = heldUntil.find({candidate, note.key});
      if (held == heldUntil.end() || held->second <= note.startSeconds) {
        chosen = candidate;
        break;
      }
    }
    heldUntil[{chosen, note.key}] = note.endSeconds;
    next = (chosen + 1) % kMelodicChannels;
    assigned.push_back({note, channelNumber(chosen)});
  }
  return assigned;
}

std::vector<Event> eventsOf(const std::vector<ChannelNote>& notes) {
  std::vector<Event> events;
  events.reserve(notes.size() * 2);
  for (const ChannelNote& n : notes) {
    const int midiNote = midi::midiNoteOfKey(n.note.key);
    const std::size_t on = frameOf(n.note.startSeconds);
    const std::size_t off = std::max(frameOf(n.note.endSeconds), on + 1);
    events.push_back({on, true, n.channel, midiNote, std::clamp(n.note.velocity, 1, 127)});
    events.push_back({off, false, n.channel, midiNote, 0});
  }
  // At one frame, releases first: a key struck again sounds anew.
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.frame != b.frame ? a.frame < b.frame : (!a.noteOn && b.noteOn);
  });
  return events;
}

class PianoSynth {
 public:
  PianoSynth() = default;
  ~PianoSynth() {
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
  }
  PianoSynth(const PianoSynth&) = delete;
  PianoSynth& operator=(const PianoSynth&) = delete;

  // Loads the SoundFont and puts its acoustic grand piano on every channel.
  Synthesis open(const std::string& soundfontPath) {
    settings_ = new_fluid_settings();
    if (!settings_) return {SynthesisResult::kNoSynthLibrary, "the FluidSynth library could not create its settings", 0};
    fluid_settings_setnum(settings_, "synth.sample-rate", kRenditionSampleRate);
    fluid_settings_setint(settings_, "synth.reverb.active", 1);
    fluid_settings_setint(settings_, "synth.chorus.active", 0);
    fluid_settings_setint(settings_, "synth.polyphony", kPolyphony);
    fluid_settings_setint(settings_, "synth.midi-channels", 16);
    fluid_settings_setint(settings_, "synth.cpu-cores", kCpuCores);
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    // Only the piano's samples are read from the file.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    synth_ = new_fluid_synth(settings_);
    if (!synth_) return {SynthesisResult::kNoSynthLibrary, "the FluidSynth library could not create a synthesizer", 0};
    const int soundfont = fluid_synth_sfload(synth_, soundfontPath.c_str(), 1);
    if (soundfont == FLUID_FAILED) {
      return {SynthesisResult::kSoundfontUnusable,
              "'" + soundfontPath + "' is not a SoundFont the FluidSynth library can load; install fluid-soundfont-gm "
              "or point BRISOLT_SOUNDFONT at another piano SoundFont", 0};
    }
    for (int channel = 0; channel < 16; ++channel) {
      if (fluid_synth_program_select(synth_, channel, soundfont, 0, 0) != FLUID_OK) {
        return {SynthesisResult::kSoundfontUnusable,
                "'" + soundfontPath + "' has no acoustic grand piano (bank 0, program 0)", 0};
      }
    }
    fluid_synth_set_interp_method(synth_, -1, kInterpolation);
    return {};
  }

  // Plays `events` into blocks for `sink`, on to at least `lengthFrames` and
  // until the sound after the last event has decayed. False when the sink
  // asked to stop.
  bool play(const std::vector<Event>& events, std::size_t lengthFrames, const SynthesisSink& sink) {
    for (const Event& event : events) {
      if (!renderTo(event.frame, sink)) return false;
      if (event.noteOn) {
        fluid_synth_noteon(synth_, event.channel, event.midiNote, event.velocity);
      } else {
        fluid_synth_noteoff(synth_, event.channel, event.midiNote);
      }
    }
    if (!renderTo(lengthFrames, sink)) return false;
    const float floor = static_cast<float>(std::pow(10.0, kDecayFloorDb / 20.0));
    const std::size_t limit = now_ + frameOf(kMaxDecaySeconds);
    std::size_t quietBlocks = 0;
    while (now_ < limit && quietBlocks < kQuietBlocksToStop) {
      if (fill_ == kSynthesisBlockFrames && !flush(sink)) return false;
      const std::size_t start = fill_;
      const std::size_t step = std::min({kDecayBlock, limit - now_, kSynthesisBlockFrames - fill_});
      if (!renderTo(now_ + step, sink)) return false;
      const auto [low, high] = std::minmax_element(block_.data() + start * 2, block_.data() + fill_ * 2);
      quietBlocks = (std::max(-*low, *high) < floor) ? quietBlocks + 1 : 0;
    }
    return flush(sink);
  }

  std::size_t frames() const { return now_; }

 private:
  // Renders up to frame `end`, handing every full block to the sink.
  bool renderTo(std::size_t end, const SynthesisSink& sink) {
    while (now_ < end) {
      if (fill_ == kSynthesisBlockFrames && !flush(sink)) return false;
      const std::size_t count = std::min(end - now_, kSynthesisBlockFrames - fill_);
      const auto offset = static_cast<int>(fill_ * 2);
      fluid_synth_write_float(synth_, static_cast<int>(count), block_.data(), offset, 2, block_.data(), offset + 1, 2);
      fill_ += count;
      now_ += count;
    }
    return true;
  }

  bool flush(const SynthesisSink& sink) {
    const std::size_t frames = fill_;
    fill_ = 0;
    return frames == 0 || sink(block_.data(), frames);
  }

  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  std::vector<float> block_ = std::vector<float>(kSynthesisBlockFrames * 2);
  std::size_t fill_ = 0;  // frames in block_
  std::size_t now_ = 0;   // frames played
};

}  // namespace

Synthesis synthesizePiano(const std::vector<RenditionNote>& notes, double lengthSeconds,
                          const std::string& soundfontPath, const SynthesisSink& sink) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(soundfontPath, ignored)) {
    return {SynthesisResult::kNoSoundfont,
            "no piano SoundFont at '" + soundfontPath +
                "'; install the package fluid-soundfont-gm or point BRISOLT_SOUNDFONT at a SoundFont file",
            0};
  }
  // Failures come back as results with their own messages.
  fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);

  PianoSynth synth;
  Synthesis synthesis = synth.open(soundfontPath);
  if (synthesis.result != SynthesisResult::kOk) return synthesis;
  if (!synth.play(eventsOf(assignChannels(notes)), frameOf(lengthSeconds), sink)) {
    return {SynthesisResult::kStopped, "the rendition stopped while it was being played", synth.frames()};
  }
  synthesis.frames = synth.frames();
  return synthesis;
}

}  // namespace brisolt::rendition
