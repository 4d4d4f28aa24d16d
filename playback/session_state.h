// The state of the main window that Generate, playback and the session
// archive share: what the window is doing, and which session is current.
#pragma once

#include <string>

namespace brisolt::playback {

enum AppState : int {
  kIdle = 0,
  kGenerating = 1,
  kPlaying = 2,
  kPaused = 3,
};

struct SessionState {
  int appState = kIdle;
  std::string exeFolder;      // the program's folder, no trailing '/'
  std::string archiveFolder;  // where sessions are written, ending in '/' (normally exeFolder + "/Archive/")
  std::string sessionPrefix;  // "%y%m%d_%H%M%S_" of the current session; empty when there is none
  std::string musicFile;      // archiveFolder + sessionPrefix + "Pelko.wav"; empty after a failed Generate
  int plannedPhraseTotal = 0; // the planner's phrase count, the highest phrase seeking goes to
  int currentPhrase = 0;      // the phrase being heard, 0 before the first phrase starts
  bool sessionUnsaved = false;  // set by Generate; cleared by Save in stop mode
  bool logUnsaved = false;      // set by Generate; cleared by Save of one phrase
  bool aborted = false;         // set when a Generate was aborted; swallows the next Play
  bool autoPlay = true;         // Play follows every Generate
};

}  // namespace brisolt::playback
