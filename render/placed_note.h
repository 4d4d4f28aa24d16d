// One clip as a renderer placed it in a voice file: which voice and which of
// its files, which clip at which attenuation step, and where it lies on that
// file's timeline. Positions are bytes of the file's data (after its 44-byte
// header) at 44100 bytes per second.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "audio/wave_copy.h"
#include "audio/wave_format.h"

namespace brisolt::render {

// A voice of the piece. Every voice but the melody is named by its letter
// ('0'..'9', 'A'..'Z', 'a'..'z'); the melody has none and is told apart by
// isMelody, never by a letter value.
struct VoiceId {
  bool isMelody = false;
  char letter = 0;  // 0 for the melody

  static constexpr VoiceId melody() { return {true, 0}; }
  static constexpr VoiceId ofLetter(char letter) { return {false, letter}; }

  // "melody", or the letter as a one-character text.
  std::string name() const { return isMelody ? std::string(kMelodyName) : std::string(1, letter); }
  // The voice a name() denotes; nothing for any other text.
  static std::optional<VoiceId> fromName(std::string_view name);

  static constexpr std::string_view kMelodyName = "melody";

  friend constexpr auto operator<=>(const VoiceId&, const VoiceId&) = default;
};

constexpr double bytesToSeconds(std::uint64_t bytes) {
  return static_cast<double>(bytes) / static_cast<double>(audio::kBytesPerSecond);
}

struct PlacedNote {
  VoiceId voice;
  int file = 0;   // 0 or 1: the melody and the split voices write two files, the others one
  int key = 0;    // 1..60
  int layer = 0;  // 1..4: the clip of the key that was copied (a request for layer 5 copies layer 4)
  int step = 1;   // attenuation step: gain 1.0 - 0.11 x (step - 1)
  std::uint64_t start = 0;   // first data byte of the copy in the voice file
  std::uint32_t length = 0;  // bytes the copy takes on the timeline
  // Only kCutLength bytes of the clip were copied, and silence for the rest
  // of the length (a melody note of more than 2.5 s).
  bool cut = false;

  // Bytes taken from the clip: the whole length, or kCutLength when cut.
  std::uint32_t clipBytes() const { return cut ? audio::kCutLength : length; }
  std::uint64_t end() const { return start + length; }
  double startSeconds() const { return bytesToSeconds(start); }
  double lengthSeconds() const { return bytesToSeconds(length); }

  friend bool operator==(const PlacedNote&, const PlacedNote&) = default;
};

}  // namespace brisolt::render
