// The twelve key signatures and twelve scales, and the 144 scale rows built
// from them: for every key and scale, the 35 key numbers 1..60 that belong to
// it. Read once from the embedded data/keys.txt and data/scales.txt.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace brisolt::compose {

inline constexpr int kKeySignatureCount = 12;
inline constexpr int kScaleCount = 12;
inline constexpr int kLowestKey = 1;   // C1
inline constexpr int kHighestKey = 60; // B5
inline constexpr int kScaleKeyCount = 35;  // seven pitch classes over five octaves

struct KeySignature {
  std::string storedName;   // as the settings file keeps it: "C", "CD", ...
  std::string displayName;  // as shown and logged: "C", "C#", ...
};

struct Scale {
  std::string name;                 // "Major", "Minor Harmonic", ...
  std::array<int, 7> pitchClasses;  // above the tonic, ascending, starting at 0
  std::string modeFamily;           // "Maj" or "Min"
};

class ScaleTable {
 public:
  // Reads the embedded key and scale texts and builds every scale row.
  static ScaleTable load();

  // Indexed by key index 0..11 (key signature - 1); the key index is also
  // the tonic's pitch class.
  const std::vector<KeySignature>& keySignatures() const { return keys_; }
  // Indexed by scale 0..11.
  const std::vector<Scale>& scales() const { return scales_; }

  // The 70-digit row of (key index 0..11, scale 0..11): 35 two-digit key
  // numbers in ascending order, starting at the lowest scale key at or above C1.
  const std::string& row(int keyIndex, int scale) const { return rows_[keyIndex * kScaleCount + scale]; }

  // The row cut into its 35 two-character texts.
  std::vector<std::string> scaleKeys(int keyIndex, int scale) const;

  // 61 texts: slot k (1..60) is the note name of key number k filled to two
  // characters with '_', followed by its octave digit ("C_1", "C#1" .. "B_5");
  // slot 0 is empty.
  std::vector<std::string> noteNames() const;

 private:
  std::vector<KeySignature> keys_;
  std::vector<Scale> scales_;
  std::vector<std::string> rows_;  // key-major: entry k x 12 + s
};

// The two-digit text of a number 0..99 ("%.2d").
std::string twoDigits(int value);

}  // namespace brisolt::compose
