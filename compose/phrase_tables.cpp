// The tables each phrase picks from: six rhythm pools, eight step-weight
// tables, the step cycle and the phrase weights.
#include "compose/phrase_tables.h"

#include "compose/data_text.h"
#include "embedded/compose_phrase_texts.h"
#include "embedded/compose_rhythm_pools.h"
#include "embedded/compose_step_weights.h"

namespace brisolt::compose {
namespace {

// Section names of data/rhythm_pools.txt, in the order of RhythmPool.
constexpr std::array<std::string_view, kRhythmPoolCount> kPoolNames = {
    "closed plain",         "open plain",         "closed alternating A",
    "closed alternating B", "open alternating A", "open alternating B",
};

bool isDurationText(const std::string& text) {
  if (text.size() < 2 || text.back() != '0') return false;
  char previous = '1';
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] < previous || text[i] > '5') return false;
    previous = text[i];
  }
  return true;
}

void readRhythmPools(PhraseTables& tables) {
  const DataFile file{"rhythm_pools.txt", embedded::compose_rhythm_pools};
  const auto sections = dataSections(file);
  if (sections.size() != kRhythmPoolCount) badDataText(file, {}, "expected six pools");
  for (int pool = 0; pool < kRhythmPoolCount; ++pool) {
    const DataSection& section = sections[pool];
    if (section.name != kPoolNames[pool]) {
      badDataText(file, section.header,
                  "expected pool '" + std::string(kPoolNames[pool]) + "', found '" + section.name + "'");
    }
    tables.rhythmPools[pool] = indexedEntries(file, section, kTableEntryCount);
    for (const std::string& text : tables.rhythmPools[pool]) {
      if (!isDurationText(text)) badDataText(file, section.header, "[" + section.name + "]: not a rhythm text: '" + text + "'");
    }
  }
}

void readStepWeights(PhraseTables& tables) {
  const DataFile file{"step_weights.txt", embedded::compose_step_weights};
  const auto sections = dataSections(file);
  if (sections.size() != kStepWeightTableCount) badDataText(file, {}, "expected eight tables");
  for (int table = 0; table < kStepWeightTableCount; ++table) {
    const DataSection& section = sections[table];
    if (section.name != "table " + std::to_string(table + 1)) {
      badDataText(file, section.header,
                  "expected 'table " + std::to_string(table + 1) + "', found '" + section.name + "'");
    }
    for (const std::string& text : indexedEntries(file, section, kTableEntryCount)) {
      if (text.size() != 2 * kStepWeightCount || text.find_first_not_of("0123456789") != std::string::npos) {
        badDataText(file, section.header, "[" + section.name + "]: expected nine two-digit weights: '" + text + "'");
      }
      StepWeights weights{};
      for (int step = 0; step < kStepWeightCount; ++step) {
        weights[step] = (text[2 * step] - '0') * 10 + (text[2 * step + 1] - '0');
      }
      tables.stepWeightTables[table].push_back(weights);
    }
  }
}

void readPhraseTexts(PhraseTables& tables) {
  const DataFile file{"phrase_texts.txt", embedded::compose_phrase_texts};
  for (const std::string_view line : dataLines(file.text)) {
    const auto fields = splitFields(line, '=');
    if (fields.size() != 2) badDataText(file, line, "expected 'name = digits': '" + std::string(line) + "'");
    if (fields[0] == "step cycle") {
      tables.stepCycle = std::string(fields[1]);
    } else if (fields[0] == "phrase weights") {
      tables.phraseWeights = std::string(fields[1]);
    } else {
      badDataText(file, line, "unknown name '" + std::string(fields[0]) + "'");
    }
  }
  if (tables.stepCycle.find('0') == std::string::npos) badDataText(file, {}, "the step cycle has no '0'");
  if (tables.phraseWeights.empty()) badDataText(file, {}, "no phrase weights");
}

}  // namespace

PhraseTables PhraseTables::load() {
  PhraseTables tables;
  readRhythmPools(tables);
  readStepWeights(tables);
  readPhraseTexts(tables);
  return tables;
}

}  // namespace brisolt::compose
