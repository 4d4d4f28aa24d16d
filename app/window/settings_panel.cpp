// The five composition settings as the main window shows them.
#include "app/window/settings_panel.h"

#include "app/window/digit_display.h"
#include "platform/window/main_window_ids.h"
#include "platform/window/picture_ids.h"
#include "platform/window/pictures/face_layout.h"

namespace brisolt {
namespace {

namespace control = platform::control;
namespace picture = platform::picture;
namespace layout = platform::layout;

constexpr int kPhraseCountStep = 5;
constexpr float kSecondsPerPhraseAt60 = 64.0f;
constexpr float kSecondsPerPhraseOtherwise = 42.666f;
constexpr float kLeadInAndTail = 3.0f;
constexpr platform::Size kDigitControlSize{20, 35};

platform::PictureId pictureAt(const std::array<platform::PictureId, 12>& pictures, int index) {
  return pictures.at(static_cast<std::size_t>(index));
}

}  // namespace

int estimatedLengthSeconds(int phraseCount, std::string_view tempo) {
  const float perPhrase = tempo == kPieceTempo ? kSecondsPerPhraseAt60 : kSecondsPerPhraseOtherwise;
  const float total = static_cast<float>(phraseCount) * perPhrase + kLeadInAndTail;
  return static_cast<int>(total + 0.05f);
}

void SettingsPanel::createControls() {
  const std::array<platform::ControlId, 4> rows{control::kKeySignature, control::kScale, control::kMotifMode,
                                                control::kPhraseMode};
  const std::array<platform::PictureId, 4> shown{pictureAt(picture::kKeySignatures, settings_.keySignature - 1),
                                                 pictureAt(picture::kScales, settings_.scale),
                                                 pictureAt(picture::kMotifModes, settings_.motifMode),
                                                 pictureAt(picture::kPhraseModes, settings_.phraseMode)};
  for (std::size_t row = 0; row < rows.size(); ++row) {
    window_.createPictureControl(rows[row], layout::kSettingRows[row], shown[row], true);
  }
  for (std::size_t i = 0; i < control::kTotalTime.size(); ++i) {
    window_.createPictureControl(control::kTotalTime[i],
                                 {layout::kTotalTimeDigits[i], layout::kDigitTop, kDigitControlSize.width,
                                  kDigitControlSize.height},
                                 picture::kDigits[0], true);
  }
  for (std::size_t i = 0; i < control::kPhraseCount.size(); ++i) {
    window_.createPictureControl(control::kPhraseCount[i],
                                 {layout::kPhraseCountDigits[i], layout::kDigitTop, kDigitControlSize.width,
                                  kDigitControlSize.height},
                                 picture::kDigits[0], true);
  }
}

int SettingsPanel::stepList(int& value, int lowest, int delta, platform::ControlId shownOn,
                            const std::array<platform::PictureId, 12>& pictures) {
  const int highest = lowest + static_cast<int>(pictures.size()) - 1;
  if ((delta < 0 && value <= lowest) || (delta > 0 && value >= highest)) return kStepRefused;
  value += delta;
  window_.freeControlPicture(shownOn);
  window_.setControlPicture(shownOn, pictureAt(pictures, value - lowest));
  return kStepped;
}

int SettingsPanel::stepKeySignature(int delta) {
  return stepList(settings_.keySignature, 1, delta, control::kKeySignature, picture::kKeySignatures);
}

int SettingsPanel::stepScale(int delta) { return stepList(settings_.scale, 0, delta, control::kScale, picture::kScales); }

int SettingsPanel::stepMotifMode(int delta) {
  return stepList(settings_.motifMode, 0, delta, control::kMotifMode, picture::kMotifModes);
}

int SettingsPanel::stepPhraseMode(int delta) {
  return stepList(settings_.phraseMode, 0, delta, control::kPhraseMode, picture::kPhraseModes);
}

int SettingsPanel::stepPhraseCount(int direction, bool force) {
  int count = settings_.phraseCount + kPhraseCountStep * direction;
  if (count <= CompositionSettings::kFewestPhrases) count = CompositionSettings::kFewestPhrases;
  if (count >= CompositionSettings::kMostPhrases) count = CompositionSettings::kMostPhrases;
  if (count == settings_.phraseCount && !force) return kStepRefused;
  settings_.phraseCount = count;
  showPhraseCount();
  return kStepped;
}

void SettingsPanel::showPhraseCount() {
  showTwoDigits(window_, control::kPhraseCount, settings_.phraseCount);
  showMinutesAndSeconds(window_, control::kTotalTime, estimatedLengthSeconds(settings_.phraseCount, kPieceTempo));
}

void SettingsPanel::load(const StoredSettings& stored) {
  // Each list setting starts at its lowest value, is shown there, and is
  // stepped up as often as the file asks; the steps stop at the top.
  settings_.keySignature = 1;
  stepKeySignature(0);
  for (int i = 1; i < stored.keySignature; ++i) stepKeySignature(+1);
  settings_.scale = 0;
  stepScale(0);
  for (int i = 0; i < stored.scale; ++i) stepScale(+1);
  settings_.motifMode = 0;
  stepMotifMode(0);
  for (int i = 0; i < stored.motifSteps && i < CompositionSettings::kModeCount; ++i) stepMotifMode(+1);
  settings_.phraseMode = 0;
  stepPhraseMode(0);
  for (int i = 0; i < stored.phraseModeSteps && i < CompositionSettings::kModeCount; ++i) stepPhraseMode(+1);
  settings_.phraseCount = stored.phraseCount;
  stepPhraseCount(0, true);
  settings_.hifi = stored.hifi;  // as H last left it
}

}  // namespace brisolt
