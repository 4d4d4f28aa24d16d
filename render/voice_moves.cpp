// The move tables of the voice families.
#include "render/voice_moves.h"

#include <algorithm>
#include <array>
#include <utility>

namespace brisolt::render {
namespace {

using Kind = Interval::Kind;

constexpr Interval semitones(int amount) { return {Kind::kFixed, amount}; }
constexpr Interval degrees(int amount) { return {Kind::kFixed, amount}; }
constexpr Interval kThirdUp{Kind::kThirdUp, 0};
constexpr Interval kSixthDown{Kind::kSixthDown, 0};
constexpr Interval kFourthDown = semitones(-5);
constexpr Interval kFifthUp = semitones(7);

// Each character tests the partner interval and plays its own.
constexpr std::array kIntervalPairs{
    CharacterMove{'+', kThirdUp, kFourthDown},
    CharacterMove{'-', kFourthDown, kThirdUp},
    CharacterMove{'Y', kFifthUp, kSixthDown},
    CharacterMove{'Z', kSixthDown, kFifthUp},
};

constexpr std::array kVoiceTwo{
    CharacterMove{'+', kThirdUp, std::nullopt},
    CharacterMove{'-', kFourthDown, std::nullopt},
    CharacterMove{'Z', kSixthDown, std::nullopt},
    CharacterMove{'Y', kFifthUp, std::nullopt},
    CharacterMove{'V', {Kind::kRandomSign, 0}, std::nullopt},
};

constexpr std::array kHarmony{
    CharacterMove{'+', kThirdUp, kFourthDown},
    CharacterMove{'-', kThirdUp, std::nullopt},
    CharacterMove{'P', semitones(2), std::nullopt},
    CharacterMove{'M', semitones(-2), std::nullopt},
};

constexpr std::array kScaleStepLine{
    CharacterMove{'+', degrees(1), std::nullopt},  CharacterMove{'-', degrees(-1), std::nullopt},
    CharacterMove{'Y', degrees(2), std::nullopt},  CharacterMove{'Z', degrees(-2), std::nullopt},
    CharacterMove{'Q', degrees(3), std::nullopt},  CharacterMove{'W', degrees(-3), std::nullopt},
    CharacterMove{'A', degrees(4), std::nullopt},  CharacterMove{'B', degrees(-4), std::nullopt},
    CharacterMove{'C', degrees(5), std::nullopt},  CharacterMove{'D', degrees(-5), std::nullopt},
    CharacterMove{'E', degrees(6), std::nullopt},  CharacterMove{'F', degrees(-6), std::nullopt},
    CharacterMove{'G', degrees(7), std::nullopt},  CharacterMove{'H', degrees(-7), std::nullopt},
};

// Chord tones above the melody note brought into the bass register.
constexpr std::array kArpeggio{
    CharacterMove{'A', degrees(7), std::nullopt}, CharacterMove{'+', degrees(6), std::nullopt},
    CharacterMove{'-', degrees(5), std::nullopt}, CharacterMove{'Y', degrees(4), std::nullopt},
    CharacterMove{'Z', degrees(3), std::nullopt}, CharacterMove{'W', degrees(2), std::nullopt},
    CharacterMove{'Q', degrees(1), std::nullopt}, CharacterMove{'V', {Kind::kRandomDegree, 0}, std::nullopt},
};

// The third up sounds only when the fifth above the folded key is a scale key.
constexpr std::array kBandHarmony{
    CharacterMove{'+', kThirdUp, kFifthUp},
    CharacterMove{'-', kFourthDown, std::nullopt},
    CharacterMove{'Y', kFifthUp, std::nullopt},
    CharacterMove{'Z', kSixthDown, std::nullopt},
};

constexpr std::array kTonicAnswers{
    CharacterMove{'+', kThirdUp, std::nullopt},
    CharacterMove{'-', kSixthDown, std::nullopt},
    CharacterMove{'Z', kFifthUp, std::nullopt},
    CharacterMove{'Y', kFourthDown, std::nullopt},
};

constexpr std::array kSplitVoices{
    CharacterMove{'+', degrees(1), std::nullopt},
    CharacterMove{'-', degrees(-1), std::nullopt},
    CharacterMove{'Z', degrees(2), std::nullopt},
    CharacterMove{'Y', degrees(-2), std::nullopt},
    CharacterMove{'V', {Kind::kRandomSign, 0}, std::nullopt},
};

struct FamilyEntry {
  Family family;
  FamilyRule rule;
};

constexpr KeyRange kBand{20, 31};
constexpr KeyRange kTonicAnswerRange{13, 48};

// moves, fold before, fold after, only on tonic, folds key 0, follows dynamics
const std::array<FamilyEntry, 7> kFamilies{{
    {Family::kIntervalPairs, {{MoveUnit::kSemitones, kIntervalPairs}, std::nullopt, std::nullopt, false, false, false}},
    {Family::kVoiceTwo, {{MoveUnit::kSemitones, kVoiceTwo}, std::nullopt, std::nullopt, false, true, true}},
    {Family::kScaleStepLine, {{MoveUnit::kScaleDegrees, kScaleStepLine}, std::nullopt, std::nullopt, false, true, false}},
    {Family::kArpeggio, {{MoveUnit::kScaleDegrees, kArpeggio}, std::nullopt, std::nullopt, false, true, false}},
    {Family::kHarmony, {{MoveUnit::kSemitones, kHarmony}, std::nullopt, std::nullopt, false, true, false}},
    {Family::kBandHarmony, {{MoveUnit::kSemitones, kBandHarmony}, kBand, std::nullopt, false, true, false}},
    {Family::kTonicAnswers, {{MoveUnit::kSemitones, kTonicAnswers}, std::nullopt, kTonicAnswerRange, true, true, true}},
}};

const MoveTable kSplitVoiceMoves{MoveUnit::kScaleDegrees, kSplitVoices};

constexpr int kLargestRandomDegree = 7;

// Third up and sixth down by mode family; the first entry serves any other name.
constexpr std::array<std::pair<std::string_view, ModeIntervals>, 2> kModes{{
    {"Maj", {4, -8}},
    {"Min", {3, -9}},
}};

}  // namespace

const CharacterMove* MoveTable::find(char c) const {
  for (const CharacterMove& move : moves) {
    if (move.character == c) return &move;
  }
  return nullptr;
}

ModeIntervals modeIntervals(std::string_view modeFamily) {
  for (const auto& [name, intervals] : kModes) {
    if (name == modeFamily) return intervals;
  }
  return kModes.front().second;
}

int resolve(const Interval& interval, const ModeIntervals& mode, compose::RandomGenerator& random) {
  switch (interval.kind) {
    case Kind::kFixed: return interval.amount;
    case Kind::kThirdUp: return mode.thirdUp;
    case Kind::kSixthDown: return mode.sixthDown;
    case Kind::kRandomSign: return random.scaled(2) == 1 ? 1 : -1;
    case Kind::kRandomDegree: return std::min(random.scaled(8), kLargestRandomDegree);
  }
  return 0;
}

std::optional<int> moveKey(const MoveTable& table, char c, int key, compose::Composer& composer,
                           const ModeIntervals& mode) {
  const CharacterMove* move = table.find(c);
  if (move == nullptr) return key;
  if (move->test && !composer.isScaleKey(key + resolve(*move->test, mode, composer.random()))) return std::nullopt;
  const int amount = resolve(move->move, mode, composer.random());
  return table.unit == MoveUnit::kSemitones ? key + amount : composer.scaleStep(key, amount);
}

const FamilyRule& familyRule(Family family) {
  for (const FamilyEntry& entry : kFamilies) {
    if (entry.family == family) return entry.rule;
  }
  return kFamilies.front().rule;  // every Family has its entry
}

const MoveTable& splitVoiceMoves() { return kSplitVoiceMoves; }

}  // namespace brisolt::render
