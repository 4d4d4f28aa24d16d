// The five composition settings as the main window shows them: each value's
// picture, stepping within the ranges (no wrapping round, nothing redrawn at
// an end), the phrase count digits and the estimated total time beside them.
#pragma once

#include <string_view>

#include "app/settings/composition_settings.h"
#include "app/settings/settings_file.h"
#include "platform/window/dialog_window.h"

namespace brisolt {

// The tempo option that every Generate passes.
inline constexpr std::string_view kPieceTempo = "60";

// The length of a piece shown as its total time, in whole seconds: 64 s per
// phrase at tempo "60" (else 42.666 s) and 3 s more, in single precision,
// rounded at a twentieth. 5 phrases give 323 (05:23), 90 give 5763 (96:03).
int estimatedLengthSeconds(int phraseCount, std::string_view tempo);

enum StepResult : int {
  kStepped = 0,
  kStepRefused = 1,  // at an end of the range (or, for the phrase count, no change)
};

class SettingsPanel {
 public:
  SettingsPanel(platform::DialogWindow& window, CompositionSettings& settings) : window_(window), settings_(settings) {}

  // Makes the four setting pictures, the total-time and the phrase-count
  // digits, showing the record as it stands.
  void createControls();

  // delta -1 or +1; 0 only shows the current picture again.
  int stepKeySignature(int delta);
  int stepScale(int delta);
  int stepMotifMode(int delta);
  int stepPhraseMode(int delta);
  // direction -1, 0 or +1, in fives; `force` redraws even when nothing changed.
  int stepPhraseCount(int direction, bool force);

  // Shows the values read from the settings file: every list setting is set
  // to its lowest value and stepped up to the stored one, the phrase count
  // is taken as it is.
  void load(const StoredSettings& stored);

 private:
  int stepList(int& value, int lowest, int delta, platform::ControlId control,
               const std::array<platform::PictureId, 12>& pictures);
  void showPhraseCount();

  platform::DialogWindow& window_;
  CompositionSettings& settings_;
};

}  // namespace brisolt
