// The five voice renderers. Each writes one voice of the planned piece into
// one or two temporary WAV files by copying clips of the sample data file,
// reading the plan bar by bar from the Composer (rewound by the caller).
//
// Results: the output path (two paths for the melody and the split voices),
// an empty text when the voice could not be written, or the path(s) followed
// by "*" when the Composer's cancel flag stopped it.
//   renderMelody:     first "\n" second "\n"        (cancel: first "\n" second "*")
//   renderSplitVoice: first "\n" second             (cancel: path "*", or "*" alone)
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
