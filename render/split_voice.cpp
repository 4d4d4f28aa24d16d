// renderSplitVoice: the ornament voices k, l, U and V, which move the melody
// by one or two scale degrees and are dealt to two files like the melody;
// layer 1 clips ringing for two units.
#include <optional>

#include "render/note_streams.h"
#include "render/voice_moves.h"
#include "render/voice_notes.h"
#include "render/voice_patterns.h"
#include "render/voice_renderers.h"
#include "render/voice_table.h"

namespace brisolt::render {
namespace {

constexpr int kLayer = 1;
constexpr int kRingUnits = 2;
constexpr int kIdleStep = 9;  // the step of the other stream's silent entry

// The key the note sounds on, or nothing when it is silent.
std::optional<int> keyOf(compose::Composer& composer, const SplitVoice& voice, const ModeIntervals& mode,
                         const VoiceNote& note) {
  if (note.character == '0' || note.planned.barMask == '0') return std::nullopt;
  if (voice.longestSoundingD && note.planned.duration > *voice.longestSoundingD) return std::nullopt;
  const std::optional<int> key = moveKey(splitVoiceMoves(), note.character, note.planned.key, composer, mode);
  if (!key || !composer.isScaleKey(*key) || composer.isTonic(*key)) return std::nullopt;
  return key;
}

// Writes one note of a stream; the debt of a one-unit note is paid by the
// silent entry that follows it in the same stream.
class StreamPlacement {
 public:
  bool operator()(VoiceFile& file, const std::vector<StreamNote>& notes, std::size_t index) {
    if (index == 0) debt_ = 0;  // a new file
    const StreamNote& note = notes[index];
    if (note.key == 0) {
      file.rest(note.duration, debt_);
      return true;
    }
    const bool last = index + 1 == notes.size();
    if (note.duration == 1 && last) return file.clip(note.key, kLayer, unitsToBytes(1), note.step);
    if (!file.clip(note.key, kLayer, unitsToBytes(kRingUnits), note.step)) return false;
    if (note.duration == 1) debt_ = 1;
    file.silenceUnits(note.duration - kRingUnits);
    return true;
  }

 private:
  int debt_ = 0;
};

}  // namespace

VoiceResult renderSplitVoice(compose::Composer& composer, const std::string& sampleDataPath, char voiceLetter,
                             EventCollector& events, int /*step*/) {
  const SplitVoice* voice = builtinVoiceTable().split(voiceLetter);
  if (voice == nullptr) return {};
  audio::SampleBank bank;
  const ModeIntervals mode = modeIntervals(composer.plan().modeFamily);

  // Every split voice takes its steps from the dynamics; the caller's step has no effect.
  NoteStreams streams(composer.plan().noteCount);
  VoiceNotes notes(composer, voice->common.groupDigit, builtinVoicePatterns().find(voiceLetter), std::nullopt);
  StreamFiles files;
  VoiceNote note;
  for (WalkStep step; (step = notes.next(note)) != WalkStep::kEnd;) {
    if (step == WalkStep::kCancelled) return files.cancelled();
    streams.deal(keyOf(composer, *voice, mode, note).value_or(0), note.planned.duration, note.step, kIdleStep);
  }
  return writeStreamFiles(composer, bank, sampleDataPath, voice->common.leadInMs, streams, files, events,
                          VoiceId::ofLetter(voiceLetter), StreamPlacement());
}

}  // namespace brisolt::render
