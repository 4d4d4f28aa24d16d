// The command-line options for the five composition settings, checked with
// messages that say what is allowed.
#include "app/settings/setting_options.h"

#include <cctype>
#include <charconv>

#include "app/settings/flat_keys.h"
#include "compose/scale_tables.h"

namespace brisolt {
namespace {

const compose::ScaleTable& scaleTable() {
  static const compose::ScaleTable table = compose::ScaleTable::load();
  return table;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// A whole decimal number within low..high.
std::optional<int> numberIn(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::string keyNamesList() {
  std::string display;
  std::string stored;
  for (const auto& key : scaleTable().keySignatures()) {
    display += (display.empty() ? "" : ", ") + key.displayName;
    if (key.storedName != key.displayName) stored += (stored.empty() ? "" : ", ") + key.storedName;
  }
  return display + " (or " + stored + ")";
}

std::string scaleNamesList() {
  std::string names;
  for (const auto& scale : scaleTable().scales()) names += (names.empty() ? "\"" : ", \"") + scale.name + "\"";
  return names;
}

std::string badValue(std::string_view option, std::string_view value, std::string_view what, std::string_view allowed) {
  return std::string(option) + " \"" + std::string(value) + "\" is not " + std::string(what) + "; use " +
         std::string(allowed);
}

}  // namespace

std::optional<int> parseKeySignature(std::string_view text) {
  if (const auto number = numberIn(text, 1, compose::kKeySignatureCount)) return number;
  const auto& keys = scaleTable().keySignatures();
  // Before the stored names, which ignore case: "Ab" is A flat (G#), not the stored "AB" (A#).
  if (const auto flat = flatKeySignature(text, keys)) return flat;
  for (std::size_t index = 0; index < keys.size(); ++index) {
    if (sameIgnoringCase(text, keys[index].displayName) || sameIgnoringCase(text, keys[index].storedName)) {
      return static_cast<int>(index) + 1;
    }
  }
  return std::nullopt;
}

std::optional<int> parseScale(std::string_view text) {
  if (const auto number = numberIn(text, 0, compose::kScaleCount - 1)) return number;
  const auto& scales = scaleTable().scales();
  for (std::size_t index = 0; index < scales.size(); ++index) {
    if (sameIgnoringCase(text, scales[index].name)) return static_cast<int>(index);
  }
  return std::nullopt;
}

std::optional<int> parseModeLetter(std::string_view text) {
  if (text.size() != 1) return std::nullopt;
  const int mode = std::toupper(static_cast<unsigned char>(text[0])) - 'A';
  if (mode < 0 || mode >= CompositionSettings::kModeCount) return std::nullopt;
  return mode;
}

std::optional<int> parsePhraseCount(std::string_view text) {
  return numberIn(text, CompositionSettings::kFewestPhrases, CompositionSettings::kMostPhrases);
}

void addSettingOptions(CLI::App& command, SettingTexts& texts) {
  command.add_option("--key", texts.key, "Key signature: 1..12 or C, C#, D, D#, E, F, F#, G, G#, A, A#, B, or a flat: Db, Eb, Gb, Ab, Bb (default: the setting saved by the window, else C)")
      ->type_name("KEY");
  command.add_option("--scale", texts.scale,
                     "Scale: 0..11 or a name, for example \"Minor Harmonic\" (default: the setting saved by the window, else Major); all names: " +
                         scaleNamesList())
      ->type_name("SCALE");
  command.add_option("--motif", texts.motif, "Motif mode: a letter A..L (default: the setting saved by the window, else B)")->type_name("LETTER");
  command.add_option("--phrase-mode", texts.phraseMode, "Phrase mode: a letter A..L (default: the setting saved by the window, else B)")->type_name("LETTER");
  command.add_option("--phrases", texts.phrases, "Number of 16-bar phrases: 5..90 (default: the setting saved by the window, else 5)")->type_name("N");
}

std::optional<std::string> readSettingTexts(const SettingTexts& texts, CompositionSettings& settings) {
  const auto key = parseKeySignature(texts.key);
  if (!key) return badValue("--key", texts.key, "a key signature", "1..12 or one of " + keyNamesList());
  const auto scale = parseScale(texts.scale);
  if (!scale) return badValue("--scale", texts.scale, "a scale", "0..11 or one of " + scaleNamesList());
  const auto motif = parseModeLetter(texts.motif);
  if (!motif) return badValue("--motif", texts.motif, "a motif mode", "one letter A..L");
  const auto phraseMode = parseModeLetter(texts.phraseMode);
  if (!phraseMode) return badValue("--phrase-mode", texts.phraseMode, "a phrase mode", "one letter A..L");
  const auto phrases = parsePhraseCount(texts.phrases);
  if (!phrases) return badValue("--phrases", texts.phrases, "a phrase count", "a whole number 5..90");
  settings = {*key, *scale, *motif, *phraseMode, *phrases};
  return std::nullopt;
}

}  // namespace brisolt
