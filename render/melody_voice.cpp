// renderMelody: the planned melody itself, folded into 13..56, dealt to two
// files so that each note can ring one unit into the next; every note takes
// the clip whose layer is its duration, cut at 2 s.
#include "render/note_streams.h"
#include "render/voice_notes.h"
#include "render/voice_renderers.h"

namespace brisolt::render {
namespace {

constexpr int kLeadInMs = 1000;
constexpr int kLowestKey = 13;
constexpr int kHighestKey = 56;
constexpr int kIdleStep = 0;  // the step of the other stream's silent entry
// The melody has no voice letter and no bar mask; the walk needs some group.
constexpr int kAnyGroup = 0;

// A key: its duration and one unit more (exactly its duration as the last
// note of the file). A silent entry: its duration less the unit the previous
// note of this stream already rang into it (all of it at the start).
bool placeNote(VoiceFile& file, const std::vector<StreamNote>& notes, std::size_t index) {
  const StreamNote& note = notes[index];
  if (note.key == 0) {
    file.silenceUnits(index == 0 ? note.duration : note.duration - 1);
    return true;
  }
  const bool last = index + 1 == notes.size();
  return file.clipCut(note.key, note.duration, unitsToBytes(last ? note.duration : note.duration + 1), note.step);
}

}  // namespace

VoiceResult renderMelody(compose::Composer& composer, const std::string& sampleDataPath, EventCollector& events) {
  audio::SampleBank bank;
  StreamFiles files;
  if (!files.create() || !files.create()) return files.failed();

  NoteStreams streams(composer.plan().noteCount);
  VoiceNotes notes(composer, kAnyGroup, {}, std::nullopt);
  VoiceNote note;
  for (WalkStep step; (step = notes.next(note)) != WalkStep::kEnd;) {
    if (step == WalkStep::kCancelled) return files.cancelled();
    const int key = compose::Composer::foldIntoRange(note.planned.key, kLowestKey, kHighestKey);
    streams.deal(key, note.planned.duration, note.step, kIdleStep);
  }
  return writeStreamFiles(composer, bank, sampleDataPath, kLeadInMs, streams, files, events,
                          VoiceId::melody(), placeNote);
}

}  // namespace brisolt::render
