// Standard MIDI File encoding: header chunk, conductor track, voice tracks.
#include "midi/midi_file_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "midi/midi_key.h"
#include "platform/files/file_handle.h"

namespace brisolt::midi {
namespace {

constexpr std::uint8_t kMetaEvent = 0xFF;
constexpr std::uint8_t kMetaText = 0x01;
constexpr std::uint8_t kMetaTrackName = 0x03;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
constexpr std::uint8_t kMetaTempo = 0x51;
constexpr std::uint8_t kMetaTimeSignature = 0x58;
constexpr std::uint8_t kMetaKeySignature = 0x59;
constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kProgramChange = 0xC0;
constexpr std::uint8_t kAcousticGrandPiano = 0;
constexpr int kDrumChannel = 9;  // channel 10 as users count

// Sharps (positive) or flats (negative) of the major key on each tonic,
// C, C#/Db, D ... B; the flat spelling where it needs fewer accidentals.
constexpr std::array<int, 12> kMajorAccidentals{0, -5, 2, -3, 4, -1, 6, 1, -4, 3, -2, 5};

void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// MIDI's variable-length quantity: seven bits a byte, high bit set on all but
// the last.
void appendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::array<std::uint8_t, 5> groups{};
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
  out.push_back(groups[0]);
}

// One track's events, kept in time order; at one tick, note-offs come first.
class TrackEvents {
 public:
  void add(std::uint32_t tick, std::vector<std::uint8_t> bytes) {
    const bool noteOff = (bytes[0] & 0xF0) == kNoteOff;
    events_.push_back({tick, noteOff ? 0 : 1, events_.size(), std::move(bytes)});
  }
  void addMeta(std::uint32_t tick, std::uint8_t type, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> bytes{kMetaEvent, type};
    appendVariableLength(bytes, static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    add(tick, std::move(bytes));
  }
  void addText(std::uint32_t tick, std::uint8_t type, const std::string& text) {
    addMeta(tick, type, std::vector<std::uint8_t>(text.begin(), text.end()));
  }

  // The "MTrk" chunk, closed by an end-of-track event after the last event.
  void appendChunk(std::vector<std::uint8_t>& out) {
    std::sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
      if (a.tick != b.tick) return a.tick < b.tick;
      if (a.rank != b.rank) return a.rank < b.rank;
      return a.sequence < b.sequence;
    });
    std::vector<std::uint8_t> body;
    std::uint32_t now = 0;
    for (const Event& event : events_) {
      appendVariableLength(body, event.tick - now);
      now = event.tick;
      body.insert(body.end(), event.bytes.begin(), event.bytes.end());
    }
    appendVariableLength(body, 0);
    body.insert(body.end(), {kMetaEvent, kMetaEndOfTrack, 0});
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    appendBigEndian(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
  }

 private:
  struct Event {
    std::uint32_t tick;
    int rank;
    std::size_t sequence;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Event> events_;
};

std::uint32_t tickOf(double seconds) {
  const double ticks = std::round(std::max(seconds, 0.0) * kTicksPerQuarter * 1e6 / kMicrosecondsPerQuarter);
  return static_cast<std::uint32_t>(std::min(ticks, 4.0e9));
}

std::uint8_t dataByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 127)); }

void appendConductorTrack(const MidiPiece& piece, std::vector<std::uint8_t>& out) {
  TrackEvents track;
  track.addText(0, kMetaTrackName, "Brisolt");
  track.addText(0, kMetaText, "Key " + piece.keyName);
  track.addText(0, kMetaText, "Scale " + piece.scaleName);
  track.addText(0, kMetaText, "Session " + std::to_string(piece.sessionId));
  std::vector<std::uint8_t> tempo;
  appendBigEndian(tempo, kMicrosecondsPerQuarter, 3);
  track.addMeta(0, kMetaTempo, tempo);
  track.addMeta(0, kMetaTimeSignature, {4, 2, 24, 8});  // 4/4, 24 clocks a click, 8 32nds a quarter
  if (piece.mode != MidiMode::kNone && piece.keySignature >= 1 && piece.keySignature <= 12) {
    const int tonic = piece.keySignature - 1;
    const bool minor = piece.mode == MidiMode::kMinor;
    // A minor key shares its signature with the major key a minor third up.
    const int accidentals = kMajorAccidentals[(tonic + (minor ? 3 : 0)) % 12];
    track.addMeta(0, kMetaKeySignature, {static_cast<std::uint8_t>(static_cast<std::int8_t>(accidentals)),
                                         static_cast<std::uint8_t>(minor ? 1 : 0)});
  }
  track.appendChunk(out);
}

void appendVoiceTrack(const MidiVoiceTrack& voice, int channel, std::vector<std::uint8_t>& out) {
  TrackEvents track;
  const auto status = [channel](std::uint8_t kind) { return static_cast<std::uint8_t>(kind | channel); };
  track.addText(0, kMetaTrackName, voice.name);
  track.add(0, {status(kProgramChange), kAcousticGrandPiano});

  std::vector<MidiNote> notes = voice.notes;
  std::stable_sort(notes.begin(), notes.end(),
                   [](const MidiNote& a, const MidiNote& b) { return a.startSeconds < b.startSeconds; });
  // Where each key's latest note ends: a new strike of a key that still
  // sounds ends the old note there, since one note-off cannot tell two
  // notes of a key apart.
  std::map<int, std::size_t> sounding;
  std::vector<std::uint32_t> onTicks(notes.size());
  std::vector<std::uint32_t> offTicks(notes.size());
  for (std::size_t i = 0; i < notes.size(); ++i) {
    onTicks[i] = tickOf(notes[i].startSeconds);
    offTicks[i] = std::max(tickOf(notes[i].endSeconds), onTicks[i] + 1);
    const auto previous = sounding.find(notes[i].key);
    if (previous != sounding.end() && offTicks[previous->second] > onTicks[i]) {
      offTicks[previous->second] = std::max(onTicks[i], onTicks[previous->second] + 1);
    }
    sounding[notes[i].key] = i;
  }
  for (std::size_t i = 0; i < notes.size(); ++i) {
    const std::uint8_t note = dataByte(midiNoteOfKey(notes[i].key));
    track.add(onTicks[i], {status(kNoteOn), note, dataByte(std::max(notes[i].velocity, 1))});
    track.add(offTicks[i], {status(kNoteOff), note, 0});
  }
  track.appendChunk(out);
}

}  // namespace

std::vector<std::uint8_t> encodeMidiFile(const MidiPiece& piece) {
  std::vector<std::uint8_t> out{'M', 'T', 'h', 'd'};
  appendBigEndian(out, 6, 4);
  appendBigEndian(out, 1, 2);  // format 1: simultaneous tracks
  appendBigEndian(out, static_cast<std::uint32_t>(piece.tracks.size() + 1), 2);
  appendBigEndian(out, kTicksPerQuarter, 2);
  appendConductorTrack(piece, out);
  int channel = 0;
  for (const MidiVoiceTrack& voice : piece.tracks) {
    appendVoiceTrack(voice, channel, out);
    channel = (channel + 1) % 16;
    if (channel == kDrumChannel) ++channel;
  }
  return out;
}

MidiWrite writeMidiFile(const MidiPiece& piece, const std::string& path) {
  const std::vector<std::uint8_t> bytes = encodeMidiFile(piece);
  platform::File file = platform::File::createForWriting(path);
  if (!file) {
    return {MidiWriteResult::kCannotCreate,
            "cannot create the MIDI file '" + path + "' (is the folder there and writable?)"};
  }
  if (file.write(bytes.data(), static_cast<std::uint32_t>(bytes.size())) != bytes.size()) {
    return {MidiWriteResult::kWriteFailed, "could not write all of the MIDI file '" + path + "' (is the disk full?)"};
  }
  return {};
}

}  // namespace brisolt::midi
