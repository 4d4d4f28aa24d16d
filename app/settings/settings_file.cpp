// The settings file "Brisolt.INI": lookup of one entry, the lenient
// conversions of loading, and the whole file's text.
#include "app/settings/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "compose/scale_tables.h"
#include "platform/files/file_check.h"
#include "platform/files/file_in_place.h"

namespace brisolt {
namespace {

// Pieces of at most this many characters (the reading buffer, less its end).
constexpr int kLinePiece = 127;
constexpr std::size_t kLongestValue = 128;

const compose::ScaleTable& scaleTable() {
  static const compose::ScaleTable table = compose::ScaleTable::load();
  return table;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The value after the first '=', with the line ends of a text-mode read
// removed ("\r\n" counts as one line end, as text mode on other desktops
// reads it).
std::string valueOf(std::string_view piece) {
  const std::size_t equals = piece.find('=');
  if (equals == std::string_view::npos) return {};
  std::string value(piece.substr(equals + 1, kLongestValue));
  std::string kept;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\n') continue;
    if (value[i] == '\r' && (i + 1 == value.size() || value[i + 1] == '\n')) continue;
    kept += value[i];
  }
  return kept;
}

// Opens the settings file for reading when it is a regular file; a FIFO, a
// device or a folder is never opened in a way that could wait.
FileHandle openSettingsFile(const std::string& path) {
  if (platform::checkRegularFile(path) != platform::FileCheck::kRegular) return nullptr;
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  // The name may have changed since the check: trust the open file.
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(descriptor);
    return nullptr;
  }
  FileHandle file(::fdopen(descriptor, "r"));
  if (!file) ::close(descriptor);
  return file;
}

}  // namespace

std::string settingsFileProblem(const std::string& path) {
  const platform::FileCheck kind = platform::checkRegularFile(path);
  if (kind == platform::FileCheck::kRegular || kind == platform::FileCheck::kMissing) return {};
  return "the settings file '" + path + "' " + platform::describeFileCheck(kind) + "; the default settings are used";
}

std::string lookupSettingsEntry(const std::string& path, const SettingsEntry& entry) {
  const FileHandle file = openSettingsFile(path);
  if (!file) return std::string(entry.defaultText);
  char piece[kLinePiece + 1];
  while (std::fgets(piece, sizeof piece, file.get())) {
    const std::string_view text(piece);
    if (text.starts_with(entry.name)) return valueOf(text);
  }
  return std::string(entry.defaultText);
}

int keySignatureFromText(std::string_view text) {
  const auto& keys = scaleTable().keySignatures();
  const auto match = std::find_if(keys.begin(), keys.end(), [text](const auto& key) { return key.storedName == text; });
  return match == keys.end() ? 1 : static_cast<int>(match - keys.begin()) + 1;
}

int scaleFromText(std::string_view text) {
  const auto& scales = scaleTable().scales();
  const auto match = std::find_if(scales.begin(), scales.end(), [text](const auto& scale) { return scale.name == text; });
  return match == scales.end() ? 0 : static_cast<int>(match - scales.begin());
}

int modeStepsFromText(std::string_view text) {
  // An empty value reads as its terminating zero, far below 'A'.
  const int first = text.empty() ? 0 : static_cast<unsigned char>(text.front());
  return first - 'A';
}

int phraseCountFromText(std::string_view text) {
  const std::string copy(text);
  errno = 0;
  const long number = std::strtol(copy.c_str(), nullptr, 10);  // 0 when the text does not start with a number
  return static_cast<int>(
      std::clamp<long>(number, CompositionSettings::kFewestPhrases, CompositionSettings::kMostPhrases));
}

bool hifiFromText(std::string_view text) { return text != "Off"; }

StoredSettings readSettingsFile(const std::string& path) {
  StoredSettings stored;
  stored.keySignature = keySignatureFromText(lookupSettingsEntry(path, kKeySignatureEntry));
  stored.scale = scaleFromText(lookupSettingsEntry(path, kScaleEntry));
  stored.motifSteps = modeStepsFromText(lookupSettingsEntry(path, kMotifModeEntry));
  stored.phraseModeSteps = modeStepsFromText(lookupSettingsEntry(path, kPhraseModeEntry));
  stored.phraseCount = phraseCountFromText(lookupSettingsEntry(path, kPhrasesEntry));
  stored.hifi = hifiFromText(lookupSettingsEntry(path, kHiFiEntry));
  return stored;
}

CompositionSettings settingsFromStored(const StoredSettings& stored) {
  const int lastMode = CompositionSettings::kModeCount - 1;
  CompositionSettings settings;
  settings.keySignature = stored.keySignature;
  settings.scale = stored.scale;
  settings.motifMode = std::clamp(stored.motifSteps, 0, lastMode);
  settings.phraseMode = std::clamp(stored.phraseModeSteps, 0, lastMode);
  settings.phraseCount = stored.phraseCount;
  settings.hifi = stored.hifi;
  return settings;
}

std::string settingsFileText(const CompositionSettings& settings) {
  const auto& key = scaleTable().keySignatures().at(static_cast<std::size_t>(settings.keySignature - 1));
  const auto& scale = scaleTable().scales().at(static_cast<std::size_t>(settings.scale));
  std::string text;
  text += std::string(kKeySignatureEntry.name) + "=" + key.storedName + "\n";
  text += std::string(kScaleEntry.name) + "=" + scale.name + "\n";
  text += std::string(kMotifModeEntry.name) + "=" + static_cast<char>('A' + settings.motifMode) + "\n";
  text += std::string(kPhraseModeEntry.name) + "=" + static_cast<char>('A' + settings.phraseMode) + "\n";
  text += std::string(kPhrasesEntry.name) + "=" + std::to_string(settings.phraseCount) + "\n";
  text += std::string(kHiFiEntry.name) + "=" + (settings.hifi ? "On" : "Off") + "\n";
  return text;
}

int saveSettingsFile(const std::string& path, const CompositionSettings& settings) {
  // A folder, FIFO or device at the name is left alone; a link is replaced
  // as a name, never written through; a full disk leaves the old file whole.
  const platform::FileCheck existing = platform::checkRegularFile(path);
  if (existing == platform::FileCheck::kFolder || existing == platform::FileCheck::kDeviceOrPipe) return kSettingsNotWritten;
  platform::FileInPlace file = platform::FileInPlace::create(path);
  if (!file) return kSettingsNotWritten;
  const std::string text = settingsFileText(settings);
  const auto size = static_cast<std::uint32_t>(text.size());
  if (file.file().write(text.data(), size) != size) return kSettingsNotWritten;
  return file.commit() == platform::CommitResult::kCommitted ? kSettingsSaved : kSettingsNotWritten;
}

}  // namespace brisolt
