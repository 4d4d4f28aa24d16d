// brisolt-piece-midi: writes a MIDI file with as many piano notes, at the same
// moments, as a composed piece sounds, for comparing Brisolt's render with a
// MIDI synthesizer's. It composes the piece (same settings and session id)
// with the program's renderers on a bank whose every clip begins with one
// non-zero sample and is silent after it: each sounding note then leaves
// exactly one non-zero sample in its voice file, at its onset. The renderers'
// choices do not depend on the clips' contents, so these are the notes the
// piece has on the real Data.dat. Pitches are spread over the keyboard (the
// count, timing and length are what load a synthesizer); each note lasts as
// long as the renderer lets its clip ring.
//
//   brisolt-piece-midi --session-id 20240131 --phrases 5 --out piece.mid
//
// With --density N it writes instead N evenly spaced notes a second for the
// piece's length, spread over 21 voices (the dense reference piece of the
// measurements: melody and 20 voices, 82 notes a second).
#include <CLI/CLI.hpp>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "session/generation.h"
#include "app/settings/setting_options.h"
#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "platform/files/file_handle.h"
#include "render/render_driver.h"
#include "tests/support/synthetic_bank.h"

namespace {

using namespace brisolt;

constexpr int kTicksPerQuarter = 480;
constexpr int kTicksPerSecond = 960;  // at the default 500000 microseconds per quarter
constexpr int kVelocity = 80;

struct Onset {
  double seconds = 0;
  double length = 0;  // how long the renderer lets the clip ring
  int voice = 0;      // the voice file it came from, 0..63
};

// How long each renderer's clips ring: 2 units for the ensemble and split
// voices, 3 for the accompaniment and pulse voices; the melody's notes ring
// for their planned duration, cut at 2 s.
constexpr double kRingSeconds2Units = 1.0;
constexpr double kRingSeconds3Units = 1.5;
constexpr double kMelodyRingSeconds = 2.0;

// The onsets in a voice file: its non-zero samples after the 44-byte header
// that lie on the voice's grid of half-second units (counted from its first
// onset, since each voice has its own lead-in). A copy of R units reads 16
// bytes past the end of its clip, so the next clip's marked first sample
// shows up once more, off the grid: that one is not a note.
void collectOnsets(const std::string& path, int voice, double length, std::vector<Onset>& onsets) {
  constexpr std::uint64_t kSamplesPerUnit = 11025;
  platform::File file = platform::File::openForReading(path);
  if (!file.seek(44)) return;
  std::vector<std::int16_t> block(32768);
  std::uint64_t sample = 0;
  std::optional<std::uint64_t> first;
  while (const std::uint32_t got = file.read(block.data(), static_cast<std::uint32_t>(block.size() * 2))) {
    for (std::uint32_t i = 0; i < got / 2; ++i) {
      if (block[i] == 0) continue;
      const std::uint64_t at = sample + i;
      if (!first) first = at;
      if ((at - *first) % kSamplesPerUnit == 0) onsets.push_back({static_cast<double>(at) / 22050.0, length, voice});
    }
    sample += got / 2;
  }
}

class CountingHost : public render::RenderHost {
  void advanceProgress() override {}
  void showRemainingTime() override {}
  void abortGeneration() override {}
};

void writeVariableLength(std::string& out, std::uint32_t value) {
  std::string bytes(1, static_cast<char>(value & 0x7F));
  while (value >>= 7) bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
  out += bytes;
}

std::string bigEndian(std::uint32_t value, int bytes) {
  std::string out;
  for (int k = bytes - 1; k >= 0; --k) out += static_cast<char>((value >> (8 * k)) & 0xFF);
  return out;
}

// Format 0, one track: a note on channel (voice mod 15, skipping the drums).
std::string midiFile(const std::vector<Onset>& onsets, double lengthSeconds) {
  struct Event {
    std::uint32_t tick;
    int order;  // note-offs first at the same tick
    std::string bytes;
  };
  std::vector<Event> events;
  for (int channel = 0; channel < 16; ++channel) {
    if (channel != 9) events.push_back({0, 0, {static_cast<char>(0xC0 | channel), 0}});
  }
  for (std::size_t n = 0; n < onsets.size(); ++n) {
    const int slot = onsets[n].voice % 15;
    const int channel = slot < 9 ? slot : slot + 1;
    const int key = 36 + static_cast<int>((onsets[n].voice * 7 + n * 5) % 48);
    const auto on = static_cast<std::uint32_t>(onsets[n].seconds * kTicksPerSecond);
    const auto off = static_cast<std::uint32_t>((onsets[n].seconds + onsets[n].length) * kTicksPerSecond);
    events.push_back({on, 2, {static_cast<char>(0x90 | channel), static_cast<char>(key), kVelocity}});
    events.push_back({off, 1, {static_cast<char>(0x80 | channel), static_cast<char>(key), 0}});
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const Event& a, const Event& b) { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });

  std::string track;
  std::uint32_t now = 0;
  for (const Event& event : events) {
    writeVariableLength(track, event.tick - now);
    track += event.bytes;
    now = event.tick;
  }
  const auto end = std::max(now, static_cast<std::uint32_t>(lengthSeconds * kTicksPerSecond));
  writeVariableLength(track, end - now);
  track += std::string("\xFF\x2F\x00", 3);
  return "MThd" + bigEndian(6, 4) + bigEndian(0, 2) + bigEndian(1, 2) + bigEndian(kTicksPerQuarter, 2) + "MTrk" +
         bigEndian(static_cast<std::uint32_t>(track.size()), 4) + track;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Writes a MIDI file with the notes of a composed piece (their count and onsets)."};
  SettingTexts texts;
  std::string sessionText = "20240131";
  std::string outPath = "piece.mid";
  addSettingOptions(app, texts);
  app.add_option("--session-id", sessionText, "Session id of the piece")->capture_default_str();
  app.add_option("--out", outPath, "MIDI file to write")->capture_default_str();
  double density = 0;
  app.add_option("--density", density, "Write N evenly spaced notes a second instead of the piece's notes");
  CLI11_PARSE(app, argc, argv);
  CompositionSettings settings;
  const auto sessionId = parseSessionId(sessionText);
  if (const auto error = readSettingTexts(texts, settings); error || !sessionId) {
    std::fprintf(stderr, "brisolt-piece-midi: %s\n", error ? error->c_str() : "bad --session-id");
    return 2;
  }

  const char* base = std::getenv("TMPDIR");
  std::string folder = std::string(base && *base ? base : "/tmp") + "/brisolt-piece-midi-XXXXXX";
  if (!::mkdtemp(folder.data())) return 1;
  folder += "/";
  ::setenv("TMPDIR", folder.c_str(), 1);  // the voice files go here too
  test::writeSyntheticBank(folder + "Data.dat", {.markedBytes = 2});

  std::vector<Onset> onsets;
  int voice = 0;
  render::VoiceRenderers counting = render::programVoiceRenderers();
  const auto count = [&](render::VoiceResult result, double ring) {
    for (const std::string& path : result.paths) collectOnsets(path, voice++, ring, onsets);
    return result;
  };
  const render::VoiceRenderers real = counting;
  counting.melody = [&](compose::Composer& c, const std::string& d, render::EventCollector& e) {
    return count(real.melody(c, d, e), kMelodyRingSeconds);
  };
  const auto wrap = [&](const render::VoiceRenderers::Voice& renderer, double ring) {
    return [&count, renderer, ring](compose::Composer& c, const std::string& d, char l, render::EventCollector& e,
                                    int s) { return count(renderer(c, d, l, e, s), ring); };
  };
  counting.ensemble = wrap(real.ensemble, kRingSeconds2Units);
  counting.accompaniment = wrap(real.accompaniment, kRingSeconds3Units);
  counting.split = wrap(real.split, kRingSeconds2Units);
  counting.pulse = wrap(real.pulse, kRingSeconds3Units);

  compose::Composer composer;
  const Session session{folder, "piece_"};
  const PlanStep plan = planSession(composer, settings, session, sessionId);
  audio::FileMixer mixer;
  CountingHost host;
  const int rendered = plan.ok() ? render::render(composer, mixer, folder + "Data.dat", session.outputPrefix(), host,
                                                  counting)
                                 : render::kRenderStopped;
  std::filesystem::remove_all(folder);
  if (rendered != render::kRenderDone) {
    std::fprintf(stderr, "brisolt-piece-midi: the piece could not be composed\n");
    return 1;
  }

  const double lengthSeconds = composer.plan().barCount * 4.0 + 3.0;
  if (density > 0) {
    constexpr int kDenseVoices = 21;
    onsets.clear();
    for (int n = 0; n / density < lengthSeconds - kRingSeconds3Units; ++n) {
      onsets.push_back({n / density, kRingSeconds2Units, n % kDenseVoices});
    }
    voice = kDenseVoices;
  }
  std::ofstream(outPath, std::ios::binary) << midiFile(onsets, lengthSeconds);
  std::printf("notes=%zu voice_files=%d length_s=%.1f notes_per_s=%.1f\n", onsets.size(), voice, lengthSeconds,
              static_cast<double>(onsets.size()) / lengthSeconds);
  return 0;
}
