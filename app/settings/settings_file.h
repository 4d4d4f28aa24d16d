// The settings file "Brisolt.INI": five lines "Name=value", read one entry at
// a time with the program's long-standing rules and written whole.
//
// Reading an entry opens the file, reads it in pieces of at most 127
// characters (a longer line is read as several), and takes the first piece
// that begins with the entry's name: its value is the text after the first
// '=' (at most 128 characters, line ends removed). A missing file or entry
// gives the default text. The values are then converted leniently: unknown
// names give the first key or scale, mode letters step from A and stop at
// the ends, the phrase count is the leading number held within 5..90.
#pragma once

#include <string>
#include <string_view>

#include "app/settings/composition_settings.h"

namespace brisolt {

struct SettingsEntry {
  std::string_view name;
  std::string_view defaultText;
};

inline constexpr SettingsEntry kKeySignatureEntry{"KeySignature", "C"};
inline constexpr SettingsEntry kScaleEntry{"Scale", "Major"};
inline constexpr SettingsEntry kMotifModeEntry{"MotifMode", "B"};
inline constexpr SettingsEntry kPhraseModeEntry{"PhraseMode", "B"};
inline constexpr SettingsEntry kPhrasesEntry{"Phrases", "5"};
// A sixth line after the five: files written before it read as On.
inline constexpr SettingsEntry kHiFiEntry{"HiFi", "On"};

// The value of one entry, or its default text. A settings file that is not a
// regular file (a FIFO, a device, a folder) reads as absent, at once.
std::string lookupSettingsEntry(const std::string& path, const SettingsEntry& entry);

// The entries as loading uses them. The two mode counts are how many steps
// up from A the value asks for (negative or past L for letters outside A..L);
// the window steps its pictures that often, and the steps stop at the ends.
struct StoredSettings {
  int keySignature = 1;  // 1..12; an unknown name gives 1
  int scale = 0;         // 0..11; an unknown name gives 0
  int motifSteps = 1;    // first character - 'A'
  int phraseModeSteps = 1;
  int phraseCount = 5;   // 5..90
  bool hifi = true;      // anything but "Off" is On
};

int keySignatureFromText(std::string_view text);
int scaleFromText(std::string_view text);
int modeStepsFromText(std::string_view text);
int phraseCountFromText(std::string_view text);
bool hifiFromText(std::string_view text);

// Reads the six entries from the file at `path`.
StoredSettings readSettingsFile(const std::string& path);

// What the stored values come to once stepped within the ranges.
CompositionSettings settingsFromStored(const StoredSettings& stored);

// The file's whole text: "KeySignature=%s\nScale=%s\nMotifMode=%c\n
// PhraseMode=%c\nPhrases=%d\nHiFi=On|Off\n" with the stored key and scale
// names.
std::string settingsFileText(const CompositionSettings& settings);

enum SaveSettingsResult : int {
  kSettingsSaved = 0,
  kSettingsNotWritten = 1,  // the file could not be opened (or written) for writing
};

// Why the file at `path` cannot be read as the settings file ("the settings
// file '...' is a FIFO, device or socket, not a file; the default settings
// are used"), or empty when it is a readable file or there is none.
std::string settingsFileProblem(const std::string& path);

// Writes the settings file, replacing it whole once the new text is written
// (a link there is replaced as a name, never written through). A folder, FIFO
// or device at the name is not replaced: kSettingsNotWritten.
int saveSettingsFile(const std::string& path, const CompositionSettings& settings);

}  // namespace brisolt
