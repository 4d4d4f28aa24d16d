// Plans the sixteen bars of each phrase: table picks, motif rhythms, the
// motif walk and its transposed repeats.
#include "compose/phrase_planner.h"

#include <algorithm>
#include <cstdlib>

#include "compose/scale_tables.h"

namespace brisolt::compose {

std::string makeRhythm(std::string_view source, RandomGenerator& random) {
  std::string rhythm;
  int total = 0;
  while (total < kBarLength) {
    int fitting = 0;
    for (const char c : source) {
      if (c == '0' || total + (c - '0') > kBarLength) break;
      ++fitting;
    }
    if (fitting == 0) break;  // no pool text leaves a gap that nothing fits
    const char digit = source[random.scaled(fitting)];
    rhythm += digit;
    total += digit - '0';
  }
  return rhythm;
}

void StepCycle::load(std::string_view raw) {
  start = static_cast<int>(raw.find('0'));
  steps.clear();
  for (const char c : raw) {
    if (c != '0') steps += c;
  }
}

void StepCycle::restart() {
  index = start;
  fresh = true;
  active = false;
  leapStep = 1;
}

int firstStepOfMotif(StepCycle& cycle, int q0, int q1, int direction) {
  const int interval = std::abs(q0 - q1);
  if (!cycle.active && interval != 0) {
    if (interval <= 4) return interval;
    const int step = cycle.leapStep;
    cycle.leapStep = cycle.leapStep % 3 + 1;
    return step;
  }
  cycle.active = true;
  if (cycle.fresh) {
    if (direction == -1) --cycle.index;
    cycle.fresh = false;
  } else {
    cycle.index += direction;
  }
  cycle.index = std::clamp(cycle.index, 0, static_cast<int>(cycle.steps.size()) - 1);
  return cycle.steps[cycle.index] - '0';
}

bool transposeBar(std::array<int, kMotifLength>& positions, int checked, int step, int& direction,
                  int lastPosition) {
  const auto leaves = [&](int move) {
    for (int i = 0; i < checked; ++i) {
      const int moved = positions[i] + move;
      if (moved < 0 || moved > lastPosition) return true;
    }
    return false;
  };
  if (leaves(step * direction)) direction = -direction;
  if (leaves(step * direction)) return false;
  for (int& position : positions) position += step * direction;
  return true;
}

std::string mirroredEnding(std::string positions, int lastPosition) {
  const std::size_t count = positions.size() / 2;
  if (count < 2) return positions;
  const int last = twoDigitNumber(positions, 2 * (count - 1));
  const int before = twoDigitNumber(positions, 2 * (count - 2));
  const int mirrored = std::clamp(before - (last - before), 0, lastPosition);
  positions.replace(2 * (count - 1), 2, twoDigits(mirrored));
  return positions;
}

PhrasePlanner::PhrasePlanner(const PhraseTables& tables, const ScaleKeys& scaleKeys, MotifSwitches switches,
                             RandomGenerator& random)
    : tables_(tables), scaleKeys_(scaleKeys), switches_(switches), random_(random) {}

int PhrasePlanner::drawTableIndex() {
  return std::clamp(random_.scaled(kTableEntryCount), 0, kTableEntryCount - 1);
}

void PhrasePlanner::pickTables() {
  cycle_.load(tables_.stepCycle);
  random_.next();  // drawn and not used
  const int a = drawTableIndex();
  const int b = drawTableIndex();
  const int c = drawTableIndex();
  const int d = drawTableIndex();
  const int e = drawTableIndex();
  motifRhythmSources_[0] = tables_.pool(RhythmPool::kOpenPlain)[a];
  motifRhythmSources_[2] = tables_.pool(RhythmPool::kClosedPlain)[b];
  motifRhythmSources_[4] = tables_.pool(RhythmPool::kOpenAlternatingA)[c];
  motifRhythmSources_[5] = tables_.pool(RhythmPool::kOpenAlternatingB)[d];
  motifRhythmSources_[6] = tables_.pool(RhythmPool::kClosedAlternatingA)[d];
  motifRhythmSources_[7] = tables_.pool(RhythmPool::kClosedAlternatingB)[e];
  random_.next();  // drawn and not used
  for (int table = 0; table < kStepWeightTableCount; ++table) {
    const StepWeights& picked = tables_.stepWeightTables[table][drawTableIndex()];
    stepWeights_[2 * table] = picked;
    std::reverse_copy(picked.begin(), picked.end(), stepWeights_[2 * table + 1].begin());
  }
}

const StepWeights& PhrasePlanner::weightsFor(bool alternationFlag) const {
  // Tables 1/2: complex closed, 3/4: simple closed, 5/6: complex open,
  // 7/8: simple open; the odd table of a pair serves alternation flag 1.
  const int pair = (switches_.closedMotif ? 0 : 2) + (switches_.complexSteps ? 0 : 1);
  const int table = 2 * pair + (alternationFlag ? 0 : 1);
  return stepWeights_[2 * table + (direction_ == +1 ? 1 : 0)];
}

std::string PhrasePlanner::walk(int notes) {
  constexpr int kHalf = kStepWeightCount / 2;  // index kHalf is the step 0
  const int positionCount = static_cast<int>(scaleKeys_.size());
  std::string keys;
  bool alternationFlag = true;
  for (int note = 0; note < notes; ++note) {
    const StepWeights& weights = weightsFor(alternationFlag);
    const int lo = position_ - kHalf < 0 ? kHalf - position_ + 1 : 0;
    const int hi = position_ + kHalf + 1 < positionCount ? kStepWeightCount - 1
                                                         : positionCount - 1 - position_ + kHalf;
    int total = 0;
    for (int j = lo; j <= hi; ++j) total += weights[j];
    const int wanted = random_.scaled(total) + 1;
    int chosen = hi;  // only reached when every usable weight is 0
    for (int j = lo, sum = 0; j <= hi; ++j) {
      sum += weights[j];
      if (sum >= wanted) {
        chosen = j;
        break;
      }
    }
    const int next = std::clamp(position_ + chosen - kHalf, 0, positionCount - 1);
    if (next < kLowTurn) direction_ = +1;
    position_ = next;
    keys += scaleKeys_[position_];
    if (!switches_.complexSteps) alternationFlag = !alternationFlag;
  }
  return keys;
}

int PhrasePlanner::motifFirstStep(std::string_view motif) {
  const std::string positions = toScalePositions(scaleKeys_, motif.substr(0, 4));
  return firstStepOfMotif(cycle_, twoDigitNumber(positions, 0), twoDigitNumber(positions, 2), direction_);
}

void PhrasePlanner::planPhrase(std::vector<std::string>& barPitches, std::vector<std::string>& barRhythms) {
  cycle_.restart();
  const int lastPosition = static_cast<int>(scaleKeys_.size()) - 1;

  const int slot = (switches_.alternatingMotifs ? 4 : 0) + (switches_.closedMotif ? 2 : 0);
  std::array<std::string, kBarsPerPhrase> rhythms;
  rhythms.fill(makeRhythm(motifRhythmSources_[slot], random_));
  std::size_t widest = rhythms[0].size();
  if (switches_.alternatingMotifs) {
    const std::string motifB = makeRhythm(motifRhythmSources_[slot + 1], random_);
    for (int bar = 1; bar < kBarsPerPhrase; bar += 2) rhythms[bar] = motifB;
    widest = std::max(widest, motifB.size());
  }

  position_ = random_.scaled(11) + 19;
  if (direction_ == 0) direction_ = -1;

  const std::string motif = walk(kMotifLength);
  int step = motifFirstStep(motif);

  std::array<int, kMotifLength> positions{};
  const std::string motifPositions = toScalePositions(scaleKeys_, motif);
  for (int i = 0; i < kMotifLength; ++i) positions[i] = twoDigitNumber(motifPositions, 2 * i);

  std::array<std::string, kBarsPerPhrase> pitches;
  pitches[0] = motif.substr(0, 2 * rhythms[0].size());
  for (int bar = 1; bar < kBarsPerPhrase; ++bar) {
    const bool odd = bar % 2 == 1;
    const bool moves = switches_.alternatingMotifs ? odd : bar != 8;
    transposeBar(positions, static_cast<int>(widest), moves ? step : 0, direction_, lastPosition);
    std::string text;
    for (std::size_t i = 0; i < rhythms[bar].size(); ++i) text += twoDigits(positions[i]);
    const bool mirrored = switches_.alternatingMotifs ? bar % 4 == 3 : odd;
    if (mirrored) text = mirroredEnding(text, lastPosition);
    pitches[bar] = toKeyNumbers(scaleKeys_, text);
    if (cycle_.active && odd) step = motifFirstStep(pitches[0]);
  }

  barRhythms.insert(barRhythms.end(), rhythms.begin(), rhythms.end());
  barPitches.insert(barPitches.end(), pitches.begin(), pitches.end());
}

}  // namespace brisolt::compose
