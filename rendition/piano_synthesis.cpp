// The FluidSynth side of the rendition: two synthesizers, each playing half
// of the notes, summed into one stereo buffer.
#include "rendition/piano_synthesis.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <system_error>
#include <thread>

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
    if (!settings_) return {SynthesisResult::kNoSynthLibrary, "the FluidSynth library could not create its settings", {}};
    fluid_settings_setnum(settings_, "synth.sample-rate", kRenditionSampleRate);
    fluid_settings_setint(settings_, "synth.reverb.active", 1);
    fluid_settings_setint(settings_, "synth.chorus.active", 0);
    fluid_settings_setint(settings_, "synth.polyphony", 512);
    fluid_settings_setint(settings_, "synth.midi-channels", 16);
    fluid_settings_setint(settings_, "synth.cpu-cores", 1);
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    // Only the piano's samples are read from the file.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    synth_ = new_fluid_synth(settings_);
    if (!synth_) return {SynthesisResult::kNoSynthLibrary, "the FluidSynth library could not create a synthesizer", {}};
    const int soundfont = fluid_synth_sfload(synth_, soundfontPath.c_str(), 1);
    if (soundfont == FLUID_FAILED) {
      return {SynthesisResult::kSoundfontUnusable,
              "'" + soundfontPath + "' is not a SoundFont the FluidSynth library can load; install fluid-soundfont-gm "
              "or point BRISOLT_SOUNDFONT at another piano SoundFont", {}};
    }
    for (int channel = 0; channel < 16; ++channel) {
      if (fluid_synth_program_select(synth_, channel, soundfont, 0, 0) != FLUID_OK) {
        return {SynthesisResult::kSoundfontUnusable,
                "'" + soundfontPath + "' has no acoustic grand piano (bank 0, program 0)", {}};
      }
    }
    fluid_synth_set_interp_method(synth_, -1, kInterpolation);
    return {};
  }

  // Plays `events` from frame `from` into `out` (interleaved, its first frame
  // is frame `from`, grown as needed) until the sound after the last event
  // has decayed.
  void play(const std::vector<Event>& events, std::size_t from, std::vector<float>& out) {
    std::size_t now = from;
    auto renderTo = [&](std::size_t end) {
      if (end <= now) return;
      if (out.size() < (end - from) * 2) out.resize((end - from) * 2);
      const auto offset = static_cast<int>((now - from) * 2);
      fluid_synth_write_float(synth_, static_cast<int>(end - now), out.data(), offset, 2, out.data(), offset + 1, 2);
      now = end;
    };
    for (const Event& event : events) {
      renderTo(event.frame);
      if (event.noteOn) {
        fluid_synth_noteon(synth_, event.channel, event.midiNote, event.velocity);
      } else {
        fluid_synth_noteoff(synth_, event.channel, event.midiNote);
      }
    }
    const float floor = static_cast<float>(std::pow(10.0, kDecayFloorDb / 20.0));
    const std::size_t limit = now + frameOf(kMaxDecaySeconds);
    std::size_t quietBlocks = 0;
    while (now < limit && quietBlocks < kQuietBlocksToStop) {
      const std::size_t start = now;
      renderTo(std::min(now + kDecayBlock, limit));
      const auto [low, high] =
          std::minmax_element(out.begin() + static_cast<std::ptrdiff_t>((start - from) * 2), out.end());
      quietBlocks = (std::max(-*low, *high) < floor) ? quietBlocks + 1 : 0;
    }
  }

 private:
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
};

struct Part {
  std::vector<Event> events;
  std::size_t from = 0;  // the first frame it renders
  std::vector<float> samples;  // interleaved, from frame `from` on
  Synthesis opened;
};

void renderPart(const std::string& soundfontPath, Part& part) {
  PianoSynth synth;
  part.opened = synth.open(soundfontPath);
  if (part.opened.result != SynthesisResult::kOk) return;
  if (!part.events.empty()) {
    // Room for the notes and a few seconds of decay, so the buffer seldom grows.
    part.samples.reserve((part.events.back().frame - part.from + frameOf(5.0)) * 2);
  }
  synth.play(part.events, part.from, part.samples);
}

}  // namespace

Synthesis synthesizePiano(const std::vector<RenditionNote>& notes, double lengthSeconds,
                          const std::string& soundfontPath) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(soundfontPath, ignored)) {
    return {SynthesisResult::kNoSoundfont,
            "no piano SoundFont at '" + soundfontPath +
                "'; install the package fluid-soundfont-gm or point BRISOLT_SOUNDFONT at a SoundFont file",
            {}};
  }
  // Failures come back as results with their own messages.
  fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);

  // Two halves with as many notes each; the second starts at its first onset.
  const std::vector<ChannelNote> assigned = assignChannels(notes);
  const std::size_t half = assigned.size() / 2;
  std::array<Part, 2> parts;
  parts[0].events = eventsOf({assigned.begin(), assigned.begin() + static_cast<std::ptrdiff_t>(half)});
  parts[1].events = eventsOf({assigned.begin() + static_cast<std::ptrdiff_t>(half), assigned.end()});
  parts[1].from = parts[1].events.empty() ? 0 : parts[1].events.front().frame;
  {
    std::jthread second([&] { renderPart(soundfontPath, parts[1]); });
    renderPart(soundfontPath, parts[0]);
  }
  for (Part& part : parts) {
    if (part.opened.result != SynthesisResult::kOk) return std::move(part.opened);
  }

  Synthesis synthesis;
  std::vector<float>& out = synthesis.audio.samples;
  out = std::move(parts[0].samples);
  const std::vector<float>& second = parts[1].samples;
  const std::size_t offset = parts[1].from * 2;
  out.resize(std::max({out.size(), offset + second.size(), frameOf(lengthSeconds) * 2}), 0.0f);
  for (std::size_t i = 0; i < second.size(); ++i) out[offset + i] += second[i];
  return synthesis;
}

}  // namespace brisolt::rendition
