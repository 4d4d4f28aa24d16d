// The settings the subcommands start from: those the window saved in
// Brisolt.INI, when it exists, read with the window's rules. The
// subcommands never write the file.
#pragma once

#include <string>

#include "app/settings/composition_settings.h"
#include "app/settings/setting_options.h"

namespace brisolt {

// The settings in `settingsFolder` + "/Brisolt.INI"; the defaults when there
// is no such file.
CompositionSettings loadSettingsDefaults(const std::string& settingsFolder);

// The option texts that stand for `settings` (what --key, --scale, ...
// would have to say to choose them).
SettingTexts settingTextsFrom(const CompositionSettings& settings);

// The option texts of the program's own settings file (see app_folders.h
// for where it is), for a subcommand's defaults. A settings file that is a
// FIFO, a device or a folder is said once on stderr and read as absent.
SettingTexts savedSettingTexts();

}  // namespace brisolt
