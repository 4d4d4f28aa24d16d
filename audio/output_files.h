// The two kinds of file a session leaves in the archive folder: the final mix
// of a Generate, and the phrase excerpts that Save Session cuts out of it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brisolt::audio {

inline constexpr std::string_view kFinalMixSuffix = "Pelko.wav";

// Every phrase is 16 bars of 176400 bytes, whatever the tempo.
inline constexpr int kBarsPerPhrase = 16;
inline constexpr std::uint32_t kBytesPerBar = 176400;
inline constexpr std::uint32_t kPhraseExcerptLength = kBarsPerPhrase * kBytesPerBar;  // 2822400

// The lead-in of silence before the first bar of the final mix.
inline constexpr double kLeadInMillisecondsAtTempo60 = 469;
inline constexpr double kLeadInMillisecondsOtherwise = 312;
// The excerpt is counted from byte 40 of the final mix, not from the end of
// its 44-byte header: it begins two samples before the end of the lead-in.
inline constexpr std::uint32_t kExcerptBaseOffset = 40;

enum ExcerptResult : int {
  kExcerptWritten = 0,
  kExcerptNoFinalMix = 1,     // the final mix cannot be opened; no excerpt was made
  kExcerptNotCreated = 2,     // the excerpt file cannot be created
  kExcerptShort = 3,          // the final mix ended early: the excerpt holds what there was
};

// outputPrefix (archive folder + session prefix) + "Pelko.wav".
std::string finalMixPath(const std::string& outputPrefix);

// "%s%sPelko_%.2d.wav" of folder, prefix and phrase: 240131_142507_Pelko_07.wav.
std::string phraseExcerptPath(const std::string& folder, const std::string& prefix, int phrase);

// Where phrase `phrase` (1 or more) starts in the final mix of a piece
// planned at `pieceTempo`: lead-in bytes + 40 + (phrase - 1) x 2822400.
std::uint32_t phraseExcerptOffset(int phrase, int pieceTempo);

// Writes phrase `phrase` of folder + prefix + "Pelko.wav" as its own file:
// 2822400 bytes of the mix behind a header predicted for 16 bars at `tempo`
// (which declares 2954700 bytes at tempo 60). `pieceTempo` is the tempo the
// piece was planned at (the Composer's), which fixes the lead-in. The final
// mix must not be held open elsewhere (files are not shared).
int writePhraseExcerpt(const std::string& folder, const std::string& prefix, int phrase, int tempo, int pieceTempo);

}  // namespace brisolt::audio
