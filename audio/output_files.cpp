// Names of the final mix and of phrase excerpts, and the excerpt's copy.
#include "audio/output_files.h"

#include <cstdio>
#include <limits>
#include <memory>

#include "audio/wave_copy.h"
#include "audio/wave_format.h"
#include "platform/files/file_handle.h"

namespace brisolt::audio {
namespace {

constexpr int kTempoOfTheLongLeadIn = 60;

}  // namespace

std::string finalMixPath(const std::string& outputPrefix) { return outputPrefix + std::string(kFinalMixSuffix); }

std::string phraseExcerptPath(const std::string& folder, const std::string& prefix, int phrase) {
  const int size = std::snprintf(nullptr, 0, "%s%sPelko_%.2d.wav", folder.c_str(), prefix.c_str(), phrase);
  std::string path(static_cast<std::size_t>(size), '\0');
  std::snprintf(path.data(), path.size() + 1, "%s%sPelko_%.2d.wav", folder.c_str(), prefix.c_str(), phrase);
  return path;
}

std::uint32_t phraseExcerptOffset(int phrase, int pieceTempo) {
  const double leadIn = pieceTempo == kTempoOfTheLongLeadIn ? kLeadInMillisecondsAtTempo60 : kLeadInMillisecondsOtherwise;
  const std::uint64_t offset = std::uint64_t{millisecondsToBytes(leadIn)} + kExcerptBaseOffset +
                               static_cast<std::uint64_t>(phrase - 1) * kPhraseExcerptLength;
  // A phrase past anything a file can hold reads as the end of the mix.
  return offset > std::numeric_limits<std::uint32_t>::max() ? std::numeric_limits<std::uint32_t>::max()
                                                            : static_cast<std::uint32_t>(offset);
}

int writePhraseExcerpt(const std::string& folder, const std::string& prefix, int phrase, int tempo, int pieceTempo) {
  platform::File mix = platform::File::openForReading(finalMixPath(folder + prefix));
  if (!mix) return kExcerptNoFinalMix;

  HeaderTemplate header{};
  platform::File excerpt = createWaveFile(phraseExcerptPath(folder, prefix, phrase), kBarsPerPhrase, tempo, header);
  if (!excerpt) return kExcerptNotCreated;

  const auto buffer = std::make_unique<CopyBuffer>();
  const std::int32_t copied =
      copyRaw(mix, excerpt, phraseExcerptOffset(phrase, pieceTempo), kPhraseExcerptLength, *buffer);
  return copied == static_cast<std::int32_t>(kPhraseExcerptLength) ? kExcerptWritten : kExcerptShort;
}

}  // namespace brisolt::audio
