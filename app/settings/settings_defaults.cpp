// The settings the subcommands start from: those the window saved.
#include "app/settings/settings_defaults.h"

#include "app/settings/app_folders.h"
#include "app/settings/settings_file.h"

#include <iostream>

namespace brisolt {

CompositionSettings loadSettingsDefaults(const std::string& settingsFolder) {
  const std::string path = (settingsFolder.empty() ? std::string() : settingsFolder + "/") + kSettingsFileName;
  return settingsFromStored(readSettingsFile(path));
}

SettingTexts settingTextsFrom(const CompositionSettings& settings) {
  SettingTexts texts;
  texts.key = std::to_string(settings.keySignature);
  texts.scale = std::to_string(settings.scale);
  texts.motif = std::string(1, static_cast<char>('A' + settings.motifMode));
  texts.phraseMode = std::string(1, static_cast<char>('A' + settings.phraseMode));
  texts.phrases = std::to_string(settings.phraseCount);
  return texts;
}

SettingTexts savedSettingTexts() {
  const AppFolders folders = programFolders();
  static bool told = false;  // every subcommand asks; the user hears it once
  if (const std::string problem = settingsFileProblem(folders.settingsFile); !problem.empty() && !told) {
    std::cerr << "brisolt: " << problem << "\n";
    told = true;
  }
  return settingTextsFrom(loadSettingsDefaults(folders.settingsFolder));
}

}  // namespace brisolt
