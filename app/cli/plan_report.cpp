// How `brisolt plan` shows a planned piece: JSON for programs, text for people.
#include "app/cli/plan_report.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <sstream>

#include "compose/scale_keys.h"

namespace brisolt {

std::string planAsJson(const compose::Composer& composer, const std::string& logFile) {
  const compose::PiecePlan& plan = composer.plan();
  nlohmann::ordered_json json;
  json["sessionId"] = plan.sessionId;
  json["variationIndex"] = plan.variationIndex;
  json["variationOffset"] = plan.variationOffset;
  json["stretchFactor"] = plan.stretchFactor;
  json["barCount"] = plan.barCount;
  json["noteCount"] = plan.noteCount;
  json["tempo"] = plan.tempo;
  json["modeFamily"] = plan.modeFamily;
  json["keyDisplayName"] = plan.keyDisplayName;
  json["scaleKeys"] = plan.scaleKeys;
  json["phraseDigitOrders"] = plan.phraseDigitOrders;
  json["barPitches"] = plan.barPitches;
  json["barRhythms"] = plan.barRhythms;
  json["dynamics"] = plan.dynamics;
  if (!logFile.empty()) json["logFile"] = logFile;
  return json.dump(2) + "\n";
}

namespace {

// "C_4 E_4 G_4" for "374144".
std::string noteNamesOf(const compose::Composer& composer, const std::string& pitches) {
  std::string names;
  for (std::size_t i = 0; i + 1 < pitches.size(); i += 2) {
    const int key = compose::twoDigitNumber(pitches, i);
    if (!names.empty()) names += ' ';
    names += key >= 1 && key <= 60 ? composer.noteNames()[key] : pitches.substr(i, 2);
  }
  return names;
}

std::string spaced(const std::string& digits, std::size_t width) {
  std::string text;
  for (std::size_t i = 0; i < digits.size(); i += width) {
    if (!text.empty()) text += ' ';
    text += digits.substr(i, width);
  }
  return text;
}

}  // namespace

std::string planAsText(const compose::Composer& composer, const std::string& scaleName, const std::string& logFile) {
  const compose::PiecePlan& plan = composer.plan();
  const int phrases = plan.barCount / compose::Composer::barsPerPhrase;
  std::ostringstream out;
  out << "Planned " << phrases << " phrases (" << plan.barCount << " bars, " << plan.noteCount << " notes) in "
      << plan.keyDisplayName << " " << scaleName << ", tempo " << plan.tempo << ".\n"
      << "Session ID:  " << plan.sessionId << "\n"
      << "Variation:   bar-pattern group " << plan.variationIndex << ", pattern offset " << plan.variationOffset
      << ", stretch " << plan.stretchFactor << "\n"
      << "Mode family: " << plan.modeFamily << "\n"
      << "Scale keys:  " << noteNamesOf(composer, [&] {
           std::string keys;
           for (const auto& key : plan.scaleKeys) keys += key;
           return keys;
         }()) << "\n";
  if (!logFile.empty()) out << "Log file:    " << logFile << "\n";

  std::size_t note = 0;
  for (int phrase = 0; phrase < phrases; ++phrase) {
    out << "\nPhrase " << phrase + 1 << " (digit order " << plan.phraseDigitOrders.substr(11 * phrase, 10) << ")\n";
    for (int bar = phrase * compose::Composer::barsPerPhrase; bar < (phrase + 1) * compose::Composer::barsPerPhrase;
         ++bar) {
      const std::string& rhythm = plan.barRhythms[bar];
      char label[32];
      std::snprintf(label, sizeof label, "  bar %4d  ", bar + 1);
      std::string names = noteNamesOf(composer, plan.barPitches[bar]);
      names.resize(std::max<std::size_t>(names.size(), 32), ' ');
      out << label << names << "  durations " << spaced(rhythm, 1) << "  levels "
          << spaced(plan.dynamics.substr(2 * note, 2 * rhythm.size()), 2) << "\n";
      note += rhythm.size();
    }
  }
  return out.str();
}

}  // namespace brisolt
