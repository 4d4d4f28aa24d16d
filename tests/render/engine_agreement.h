// Both render engines on one piece, side by side: the file render is the
// oracle, and the streaming render must give its final mix byte for byte,
// the same phrase excerpts, the same score and the same progress. Also the
// pieces of the seed sweep and the real sample bank the sweeps may use.
#pragma once

#include <string>

#include "tests/render/piece_test_support.h"

namespace brisolt::test {

// Piece number `index` of the sweep: seed, key, scale, motif and phrase
// modes, motif form, similarity, voice set and tempo spread over their
// ranges; 5 or 10 phrases, and 90 for every 37th piece from the 24th on.
PieceSettings sweepPiece(int index);
inline constexpr int kFirstLongSweepPiece = 23;
inline constexpr int kLongSweepEvery = 37;

// Data.dat as brisolt-make-bank builds it from the General MIDI SoundFont,
// written once per test process; empty when it cannot be built here, and
// realBankMissing() then says why.
const std::string& realBankPath();
const std::string& realBankMissing();

// Renders `piece` on the bank at `bankPath` with the file engine and then the
// streaming engine, into `folder` (the test's temporary folder), and expects
// the same final mix, score, progress steps and mixes; with `excerpts`, also
// the same excerpts of the first and the last phrase. Removes what it wrote.
void expectEnginesAgree(const std::string& folder, const std::string& bankPath, const PieceSettings& piece,
                        bool excerpts = false);

}  // namespace brisolt::test
