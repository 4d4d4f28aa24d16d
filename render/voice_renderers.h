// The five voice renderers. Each writes one voice of the planned piece into
// one or two temporary WAV files by copying clips of the sample data file,
// reading the plan bar by bar from the Composer (rewound by the caller), and
// reports every clip it places to the event collector. The files are made
// with platform::createTemporaryFile.
#pragma once

#include <string>
#include <vector>

#include "compose/composer.h"
#include "render/score.h"

namespace brisolt::render {

enum class VoiceEnd {
  kWritten,    // every file named is complete and closed
  kCancelled,  // the cancel flag stopped it
  kFailed,     // no sample data, no output, a missing clip, a short write, or a letter the renderer does not own
};

// What a renderer call leaves behind.
//   written:   its files (the melody and the split voices two, the others one), in the order written.
//   cancelled: the files begun so far, closed where they stopped and left for
//              the caller to delete. The melody makes both files before its
//              first note, so it always names both; a split voice stopped
//              before its second pass names none.
//   failed:    no paths; no file of the call is left behind.
struct VoiceResult {
  std::vector<std::string> paths;
  VoiceEnd end = VoiceEnd::kFailed;

  bool cancelled() const { return end == VoiceEnd::kCancelled; }
  bool failed() const { return end == VoiceEnd::kFailed; }
};

VoiceResult renderMelody(compose::Composer& composer, const std::string& sampleDataPath, EventCollector& events);

VoiceResult renderEnsembleVoice(compose::Composer& composer, const std::string& sampleDataPath, char voiceLetter,
                                EventCollector& events, int step);

VoiceResult renderAccompanimentVoice(compose::Composer& composer, const std::string& sampleDataPath,
                                     char voiceLetter, EventCollector& events, int step);

// Takes its steps from the dynamics: `step` has no effect.
VoiceResult renderSplitVoice(compose::Composer& composer, const std::string& sampleDataPath, char voiceLetter,
                             EventCollector& events, int step);

VoiceResult renderPulseVoice(compose::Composer& composer, const std::string& sampleDataPath, char voiceLetter,
                             EventCollector& events, int step);

}  // namespace brisolt::render
