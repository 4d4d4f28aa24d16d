// The five voice renderers. Each writes one voice of the planned piece into
// one or two temporary WAV files by copying clips of the sample data file,
// reading the plan bar by bar from the Composer (rewound by the caller). The
// files are made with platform::createTemporaryFile, in the Composer's
// tempFolder.
//
// Results, and the files that exist afterwards:
//   written:  renderMelody "first\nsecond\n", renderSplitVoice "first\nsecond",
//             the others the one path; every named file is complete and closed.
//   failed:   "" (no sample data, no output, a missing clip, a short write, or
//             a voice letter the renderer does not own); no file of the call
//             is left behind.
//   stopped:  the files begun so far, separated by "\n", followed by "*"; they
//             are closed, hold what was written up to the stop and are left for
//             the caller to delete. The melody makes both files before its
//             first note, so it always names both ("first\nsecond*"); a split
//             voice stopped before its second pass names none ("*").
#pragma once

#include <string>

#include "compose/composer.h"

namespace brisolt::render {

// Handed to the pulse and split voices, which ignore it: a MIDI writer could
// collect their notes here.
struct MidiEventCollector {};

std::string renderMelody(compose::Composer& composer, const std::string& sampleDataPath);

std::string renderEnsembleVoice(compose::Composer& composer, const std::string& sampleDataPath,
                                char voiceLetter, int step);

std::string renderAccompanimentVoice(compose::Composer& composer, const std::string& sampleDataPath,
                                     char voiceLetter, int step);

std::string renderSplitVoice(compose::Composer& composer, const std::string& sampleDataPath,
                             char voiceLetter, MidiEventCollector& events, int step);

std::string renderPulseVoice(compose::Composer& composer, const std::string& sampleDataPath,
                             char voiceLetter, MidiEventCollector& events, int step);

}  // namespace brisolt::render
