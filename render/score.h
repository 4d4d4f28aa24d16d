// The score of a render: every clip the renderers placed and the data length
// of every voice file they wrote, enough to rebuild each voice file byte for
// byte from the sample data, to write the notes as MIDI or to draw them. The
// event collector is what the renderers report to while they write.
#pragma once

#include <cstdint>
#include <vector>

#include "render/placed_note.h"

namespace brisolt::render {

// One voice file as it was closed.
struct ScoreFile {
  VoiceId voice;
  int file = 0;                // 0 or 1, as in PlacedNote
  std::uint64_t dataBytes = 0; // the data after the 44-byte header

  double seconds() const { return bytesToSeconds(dataBytes); }
  friend bool operator==(const ScoreFile&, const ScoreFile&) = default;
};

struct Score {
  std::vector<ScoreFile> files;   // in the order they were written
  std::vector<PlacedNote> notes;  // in the order they were placed: file by file, by start within a file

  // The notes of one voice file, by start.
  std::vector<PlacedNote> notesOf(VoiceId voice, int file) const;
  // The closed file of `voice`, or nullptr when there is none.
  const ScoreFile* findFile(VoiceId voice, int file) const;

  friend bool operator==(const Score&, const Score&) = default;
};

// The part of `score` from byte `startByte` of the timeline for
// `lengthBytes`, moved to start at 0: the notes struck within it (a note may
// ring on past its end, as in the whole piece) and every file cut to the
// part's length.
Score scoreExcerpt(const Score& score, std::uint64_t startByte, std::uint64_t lengthBytes);

// What every renderer reports to: each clip as it is placed, each voice file
// as it is closed. The render driver keeps one per run.
class EventCollector {
 public:
  void notePlaced(const PlacedNote& note) { score_.notes.push_back(note); }
  void fileClosed(const ScoreFile& file) { score_.files.push_back(file); }

  const Score& score() const { return score_; }
  // Hands the score over and starts an empty one.
  Score takeScore();

  // Plan only: voice files reporting here copy nothing and write no audio;
  // they record the same score as a real render, and a copy fails where it
  // would run past the end of a sample data file of `sampleDataBytes`.
  void planOnly(std::uint64_t sampleDataBytes) {
    planOnly_ = true;
    sampleDataBytes_ = sampleDataBytes;
  }
  bool plansOnly() const { return planOnly_; }
  std::uint64_t sampleDataBytes() const { return sampleDataBytes_; }

 private:
  Score score_;
  bool planOnly_ = false;
  std::uint64_t sampleDataBytes_ = 0;
};

// Where a voice file reports its clips: the collector, the voice and which
// of its files is being written.
struct ScoreTrack {
  EventCollector* events = nullptr;  // nullptr: nobody listens
  VoiceId voice;
  int file = 0;
};

}  // namespace brisolt::render
