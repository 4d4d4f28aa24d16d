// The preview's pretend window logic.
#include "platform/window/preview/preview_panel.h"

#include <chrono>
#include <thread>

#include "platform/message_pump.h"
#include "platform/window/main_window_ids.h"
#include "platform/window/picture_ids.h"

namespace brisolt::platform {
namespace {

constexpr std::array<const std::array<PictureId, 12>*, 4> kSettingPictures{
    &picture::kKeySignatures, &picture::kScales, &picture::kMotifModes, &picture::kPhraseModes};
constexpr std::array<ControlId, 4> kSettingControls{control::kKeySignature, control::kScale, control::kMotifMode,
                                                    control::kPhraseMode};
constexpr int kScreenshotAfterTicks = 15;

bool inside(int x, int y, int left, int right, int top, int bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}

}  // namespace

void PreviewPanel::onInitDialog() {
  window_.setCaption("Brisolt - window preview");
  window_.setIcon(picture::kIcon);
  window_.setBackground(picture::kFace);
  window_.setClientSize(*window_.pictureSize(picture::kFace));
  layOut();
  if (options_.scene == "playing") {
    playedTenths_ = 137 * 10;  // 2:17, in phrase 3
    startPlaying();
  } else if (options_.scene == "working") {
    window_.hideControl(control::kComposeLabel);
    window_.showControl(control::kWorkingLabel);
    window_.hideControl(control::kStopLit);
    window_.setProgressRange(control::kGenerationBar, 0, 84);
    window_.setProgressPosition(control::kGenerationBar, 51);
    window_.showControl(control::kGenerationBar);
    window_.showControl(control::kRemainingTimeLabel);
    showNumber(control::kCurrentTime, 14 * 60 + 38);
    for (ControlId digit : control::kCurrentTime) window_.showControl(digit);
  }
  window_.startTimer(TimerId{7}, std::chrono::milliseconds{100});
}

void PreviewPanel::layOut() {
  for (int row = 0; row < 4; ++row)
    window_.createPictureControl(kSettingControls[row], {105, 110 + 50 * row, 240, 35},
                                 (*kSettingPictures[row])[settings_[row]], true);
  window_.createPictureControl(control::kRecordLit, {550, 265, 25, 25}, picture::kRecordLit, false);
  window_.createPictureControl(control::kPlayLit, {440, 265, 25, 25}, picture::kPlayLit, false);
  window_.createPictureControl(control::kPauseLit, {495, 265, 25, 25}, picture::kPauseLit, false);
  window_.createPictureControl(control::kStopLit, {385, 265, 25, 25}, picture::kStopLit, true);
  window_.createPictureControl(control::kComposeLabel, {400, 170, 160, 25}, picture::kCompose, true);
  window_.createPictureControl(control::kDoneLabel, {400, 170, 160, 25}, picture::kDone, false);
  window_.createPictureControl(control::kWorkingLabel, {400, 170, 160, 25}, picture::kWorking, false);
  window_.createPictureControl(control::kComposeDottedLabel, {400, 170, 160, 25}, picture::kComposeDotted, false);
  window_.createProgressControl(control::kGenerationBar, {380, 225, 205, 15}, false);
  window_.setProgressBackgroundColour(control::kGenerationBar, {150, 149, 147});
  window_.setProgressBarColour(control::kGenerationBar, {255, 0, 0});
  window_.createProgressControl(control::kPositionBar, {380, 225, 205, 15}, false);
  window_.setProgressBackgroundColour(control::kPositionBar, {150, 149, 147});
  const std::array<int, 4> timeX{400, 420, 450, 470};
  const std::array<int, 4> totalX{145, 165, 195, 215};
  for (int i = 0; i < 4; ++i) {
    window_.createPictureControl(control::kCurrentTime[i], {timeX[i], 310, 20, 35}, picture::kDigits[0], false);
    window_.createPictureControl(control::kTotalTime[i], {totalX[i], 310, 20, 35}, picture::kDigits[0], true);
  }
  window_.createPictureControl(control::kCurrentPhrase[0], {520, 310, 20, 35}, picture::kDigits[0], false);
  window_.createPictureControl(control::kCurrentPhrase[1], {540, 310, 20, 35}, picture::kDigits[0], false);
  window_.createPictureControl(control::kPhraseCount[0], {265, 310, 20, 35}, picture::kDigits[0], true);
  window_.createPictureControl(control::kPhraseCount[1], {285, 310, 20, 35}, picture::kDigits[5], true);
  window_.createPictureControl(control::kRemainingTimeLabel, {395, 350, 100, 15}, picture::kRemainingTime, false);
  window_.createPictureControl(control::kInfoPanel, {80, 450, 500, 70}, picture::kInfoPages[0], true);
  window_.createTextStrip(control::kTextStrip, {15, 530, 300, 15}, {{255, 255, 255}, {77, 84, 87}}, true);
  showNumber(control::kTotalTime, phrases_ * 64 + 3);
}

void PreviewPanel::showNumber(const std::array<ControlId, 4>& digits, int seconds) {
  const std::array<int, 4> values{seconds / 600, seconds % 600 / 60, seconds % 60 / 10, seconds % 10};
  for (int i = 0; i < 4; ++i) window_.setControlPicture(digits[i], picture::kDigits[values[i]]);
}

void PreviewPanel::showTwoDigits(ControlId tens, ControlId units, int value) {
  window_.setControlPicture(tens, picture::kDigits[value / 10 % 10]);
  window_.setControlPicture(units, picture::kDigits[value % 10]);
}

void PreviewPanel::stepSetting(int row, int delta) {
  const int next = settings_[row] + delta;
  if (next < 0 || next > 11) return;
  settings_[row] = next;
  window_.freeControlPicture(kSettingControls[row]);
  window_.setControlPicture(kSettingControls[row], (*kSettingPictures[row])[next]);
}

void PreviewPanel::startPlaying() {
  playing_ = true;
  paused_ = false;
  window_.lockRedraw();
  window_.showControl(control::kPlayLit);
  window_.hideControl(control::kStopLit);
  window_.showControl(control::kComposeDottedLabel);
  window_.hideControl(control::kComposeLabel);
  window_.setProgressRange(control::kPositionBar, 0, phrases_ * 64 + 3);
  window_.showControl(control::kPositionBar);
  for (ControlId digit : control::kCurrentTime) window_.showControl(digit);
  for (ControlId digit : control::kCurrentPhrase) window_.showControl(digit);
  window_.unlockRedraw();
}

void PreviewPanel::stopPlaying() {
  playing_ = paused_ = false;
  playedTenths_ = 0;
  window_.lockRedraw();
  for (ControlId id : {control::kPlayLit, control::kPauseLit, control::kComposeDottedLabel, control::kPositionBar})
    window_.hideControl(id);
  for (ControlId digit : control::kCurrentTime) window_.hideControl(digit);
  for (ControlId digit : control::kCurrentPhrase) window_.hideControl(digit);
  window_.showControl(control::kStopLit);
  window_.showControl(control::kComposeLabel);
  window_.unlockRedraw();
}

void PreviewPanel::composePretend() {
  working_ = true;
  window_.hideControl(control::kComposeLabel);
  window_.showControl(control::kWorkingLabel);
  window_.showControl(control::kRemainingTimeLabel);
  window_.setProgressRange(control::kGenerationBar, 0, 84);
  window_.setProgressPosition(control::kGenerationBar, 0);
  window_.setProgressStep(control::kGenerationBar, 1);
  window_.showControl(control::kGenerationBar);
  window_.repaintNow();
  for (int step = 0; step < 84 && working_; ++step) {
    for (int block = 0; block < 10 && working_; ++block) {
      std::this_thread::sleep_for(std::chrono::milliseconds{3});
      platform::pumpOneMessage();  // as the file jobs do: Stop and EXIT still work
    }
    window_.stepProgress(control::kGenerationBar);
  }
  working_ = false;
  window_.hideControl(control::kGenerationBar);
  window_.hideControl(control::kWorkingLabel);
  window_.hideControl(control::kRemainingTimeLabel);
  startPlaying();
}

void PreviewPanel::onLeftButtonDown(int x, int y) {
  if (inside(x, y, 580, 620, 530, 545)) {
    working_ = false;
    window_.endDialog(1);
    return;
  }
  if (inside(x, y, 385, 410, 265, 290)) {
    working_ = false;
    stopPlaying();
    return;
  }
  if (inside(x, y, 440, 465, 265, 290) && !playing_ && !working_) return startPlaying();
  if (inside(x, y, 495, 520, 265, 290) && playing_) {
    paused_ = !paused_;
    return paused_ ? window_.showControl(control::kPauseLit) : window_.hideControl(control::kPauseLit);
  }
  if (inside(x, y, 48, 68, 458, 478) && page_ > 0) window_.setControlPicture(control::kInfoPanel, picture::kInfoPages[--page_]);
  if (inside(x, y, 595, 615, 458, 478) && page_ < 5) window_.setControlPicture(control::kInfoPanel, picture::kInfoPages[++page_]);
  if (inside(x, y, 550, 575, 265, 290)) {
    window_.showMessageBox({"Brisolt - Save Session", "Nothing to save!", MessageBoxIcon::kInformation,
                            MessageBoxButtons::kOk});
    return;
  }
  if (playing_ || working_) return;
  for (int row = 0; row < 4; ++row) {
    const int top = 115 + 50 * row;
    if (inside(x, y, 105, 125, top, top + 25)) stepSetting(row, -1);
    if (inside(x, y, 325, 345, top, top + 25)) stepSetting(row, +1);
  }
  if (inside(x, y, 325, 350, 315, 335) || inside(x, y, 105, 130, 315, 335)) {
    phrases_ = std::clamp(phrases_ + (x > 300 ? 5 : -5), 5, 90);
    showTwoDigits(control::kPhraseCount[0], control::kPhraseCount[1], phrases_);
    showNumber(control::kTotalTime, phrases_ * 64 + 3);
  }
  if (inside(x, y, 400, 560, 170, 195)) composePretend();
}

void PreviewPanel::onKeyDown(KeyPress key) {
  if (key.key == Key::kLetterX || key.key == Key::kF9) window_.endDialog(1);
  if (key.key == Key::kEnter) onLeftButtonDown(400, 170);
  if (key.key == Key::kF2) window_.showAbout({"About Brisolt", picture::kAbout, "Brisolt Version 2.1.0"});
}

void PreviewPanel::onTimer(TimerId) {
  ++ticks_;
  if (playing_ && !paused_) {
    ++playedTenths_;
    const int seconds = playedTenths_ / 10;
    showNumber(control::kCurrentTime, seconds);
    window_.setProgressPosition(control::kPositionBar, seconds);
    const int phrase = seconds * 10 < 5 ? 0 : (playedTenths_ - 5) / 640 + 1;
    showTwoDigits(control::kCurrentPhrase[0], control::kCurrentPhrase[1], phrase);
  }
  if (!options_.screenshot.empty() && ticks_ == kScreenshotAfterTicks) {
    window_.repaintNow();
    if (saveScreenshot) saveScreenshot(window_, options_.screenshot);
    window_.endDialog(0);
  }
}

void PreviewPanel::onMediaNotification(MediaNotification flag) {
  if (flag == MediaNotification::kSuccessful || flag == MediaNotification::kFailure) stopPlaying();
}

void PreviewPanel::onCloseRequest() { window_.endDialog(kDialogCancel); }

}  // namespace brisolt::platform
