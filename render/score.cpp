// Looking notes and files up in a score, and collecting it.
#include "render/score.h"

#include <algorithm>
#include <utility>

namespace brisolt::render {

std::optional<VoiceId> VoiceId::fromName(std::string_view name) {
  if (name == kMelodyName) return melody();
  if (name.size() == 1 && name[0] != 0) return ofLetter(name[0]);
  return std::nullopt;
}

std::vector<PlacedNote> Score::notesOf(VoiceId voice, int file) const {
  std::vector<PlacedNote> found;
  std::copy_if(notes.begin(), notes.end(), std::back_inserter(found),
               [&](const PlacedNote& note) { return note.voice == voice && note.file == file; });
  std::stable_sort(found.begin(), found.end(),
                   [](const PlacedNote& a, const PlacedNote& b) { return a.start < b.start; });
  return found;
}

const ScoreFile* Score::findFile(VoiceId voice, int file) const {
  const auto found = std::find_if(files.begin(), files.end(), [&](const ScoreFile& candidate) {
    return candidate.voice == voice && candidate.file == file;
  });
  return found == files.end() ? nullptr : &*found;
}

Score scoreExcerpt(const Score& score, std::uint64_t startByte, std::uint64_t lengthBytes) {
  Score excerpt;
  for (ScoreFile file : score.files) {
    file.dataBytes = file.dataBytes <= startByte ? 0 : std::min(file.dataBytes - startByte, lengthBytes);
    excerpt.files.push_back(file);
  }
  for (PlacedNote note : score.notes) {
    if (note.start < startByte || note.start - startByte >= lengthBytes) continue;
    note.start -= startByte;
    excerpt.notes.push_back(note);
  }
  return excerpt;
}

Score EventCollector::takeScore() { return std::exchange(score_, Score{}); }

}  // namespace brisolt::render
