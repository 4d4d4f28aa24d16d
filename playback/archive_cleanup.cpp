// Archive cleanup over the listing of the session's files.
#include "playback/archive_cleanup.h"

#include <array>
#include <string>

#include "platform/files/file_system.h"

namespace brisolt::playback {
namespace {

// A saved phrase is its excerpt of the mix, of the rendition and of the score,
// and its MIDI file.
constexpr std::array<const char*, 4> kSavedPhraseMarks = {"_Pelko_", "_PelkoL_", "_score_", "_Piano_"};
constexpr const char* kLogMark = "_log.txt";

bool keeps(const std::string& name, const SessionState& state) {
  // The marks are looked for in the file name, not the whole path, so that an
  // archive folder whose own path happens to contain one keeps nothing extra.
  for (const char* mark : kSavedPhraseMarks) {
    if (name.find(mark) != std::string::npos) return true;
  }
  return name.find(kLogMark) != std::string::npos && !state.logUnsaved;
}

platform::MessageBoxRequest cannotDelete(const std::string& path) {
  return {"Brisolt - File Error",
          "Can't delete file: " + path + "\nbecause it's being used by another program.",
          platform::MessageBoxIcon::kWarning, platform::MessageBoxButtons::kRetryCancel};
}

// Deletes one file, asking the user while it cannot be. A file that has
// vanished since the listing counts as deleted.
void deleteAsking(const std::string& path, platform::DialogWindow& window) {
  while (!platform::deleteFile(path) && platform::nameExists(path)) {
    if (window.showMessageBox(cannotDelete(path)) != platform::MessageBoxAnswer::kRetry) return;
  }
}

}  // namespace

void cleanupArchive(const SessionState& state, platform::DialogWindow& window) {
  if (state.sessionPrefix.empty() || !state.sessionUnsaved) return;
  for (const std::string& name : platform::listFiles(state.archiveFolder, state.sessionPrefix)) {
    if (keeps(name, state)) continue;
    deleteAsking(state.archiveFolder + name, window);
  }
}

}  // namespace brisolt::playback
