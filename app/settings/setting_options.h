// The command-line options for the five composition settings (--key, --scale,
// --motif, --phrase-mode, --phrases), shared by the subcommands that plan or
// compose a piece. Values are taken as text and checked here, so a bad value
// gets one message naming the option, the value and what is allowed.
#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <string_view>

#include "app/settings/composition_settings.h"

namespace brisolt {

// The option texts as given; the defaults are the settings' defaults.
struct SettingTexts {
  std::string key = "C";
  std::string scale = "Major";
  std::string motif = "B";
  std::string phraseMode = "B";
  std::string phrases = "5";
};

// Adds the five options, with their help, to a subcommand.
void addSettingOptions(CLI::App& command, SettingTexts& texts);

// Reads the texts into `settings`. On the first bad value returns its
// message, for example: --key "H" is not a key signature; use 1..12 or ...
std::optional<std::string> readSettingTexts(const SettingTexts& texts, CompositionSettings& settings);

// 1..12 from "1".."12", a key name ("C", "C#", ... "B") or a stored name
// ("CD", "DE", ...); names in either case.
std::optional<int> parseKeySignature(std::string_view text);
// 0..11 from "0".."11" or a scale name as listed, in any case.
std::optional<int> parseScale(std::string_view text);
// 0..11 from one letter A..L, in either case.
std::optional<int> parseModeLetter(std::string_view text);
// 5..90 from a whole decimal number.
std::optional<int> parsePhraseCount(std::string_view text);

}  // namespace brisolt
