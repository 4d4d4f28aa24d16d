// Composer::planPiece: turns the Generate options into a plan. The draws are
// made in one fixed order (variation values, phrase digit orders, then per
// phrase its table picks and its bars, the phrase weights, the loudness
// start), so the session id and the options reproduce the piece.
#include <charconv>
#include <ctime>

#include "compose/composer.h"
#include "compose/generation_log.h"
#include "compose/phrase_planner.h"
#include "compose/register_smoothing.h"
#include "compose/session_id.h"

namespace brisolt::compose {
namespace {

constexpr int kFewestPhrases = 5;
constexpr int kMostPhrases = 90;

// The leading whole number of a text, or 0 when it does not start with one.
int leadingNumber(std::string_view text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

bool inRange(int value, int low, int high) { return value >= low && value <= high; }

bool optionsAreValid(const PlanOptions& options) {
  return inRange(options.keySignature, 1, kKeySignatureCount) && inRange(options.scale, 0, kScaleCount - 1) &&
         inRange(options.motifMode, 0, 11) && inRange(options.phraseMode, 0, 11) &&
         inRange(options.phraseCount, kFewestPhrases, kMostPhrases) && leadingNumber(options.tempo) > 0;
}

std::tm localTime(std::int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm local{};
  localtime_r(&time, &local);
  return local;
}

// Per phrase, the ten digits in a random order followed by "|".
std::string drawPhraseDigitOrders(int phraseCount, RandomGenerator& random) {
  std::string orders;
  for (int phrase = 0; phrase < phraseCount; ++phrase) {
    std::string digits = "0123456789";
    while (!digits.empty()) {
      const std::size_t index = static_cast<std::size_t>(random.next()) % digits.size();
      orders += digits[index];
      digits.erase(index, 1);
    }
    orders += '|';
  }
  return orders;
}

// The loudness source from an even start s (0..1250), repeated whole until
// there are two digits per note; one unused draw per repeat.
std::string drawDynamics(const std::string& source, int noteCount, RandomGenerator& random) {
  int start = random.scaled(1250);
  if (start % 2 == 1) ++start;
  std::string dynamics = source.substr(static_cast<std::size_t>(start));
  while (dynamics.size() < 2 * static_cast<std::size_t>(noteCount)) {
    random.next();  // drawn and not used
    dynamics += source;
  }
  return dynamics;
}

void smoothPlanRegister(PiecePlan& plan) {
  std::string melody;
  for (const std::string& pitches : plan.barPitches) {
    for (std::size_t i = 0; i + 1 < pitches.size(); i += 2) {
      melody += twoDigits(Composer::foldIntoRange(twoDigitNumber(pitches, i), 18, 54));
    }
  }
  const std::string smoothed =
      smoothRegister(melody, [&](int key) { return isScaleKey(plan.scaleKeys, key); });
  std::size_t next = 0;
  for (std::size_t bar = 0; bar < plan.barPitches.size(); ++bar) {
    const std::size_t length = 2 * plan.barRhythms[bar].size();
    plan.barPitches[bar] = smoothed.substr(next, length);
    next += length;
  }
}

}  // namespace

int Composer::planPiece(PlanOptions options) {
  if (!optionsAreValid(options)) return kPlanRejectedOptions;
  const int keyIndex = options.keySignature - 1;
  const Scale& scale = scaleTable_.scales()[options.scale];

  GenerationLog log;
  if (!log.open(options.outputPrefix + "log.txt")) return kPlanLogNotOpened;
  const std::int64_t startTime = now();
  log.writeStartLine(localTime(startTime));

  PiecePlan plan;
  plan.sessionId = fixedSessionId_.value_or(sessionIdFromTime(startTime));
  random_.seed(plan.sessionId);
  plan.keyDisplayName = scaleTable_.keySignatures()[keyIndex].displayName;
  log.writeParameters(plan.sessionId, plan.keyDisplayName, scale.name, options.motifMode, options.phraseMode);

  plan.variationIndex = random_.next() % 20;
  plan.variationOffset = random_.scaled(1799) + 1;
  const int roll = random_.scaled(100) + 1;
  plan.stretchFactor = (roll - 1) / 20 + 1;

  plan.outputPrefix = options.outputPrefix;
  plan.modeFamily = scale.modeFamily;
  plan.switches.closedMotif = options.motifForm == "Clo";
  plan.switches.complexSteps = options.motifSimilarity != "Sim";
  plan.switches.alternatingMotifs = options.voiceSet != "B";
  plan.instrumentCode = options.instrumentCode;

  plan.scaleKeys = scaleTable_.scaleKeys(keyIndex, options.scale);
  plan.phraseDigitOrders = drawPhraseDigitOrders(options.phraseCount, random_);

  log.writePhraseCount(options.phraseCount);
  if (!log.close()) return kPlanLogNotWritten;

  plan.tempo = leadingNumber(options.tempo);
  plan.barCount = options.phraseCount * barsPerPhrase;
  plan.tailMilliseconds = static_cast<double>(30000 / plan.tempo);

  PhrasePlanner planner(phraseTables_, plan.scaleKeys, plan.switches, random_);
  for (int phrase = 0; phrase < options.phraseCount; ++phrase) {
    planner.pickTables();
    planner.planPhrase(plan.barPitches, plan.barRhythms);
  }
  const int phraseWeightCount = static_cast<int>(phraseTables_.phraseWeights.size() / 2);
  for (int phrase = 0; phrase < options.phraseCount; ++phrase) {
    random_.scaled(phraseWeightCount);  // a weighted choice whose result is not kept
  }

  for (const std::string& rhythm : plan.barRhythms) plan.noteCount += static_cast<int>(rhythm.size());
  plan.dynamics = drawDynamics(dynamicsSource_, plan.noteCount, random_);
  smoothPlanRegister(plan);

  plan_ = std::move(plan);
  barCursor_ = 0;
  return plan_.barCount / barsPerPhrase;
}

}  // namespace brisolt::compose
