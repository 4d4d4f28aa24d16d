// The score as a JSON text (score.json), for keeping beside a session's log
// and for tools that read the notes of a piece:
//   {"format": "brisolt-score", "version": 1, "bytesPerSecond": 44100, "headerBytes": 44,
//    "files": [{"voice": "melody", "file": 0, "dataBytes": 14377596}, ...],
//    "notes": [{"voice": "a", "file": 0, "key": 37, "layer": 1, "step": 8,
//               "start": 44100, "length": 44100, "cut": false}, ...]}
// A voice is "melody" or its one-character letter.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "render/score.h"

namespace brisolt::render {

// A session's score lies beside its log: outputPrefix (archive folder +
// session prefix) + "score.json".
inline constexpr std::string_view kScoreFileSuffix = "score.json";
std::string scoreFilePath(const std::string& outputPrefix);

std::string scoreToJson(const Score& score);

struct ScoreParse {
  std::optional<Score> score;  // nothing when the text is not a score
  std::string error;           // what was wrong, when there is no score
};
ScoreParse scoreFromJson(std::string_view text);

// Writes scoreToJson(score) to `path` (replacing it); false when the file
// could not be written completely.
bool writeScoreFile(const Score& score, const std::string& path);
// Reads a file written by writeScoreFile; the error names the path.
ScoreParse readScoreFile(const std::string& path);

}  // namespace brisolt::render
