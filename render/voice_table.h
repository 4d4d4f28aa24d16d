// The constants of every voice by voice letter, one table per renderer,
// loaded from the embedded voice_table.txt.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compose/key_range.h"
#include "render/renderer_kind.h"

namespace brisolt::render {

// How a voice turns the planned key and its pattern character into a key.
enum class Family {
  kIntervalPairs,  // voices 1, 3, 4, 6
  kVoiceTwo,       // voice 2
  kScaleStepLine,  // 7, 8, O..T, q, r
  kArpeggio,       // 5, u..z
  kHarmony,        // a..j
  kBandHarmony,    // A..F, H..L, N, W, Z
  kTonicAnswers,   // s, t
};

using compose::KeyRange;

// What every voice has.
struct VoiceCommon {
  char letter = 0;
  int groupDigit = 0;  // finds the voice's bar mask in each phrase's digit order
  int leadInMs = 0;
};

// The form of a voice's pattern string: that many '0's, then the figure,
// and this length in all.
struct PatternForm {
  int leadingZeros = 0;
  std::string firstFigure;  // 20 characters
  int length = 0;
};

enum class FoldKind {
  kNone,       // the key is kept as it is
  kFixed,      // into folds[0] (and, for arpeggio voices, later into folds[1])
  kRangeList,  // into the pair of the range list picked for the voice
};

struct EnsembleVoice {
  VoiceCommon common;
  Family family = Family::kIntervalPairs;
  int shortestSoundingD = 1;
  bool tonicRule = false;   // silent on a tonic planned longer than 2 units
  std::string foldingText;  // as written: "13..60", "20..36 then 22..39", "range list", "none"
  FoldKind foldKind = FoldKind::kNone;
  std::vector<KeyRange> folds;  // FoldKind::kFixed: one range, or two applied in turn
  std::string rangeList;        // harmony voices: "(25,36),(20,31),..."; empty otherwise
  std::vector<KeyRange> ranges;  // the five pairs of rangeList
  PatternForm pattern;
};

struct AccompanimentVoice {
  VoiceCommon common;
  Family family = Family::kBandHarmony;
  int shortestSoundingD = 1;
  bool obeysBarMask = false;
  PatternForm pattern;
};

struct SplitVoice {
  VoiceCommon common;
  std::optional<int> longestSoundingD;  // U, V: silent on notes longer than this
  PatternForm pattern;
};

enum class Strike { kNone, kFirst, kSecond };

struct PulseVoice {
  VoiceCommon common;
  int firstUnit = 0;   // unit of the bar where each strike begins
  int secondUnit = 0;
  int keyOffset = 0;   // semitones added to the melody key: 0 or 7 (the fifth)
  KeyRange fold;       // the struck key is folded into this range
  bool needsThirdInScale = false;  // silent unless the third above the melody key is a scale key
  Strike silencedStrike = Strike::kNone;
  int carry = 0;  // units of a bar's second strike that reach into the next bar
};

class VoiceTable {
 public:
  // The row of a voice for its renderer; null when the voice is not one of its.
  const EnsembleVoice* ensemble(char letter) const;
  const AccompanimentVoice* accompaniment(char letter) const;
  const SplitVoice* split(char letter) const;
  const PulseVoice* pulse(char letter) const;

  std::optional<Renderer> rendererOf(char letter) const;
  const VoiceCommon* common(char letter) const;
  // Null for the pulse voices, which have no pattern string.
  const PatternForm* patternForm(char letter) const;

  const std::vector<EnsembleVoice>& ensembleVoices() const { return ensemble_; }
  const std::vector<AccompanimentVoice>& accompanimentVoices() const { return accompaniment_; }
  const std::vector<SplitVoice>& splitVoices() const { return split_; }
  const std::vector<PulseVoice>& pulseVoices() const { return pulse_; }

  // Every voice letter, in the order of the file.
  const std::string& letters() const { return letters_; }

 private:
  friend class VoiceTableReader;

  struct Slot {
    std::optional<Renderer> renderer;
    std::size_t index = 0;
  };
  const Slot* slotOf(char letter) const;

  std::array<Slot, 128> slots_{};
  std::vector<EnsembleVoice> ensemble_;
  std::vector<AccompanimentVoice> accompaniment_;
  std::vector<SplitVoice> split_;
  std::vector<PulseVoice> pulse_;
  std::string letters_;
};

struct VoiceTableLoad {
  VoiceTable table;
  std::string error;  // empty when the text was read whole
};

// Reads sections "[ensemble]", "[accompaniment]", "[split]" and "[pulse]",
// each a run of '|'-separated rows; '#' lines are comments. Stops at the
// first fault and names its line.
VoiceTableLoad parseVoiceTable(std::string_view text);

// The table built into the program, read once. Throws compose::DataTextError,
// naming the line, if the embedded file is malformed.
const VoiceTable& builtinVoiceTable();

}  // namespace brisolt::render
