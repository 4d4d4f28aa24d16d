// Why a voice file could not be written, kept where the failure happened so
// that the message can name the voice, the key, the layer, the file and the
// system's error instead of guessing.
#pragma once

#include <string>

namespace brisolt::render {

enum class VoiceFailureKind {
  kNone,
  kNoTemporaryFile,  // the temporary folder would not take the voice file
  kNoSampleData,     // the sample data file could not be opened for reading
  kNoOutput,         // the voice file could not be created
  kNoClip,           // the bank has no clip for the key and layer asked for
  kShortCopy,        // a clip copy came up short (read or write)
  kShortSilence,     // a silence copy came up short
};

struct VoiceFailure {
  VoiceFailureKind kind = VoiceFailureKind::kNone;
  int key = 0;
  int layer = 0;
  std::string file;     // the file concerned, when one is
  int systemError = 0;  // errno at the failure, 0 when none applies
};

// "voice C: key 8 has no layer 4 clip in the sample data" and the like;
// `letter` 0 names the melody.
std::string describeVoiceFailure(const VoiceFailure& failure, char letter);

// The failure most recently recorded on this thread by a voice file (kNone
// before any), and its recording.
const VoiceFailure& lastVoiceFailure();
void recordVoiceFailure(VoiceFailure failure);

// What the render driver keeps of a failed renderer call: the described
// failure of voice `letter`, also written to the standard error stream. The
// text stays until the next call; lastRenderFailure() reads it (empty when
// the last run failed for no recorded reason).
void reportVoiceFailure(char letter);
const std::string& lastRenderFailure();
void clearRenderFailure();

}  // namespace brisolt::render
