// How `brisolt plan` shows a planned piece: one JSON object for programs, or
// a page of text for a person.
#pragma once

#include <string>

#include "compose/composer.h"

namespace brisolt {

// One JSON object with the fields sessionId, variationIndex, variationOffset,
// stretchFactor, barCount, noteCount, tempo, modeFamily, keyDisplayName,
// scaleKeys, phraseDigitOrders, barPitches, barRhythms, dynamics and logFile (when a log was kept),
// in this order, followed by a line feed.
std::string planAsJson(const compose::Composer& composer, const std::string& logFile);

// A summary of the plan and its bars phrase by phrase, with note names.
// `scaleName` is the name of the scale the piece was planned in.
std::string planAsText(const compose::Composer& composer, const std::string& scaleName, const std::string& logFile);

}  // namespace brisolt
