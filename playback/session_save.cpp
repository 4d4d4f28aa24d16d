// Save Session in its two modes, and the report texts.
#include "playback/session_save.h"

#include <cstdio>

#include "platform/window/main_window_ids.h"

namespace brisolt::playback {
namespace {

using platform::MessageBoxButtons;
using platform::MessageBoxIcon;

constexpr const char* kSaveCaption = "Brisolt - Save Session";
constexpr const char* kNothingToSave = "Nothing to save!";
// The captions of the two reports, as the program has always shown them.
constexpr const char* kSessionSavedCaption = "Aurelune - Save Session";
constexpr const char* kPhraseSavedCaption = "Aurelune - Save Session - Phrase %d";

std::string phraseSavedCaption(int phrase) {
  char caption[64];
  std::snprintf(caption, sizeof caption, kPhraseSavedCaption, phrase);
  return caption;
}

std::string twoDigits(int number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%.2d", number);
  return digits;
}

// The report names the archive folder where it really is (beside the program,
// or wherever an installed copy keeps it).
std::string phraseReport(const SessionState& state, int phrase) {
  return "File saved in folder " + state.archiveFolder + "\nLog file:\t" + state.sessionPrefix + "log.txt" +
         "\nMusic file:\t" + state.sessionPrefix + "Pelko_" + twoDigits(phrase) + ".wav";
}

std::string sessionReport(const SessionState& state) {
  return "Files are saved in folder " + state.archiveFolder + "\n\nLog file:\t" + state.sessionPrefix + "log.txt" +
         "\nMusic file:\t" + state.sessionPrefix + "Pelko.wav";
}

void savePhrase(SessionState& state, platform::DialogWindow& window, LvDevice& device, const std::string& playFile,
                const PhraseExcerptWriter& writePhraseExcerpt) {
  const int phrase = state.currentPhrase;
  const std::int64_t position = answerMilliseconds(device.positionAnswer());
  device.stop();
  device.close();  // the excerpt is cut from the mix, which must be free
  if (writePhraseExcerpt) writePhraseExcerpt(state.archiveFolder, state.sessionPrefix, phrase, kExcerptTempo);
  device.open(playFile);
  device.setTimeFormat();
  device.seekAndWait(position);
  if (state.appState == kPlaying) device.play();

  window.showMessageBox({phraseSavedCaption(phrase), phraseReport(state, phrase), MessageBoxIcon::kInformation,
                         MessageBoxButtons::kOk});
  window.hideControl(platform::control::kRecordLit);
  state.logUnsaved = false;
}

void saveWholeSession(SessionState& state, platform::DialogWindow& window) {
  const std::string report = sessionReport(state);
  state.sessionUnsaved = false;
  window.showMessageBox({kSessionSavedCaption, report, MessageBoxIcon::kInformation, MessageBoxButtons::kOk});
  window.hideControl(platform::control::kRecordLit);
}

}  // namespace

int saveSession(SessionState& state, platform::DialogWindow& window, LvDevice& device, const std::string& playFile,
                const PhraseExcerptWriter& writePhraseExcerpt) {
  window.showControl(platform::control::kRecordLit);
  if (state.sessionPrefix.empty()) {
    window.showMessageBox({kSaveCaption, kNothingToSave, MessageBoxIcon::kInformation, MessageBoxButtons::kOk});
    window.hideControl(platform::control::kRecordLit);
    window.showControl(platform::control::kStopLit);
    return 0;
  }
  if (state.currentPhrase != 0) {
    savePhrase(state, window, device, playFile, writePhraseExcerpt);
  } else {
    saveWholeSession(state, window);
  }
  return 0;
}

}  // namespace brisolt::playback
