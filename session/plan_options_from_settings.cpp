// Turns the five composition settings into the 21 planner options that
// Generate passes to the Composer.
#include "session/plan_options_from_settings.h"

#include <array>
#include <vector>

#include "compose/data_text.h"
#include "embedded/app_generate_options.h"

namespace brisolt {
namespace {

struct ModeOptions {
  std::string motifForm;
  std::string motifRegularity;
  std::string motifSimilarity;
  std::string voiceSet;
  std::string phraseColour;
};

std::vector<ModeOptions> readModeOptions() {
  const compose::DataFile file{"generate_options.txt", embedded::app_generate_options};
  std::vector<ModeOptions> modes;
  for (const std::string_view line : compose::dataLines(file.text)) {
    const auto fields = compose::words(line);
    const char letter = static_cast<char>('A' + modes.size());
    if (fields.size() != 6 || fields[0] != std::string_view(&letter, 1)) {
      compose::badDataText(file, line, "expected the letters A..L in order, each with five options");
    }
    modes.push_back({std::string(fields[1]), std::string(fields[2]), std::string(fields[3]),
                     std::string(fields[4]), std::string(fields[5])});
  }
  if (modes.size() != CompositionSettings::kModeCount) {
    compose::badDataText(file, file.text.substr(file.text.size()), "expected 12 letters");
  }
  return modes;
}

const std::vector<ModeOptions>& modeOptions() {
  static const std::vector<ModeOptions> modes = readModeOptions();
  return modes;
}

}  // namespace

compose::PlanOptions planOptionsFromSettings(const CompositionSettings& settings, const std::string& outputPrefix) {
  const ModeOptions& motif = modeOptions().at(static_cast<std::size_t>(settings.motifMode));
  const ModeOptions& phrase = modeOptions().at(static_cast<std::size_t>(settings.phraseMode));
  compose::PlanOptions options;
  options.outputPrefix = outputPrefix;
  options.keyName = "C";
  options.text3 = "";
  options.motifForm = motif.motifForm;
  options.text5 = "";
  options.text6 = "";
  options.motifRegularity = motif.motifRegularity;
  options.tempo = "60";
  options.text9 = "";
  options.phraseCount = settings.phraseCount;
  options.motifSimilarity = motif.motifSimilarity;
  options.voiceSet = motif.voiceSet;
  options.hand = "F";
  options.instrumentCode = "I";
  options.text15 = "";
  options.phraseColour = phrase.phraseColour;
  options.evenPhraseMode = settings.phraseMode % 2 == 0;
  options.keySignature = settings.keySignature;
  options.scale = settings.scale;
  options.motifMode = settings.motifMode;
  options.phraseMode = settings.phraseMode;
  return options;
}

}  // namespace brisolt
