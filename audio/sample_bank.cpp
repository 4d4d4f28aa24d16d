// Offset lookups over the clip table, and the bank's WAV operations.
#include "audio/sample_bank.h"

#include <cstdlib>

namespace brisolt::audio {
namespace {

// The usual leading-digits conversion of a piece of a name: 0 when it does
// not start with a digit.
int leadingNumber(std::string_view text) {
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string lowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

constexpr std::string_view kSilenceLookupName = "_aa_silence.wav";
// Where a clip name keeps its key digits and its layer digit (from 0).
constexpr std::size_t kKeyDigitsAt = 2;
constexpr std::size_t kLayerDigitAt = 9;

}  // namespace

SampleBank::SampleBank() : copyBuffer_(std::make_unique<CopyBuffer>()) {
  for (const SampleClip& clip : sampleTable()) {
    names_.push_back(clip.name);
    sizes_.push_back(clip.size);
  }
  for (auto& row : offsets_) row.fill(kNoClip);
  for (int key = kFirstKey; key <= kLastKey; ++key) {
    for (int layer = 1; layer < kLayerColumns; ++layer) offsets_[key][layer] = findSampleOffset(key, layer);
  }
  silenceOffset_ = kNoClip;
  silenceOffset_ = findSampleOffsetByName(kSilenceLookupName);
  for (int layer = 1; layer < kLayerColumns; ++layer) offsets_[kSilenceKey][layer] = silenceOffset_;
}

SampleBank::~SampleBank() = default;

std::int32_t SampleBank::sampleOffset(int key, int layer) const {
  layer = clipLayer(layer);
  if (key < 0 || key >= kKeyRows || layer < 0 || layer >= kLayerColumns) return kNoClip;
  return offsets_[key][layer];
}

std::int32_t SampleBank::findSampleOffset(int key, int layer) const {
  if (key == kSilenceKey && silenceOffset_ != kNoClip) return silenceOffset_;
  std::int64_t total = 0;
  for (std::size_t i = 0; i < names_.size(); ++i) {
    const std::string_view name = names_[i];
    const int nameKey = name.size() > kKeyDigitsAt ? leadingNumber(name.substr(kKeyDigitsAt, 2)) : 0;
    if (nameKey == key) {
      const int nameLayer = name.size() > kLayerDigitAt ? leadingNumber(name.substr(kLayerDigitAt, 1)) : 0;
      if (nameLayer == layer) return static_cast<std::int32_t>(total);
    }
    total += sizes_[i];
  }
  return kNoClip;
}

std::int32_t SampleBank::findSampleOffsetByName(std::string_view name) const {
  // The substring test is case-sensitive: "Silence.wav" names no clip.
  const std::string wanted =
      name.find("silence") != std::string_view::npos ? std::string(kSilenceLookupName) : lowerCase(name);
  if (wanted == kSilenceLookupName && silenceOffset_ != kNoClip) return silenceOffset_;
  std::int64_t total = 0;
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (lowerCase(names_[i]) == wanted) return static_cast<std::int32_t>(total);
    total += sizes_[i];
  }
  return kNoClip;
}

platform::File SampleBank::createWaveFile(const std::string& path, int bars, int tempo) {
  return audio::createWaveFile(path, bars, tempo, header_);
}

std::int32_t SampleBank::copyScaled(platform::File& source, platform::File& destination, std::uint32_t offset,
                                    std::uint32_t length, int step) {
  return audio::copyScaled(source, destination, offset, length, step, *copyBuffer_);
}

std::int32_t SampleBank::copyScaledCut(platform::File& source, platform::File& destination,
                                       std::uint32_t offset, std::uint32_t length, int step) {
  return audio::copyScaledCut(source, destination, offset, length, step, silenceOffset_, *copyBuffer_);
}

std::int32_t SampleBank::copyRaw(platform::File& source, platform::File& destination, std::uint32_t offset,
                                 std::uint32_t length) {
  return audio::copyRaw(source, destination, offset, length, *copyBuffer_);
}

}  // namespace brisolt::audio
