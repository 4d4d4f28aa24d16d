// The two streams of the voices that are written as two files (the melody
// and the split voices): the planned notes are dealt alternately to stream 0
// and stream 1, the other stream taking a silent entry of the same length, so
// that a clip of one file can ring on while the next note sounds from the
// other.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "audio/sample_bank.h"

#include "compose/composer.h"
#include "render/planned_notes.h"
#include "render/voice_file.h"

namespace brisolt::render {

struct StreamNote {
  int key = 0;  // 0: silent in this stream
  int duration = 0;
  int step = 1;
};

class NoteStreams {
 public:
  explicit NoteStreams(int noteCount);

  // Gives the note to the stream whose turn it is and a silent entry with
  // `idleStep` to the other; then the turn passes.
  void deal(int key, int duration, int step, int idleStep);

  const std::vector<StreamNote>& stream(int index) const { return streams_[static_cast<std::size_t>(index)]; }

 private:
  std::array<std::vector<StreamNote>, 2> streams_;
  std::size_t turn_ = 0;
};

// Writes the notes of one stream into `file` with `place`(file, notes,
// index), pumping one message and polling the cancel flag before every note.
template <typename Place>
VoiceOutcome writeStream(compose::Composer& composer, VoiceFile& file, const std::vector<StreamNote>& notes,
                         Place&& place) {
  for (std::size_t index = 0; index < notes.size(); ++index) {
    if (stopRequested(composer)) return VoiceOutcome::kCancelled;
    if (!place(file, notes, index)) return VoiceOutcome::kFailed;
  }
  return VoiceOutcome::kWritten;
}

// The files of a two-stream voice, made one by one in the temporary folder,
// and the renderer results that name them.
class StreamFiles {
 public:
  // Makes the next file; false when the temporary folder refused it.
  bool create();
  std::size_t count() const { return paths_.size(); }
  const std::string& path(std::size_t index) const { return paths_[index]; }

  // The files made so far (none when none has been made yet).
  VoiceResult cancelled() const { return {paths_, VoiceEnd::kCancelled}; }
  // Removes every file made so far (nobody can name them after a failure).
  VoiceResult failed();
  VoiceResult written() const { return {paths_, VoiceEnd::kWritten}; }

 private:
  std::vector<std::string> paths_;
};

// The second pass of a two-stream voice: stream 0 and then stream 1, each
// written with writeVoiceFile into files.path(i) (made now when `files` does
// not hold it yet) as file i of `voice`, with `place` for its notes.
template <typename Place>
VoiceResult writeStreamFiles(compose::Composer& composer, audio::SampleBank& bank, const std::string& sampleDataPath,
                             int leadInMs, const NoteStreams& streams, StreamFiles& files, EventCollector& events,
                             VoiceId voice, Place&& place) {
  for (std::size_t index = 0; index < 2; ++index) {
    if (files.count() <= index && !files.create()) return files.failed();
    const auto& notes = streams.stream(static_cast<int>(index));
    const VoiceOutcome outcome = writeVoiceFile(
        composer.plan(), bank, sampleDataPath, files.path(index), leadInMs,
        [&](VoiceFile& file) { return writeStream(composer, file, notes, place); },
        {&events, voice, static_cast<int>(index)});
    if (outcome == VoiceOutcome::kCancelled) return files.cancelled();
    if (outcome == VoiceOutcome::kFailed) return files.failed();
  }
  return files.written();
}

}  // namespace brisolt::render
