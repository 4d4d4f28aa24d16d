// The score as MIDI and as the rendition's notes, and the files they become.
#include "session/piece_exports.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

#include "midi/midi_file_writer.h"
#include "midi/velocity_curve.h"
#include "rendition/rendition.h"

namespace brisolt {
namespace {

// The tonics of the key signatures 1..12 as the plan shows them.
constexpr std::array<std::string_view, 12> kTonicNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                          "F#", "G",  "G#", "A",  "A#", "B"};

int keySignatureOf(const std::string& displayName) {
  const auto found = std::find(kTonicNames.begin(), kTonicNames.end(), displayName);
  return found == kTonicNames.end() ? 0 : static_cast<int>(found - kTonicNames.begin()) + 1;
}

// The voices of the score, each once, in the order their files were written
// (then any voice with clips but no closed file).
std::vector<render::VoiceId> voicesOf(const render::Score& score) {
  std::vector<render::VoiceId> voices;
  const auto add = [&voices](render::VoiceId voice) {
    if (std::find(voices.begin(), voices.end(), voice) == voices.end()) voices.push_back(voice);
  };
  for (const render::ScoreFile& file : score.files) add(file.voice);
  for (const render::PlacedNote& note : score.notes) add(note.voice);
  return voices;
}

bool earlier(const render::PlacedNote& a, const render::PlacedNote& b) { return a.start < b.start; }

}  // namespace

ScoreNoteTime noteTimeOnMix(const render::PlacedNote& note) {
  return {note.startSeconds(), render::bytesToSeconds(note.start + note.clipBytes())};
}

midi::MidiPiece midiPieceOf(const render::Score& score, const compose::PiecePlan& plan) {
  midi::MidiPiece piece;
  piece.keySignature = keySignatureOf(plan.keyDisplayName);
  piece.mode = piece.keySignature == 0         ? midi::MidiMode::kNone
               : plan.modeFamily == "Min" ? midi::MidiMode::kMinor
                                               : midi::MidiMode::kMajor;
  if (piece.keySignature == 0) piece.keySignature = 1;
  piece.keyName = plan.keyDisplayName;
  piece.scaleName = plan.modeFamily == "Min" ? "Minor" : plan.modeFamily == "Maj" ? "Major" : plan.modeFamily;
  piece.sessionId = plan.sessionId;
  for (const render::VoiceId voice : voicesOf(score)) {
    std::vector<render::PlacedNote> clips;
    std::copy_if(score.notes.begin(), score.notes.end(), std::back_inserter(clips),
                 [voice](const render::PlacedNote& note) { return note.voice == voice; });
    std::stable_sort(clips.begin(), clips.end(), earlier);
    midi::MidiVoiceTrack track{voice.name(), {}};
    for (const render::PlacedNote& clip : clips) {
      const ScoreNoteTime time = noteTimeOnMix(clip);
      track.notes.push_back({clip.key, time.startSeconds, time.endSeconds,
                             midi::velocityForAttenuationStep(clip.step)});
    }
    piece.tracks.push_back(std::move(track));
  }
  return piece;
}

std::vector<rendition::RenditionNote> renditionNotesOf(const render::Score& score) {
  std::vector<render::PlacedNote> clips = score.notes;
  std::stable_sort(clips.begin(), clips.end(), earlier);
  std::vector<rendition::RenditionNote> notes;
  notes.reserve(clips.size());
  for (const render::PlacedNote& clip : clips) {
    const ScoreNoteTime time = noteTimeOnMix(clip);
    notes.push_back({clip.key, time.startSeconds, time.endSeconds, midi::velocityForAttenuationStep(clip.step)});
  }
  return notes;
}

double mixSecondsOf(const render::Score& score) {
  double seconds = 0.0;
  for (const render::ScoreFile& file : score.files) seconds = std::max(seconds, file.seconds());
  return seconds;
}

PieceExports writePieceExports(const render::Score& score, const compose::PiecePlan& plan,
                               const std::string& outputPrefix, const std::string& soundfontPath,
                               const rendition::RenditionProgress& progress) {
  PieceExports exports;
  exports.midi = midiPieceOf(score, plan);
  const midi::MidiWrite midiWrite = midi::writeMidiFile(exports.midi, outputPrefix + std::string(kMidiFileSuffix));
  exports.midiWritten = midiWrite.result == midi::MidiWriteResult::kOk;
  exports.midiProblem = midiWrite.message;

  rendition::RenditionRequest request;
  request.notes = renditionNotesOf(score);
  request.lengthSeconds = mixSecondsOf(score);
  request.soundfontPath = soundfontPath;
  request.progress = progress;
  const rendition::Rendition made =
      rendition::renderRendition(request, outputPrefix + std::string(kRenditionSuffix));
  exports.renditionWritten = made.result == rendition::RenditionResult::kOk;
  exports.renditionStopped = made.result == rendition::RenditionResult::kStopped;
  exports.renditionProblem = made.message;
  return exports;
}

}  // namespace brisolt
